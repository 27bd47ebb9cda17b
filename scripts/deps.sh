#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Needs root (it calls apt-get); prints nothing when everything is already there.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build
    # engine tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # quorvel-settle: reading JSON Lines, and its command line
    libsimdjson-dev libcli11-dev
    # quorvel-settle's fuzzing (scripts/fuzz.sh) and timing (scripts/bench-settle.sh)
    clang libclang-rt-dev time
    # the windows on a Linux desktop (Qt 6 Widgets), and a sans-serif face
    # for the dialogs when the desktop brings none (offscreen tests)
    qt6-base-dev fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this as root (sudo) to install them." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
