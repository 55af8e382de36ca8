#!/usr/bin/env bash
# Takes the README's pictures: starts the demo server and Vantor on a virtual display, selects the
# demo profile in the profile manager, lets the main window connect, opens the maps dialog, and
# writes PNGs of the three windows into docs/screenshots/.
# Usage: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
    scripts/deps.sh --screenshots
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
    cmake --build build -j"$(nproc)" --target vantor vantor-demo-server | tail -n 1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside
fi

out=docs/screenshots
mkdir -p "$out"
source scripts/demo-desktop.sh
shot() { sleep 1; import -window "$1" "$out/$2.png"; echo "$out/$2.png"; }

profiles=$(window "^Server Profiles$")
sleep 1
click "$profiles" 60 62 # the first profile of the list
shot "$profiles" profile-manager
click "$profiles" 60 62 2 # double-clicking it loads it and connects

# Connected once the title names the game; the first player list follows the last step.
main=$(window "^Vantor .* - Call of Duty 4$")
sleep 2
shot "$main" main-window

eval "$(xdotool getwindowgeometry --shell "$main")"
click "$main" $((WIDTH - 190)) 318 # the Maps button of the connected layout
maps=$(window " - Maps$")
shot "$maps" maps-dialog
