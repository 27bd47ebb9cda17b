#!/usr/bin/env bash
# quorvel-settle must answer any line without crashing: half a minute of
# fuzzing under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/fuzz.sh 30
