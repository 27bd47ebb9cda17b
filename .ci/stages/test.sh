#!/usr/bin/env bash
# The developer's test command: the plain build's tests, then every test
# under AddressSanitizer and UndefinedBehaviorSanitizer (presets dev, asan).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/test.sh
