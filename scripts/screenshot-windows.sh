#!/usr/bin/env bash
# Settles a slip in quorvel.exe under Wine by keyboard, as a user would, and
# saves the window as build-windows/main-window-windows.png; copy it into docs/
# to change the README's picture. The slip is the README's:
# a 50p each-way Lucky 15 with tax paid, two winners (2/1, 6/4 at 1/4 odds)
# and a placed 5/1 ("Total stake" £16.35, "Returns" £17.80).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-display ]; then
    scripts/deps-windows.sh --screenshot
    scripts/build-windows.sh >/dev/null
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display
fi

source scripts/windows-env.sh
prepare_wine_prefix
picture="$build_dir/main-window-windows.png"
"$wine" "$build_dir/bin/quorvel.exe" &
program=$!
for _ in $(seq 60); do
    xdotool search --name 'Quorvel for Windows' >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 2
xdotool windowfocus --sync "$(xdotool search --name 'Wine desktop' | head -1)"

keys() { xdotool key --delay 100 "$@"; sleep 0.2; }
down() { keys Home; for _ in $(seq "$1"); do keys Down; done; }
# The focus starts on the "1" radio button; the arrows move through the group.
keys Right Right Right                 # 4 selections
keys Tab Tab                           # past "Tax Paid" (ticked) to the stake
xdotool type --delay 100 50
keys Tab e                             # Each Way: E/D
keys Tab l                             # Bet: Lucky 15
keys Tab Tab w                         # Result 1: Won
keys Tab; down 10                      # Price 1: 2/1
keys Tab Tab Tab                       # past Odds-on, Rule 4 and Place odds
keys Tab w                             # Result 2: Won
keys Tab; down 6                       # Price 2: 6/4
keys Tab Tab Tab Down                  # Place odds 2: 1/4
keys Tab p                             # Result 3: Place
keys Tab; down 22                      # Price 3: 5/1
keys Return                            # Settle, the default button
sleep 1
import -window root png:- | convert - -trim +repage -strip "$picture"

kill "$program"
"$wineserver" -k
echo "$picture"
