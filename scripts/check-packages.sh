#!/usr/bin/env bash
# Checks what scripts/package.sh wrote into dist/ (as root; installs the tools
# it needs first):
# - the Debian package: lintian finds no errors; its desktop entry and AppStream
#   metadata validate. With --install also: apt-get installs it, both programs
#   run, and apt-get remove leaves none of its files behind (this changes the
#   machine: for CI and throw-away systems).
# - the Windows installer, under Wine in a prefix of its own: a silent install
#   puts the programs into Program Files with a Start-menu entry and a
#   registered uninstaller, the installed quorvel-settle.exe runs, and a silent
#   uninstall leaves no files behind.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-display ]; then
    scripts/install-missing.sh lintian desktop-file-utils appstream
    scripts/deps-windows.sh
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display "$@"
fi
shift
install=no
[ "${1:-}" = --install ] && install=yes

version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=dist/quorvel_${version}_amd64.deb
setup=dist/quorvel-$version-setup.exe
fail() { echo "FAILED: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== $deb"
lintian --fail-on error --tag-display-limit 0 "$deb"
dpkg-deb -x "$deb" "$work/deb"
desktop-file-validate "$work/deb/usr/share/applications/org.quorvel.Quorvel.desktop"
appstreamcli validate --no-net "$work/deb/usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml"
for f in guide.html guide-preferences.html main-window.png; do
    [ -f "$work/deb/usr/share/doc/quorvel/$f" ] || fail "the package holds no user's guide $f"
done
if [ $install = yes ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
    quorvel-settle --version | head -1 | grep -qx "quorvel-settle (Quorvel) $version" ||
        fail "quorvel-settle --version"
    [ "$(quorvel-settle --json <<<'{"legs": [{"result": "Won", "price": "2/1", "rule4": "10p per £"}]}')" = \
        '{"bets": 1, "totalStake": "£0.11", "returns": "£0.28"}' ] || fail "quorvel-settle settles"
    # The window opens and is painted on the (virtual) display, then closes.
    QUORVEL_EXIT_AFTER_FIRST_PAINT=1 timeout 30 quorvel 2>"$work/quorvel.err" ||
        fail "quorvel did not start: $(cat "$work/quorvel.err")"
    files=$(dpkg -L quorvel | while read -r f; do [ -f "$f" ] && echo "$f"; done)
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quorvel >/dev/null
    for f in $files; do
        [ ! -e "$f" ] || fail "apt-get remove left $f"
    done
    echo "installed, ran and removed cleanly"
fi

echo "== $setup under Wine"
source scripts/windows-env.sh
export WINEPREFIX="$PWD/build-package-windows/wine-prefix"
rm -rf "$WINEPREFIX"
prepare_wine_prefix
folder="$WINEPREFIX/drive_c/Program Files/Quorvel"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
"$wine" "$setup" /S
"$wineserver" -w
for f in quorvel.exe quorvel-settle.exe uninstall.exe README.md LICENSE doc/guide.html \
    doc/guide-preferences.html doc/main-window.png; do
    [ -f "$folder/$f" ] || fail "the installer did not install $f"
done
[ -f "$link" ] || fail "no Start-menu entry"
"$wine" reg query "$key" /v QuietUninstallString | grep -q 'uninstall.exe" /S' ||
    fail "no uninstaller registered"
"$wine" 'C:\Program Files\Quorvel\quorvel-settle.exe' --version | tr -d '\r' | head -1 |
    grep -qx "quorvel-settle (Quorvel) $version" || fail "the installed quorvel-settle.exe --version"
# "£" on the command line, as a user types it.
LANG=C.UTF-8 "$wine" 'C:\Program Files\Quorvel\quorvel-settle.exe' "Won 2/1 rule4=10p per £" |
    grep -q 'Returns *£0.28' || fail "the installed quorvel-settle.exe settles a Rule 4 in pence per £"
"$wine" 'C:\Program Files\Quorvel\uninstall.exe' /S
"$wineserver" -w
[ ! -e "$folder" ] || fail "the uninstaller left $(find "$folder" | tr '\n' ' ')"
[ ! -e "$link" ] || fail "the uninstaller left the Start-menu entry"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its registry key"
"$wineserver" -k || true
echo "installed silently, ran, uninstalled silently leaving nothing"
