#!/usr/bin/env bash
# Builds Quorvel's packages into dist/ (as root: installs the packages it needs
# first, only those that are missing):
#   dist/quorvel_<version>_amd64.deb      Debian package (CPack), for Debian 12 and later
#   dist/quorvel-<version>-win64.zip      both Windows programs, stripped, with README and LICENSE
#   dist/quorvel-<version>-setup.exe      Windows installer (NSIS)
# Each is a Release build of its own, in build-package/ and build-package-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/deps-windows.sh
# dpkg-shlibdeps and dpkg-buildflags (dpkg-dev) and file for CPack's Debian
# package, makensis for the installer.
scripts/install-missing.sh dpkg-dev file nsis

version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
jobs=$(nproc)
rm -rf dist
mkdir -p dist

echo "== Debian package"
# Debian's own compiler and linker flags for packages, with every hardening
# feature (stack protector, fortified C library calls, read-only relocations).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
linux=build-package
cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$linux" -j "$jobs"
(cd "$linux" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
mv "$linux"/cpack/quorvel_"$version"_amd64.deb dist/

echo "== Windows zip and installer"
windows=build-package-windows
toolchain=()
[ -f "$windows/CMakeCache.txt" ] ||
    toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake)
cmake -S . -B "$windows" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$windows" -j "$jobs"
folder=quorvel-$version-win64
rm -rf "$windows/stage"
cmake --install "$windows" --prefix "$windows/stage/$folder" --strip >/dev/null
(cd "$windows/stage" && cmake -E tar cf "../../dist/$folder.zip" --format=zip -- "$folder")
size_kb=$(du -sk --apparent-size "$windows/stage/$folder" | cut -f1)
makensis -V2 -DVERSION="$version" -DFILES="$PWD/$windows/stage/$folder" -DSIZE_KB="$size_kb" \
    -DOUTFILE="$PWD/dist/quorvel-$version-setup.exe" resources/windows/quorvel.nsi

ls -l dist/
