#!/usr/bin/env bash
# The Debian package, the Windows zip and installer made, then installed and checked.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/package.sh
scripts/check-packages.sh --install
