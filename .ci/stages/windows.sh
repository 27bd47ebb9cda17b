#!/usr/bin/env bash
# The same windows built for Windows with mingw-w64, their tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/test-windows.sh
