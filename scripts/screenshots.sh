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
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A program directory of its own (a copy of the program beside the shipped defaults), past the
# welcome, connecting when a profile is chosen: the build's own settings stay as they are.
cp build/vantor "$work/"
cmake -DSRC="$PWD" -DDEST="$work" -P scripts/lay-defaults.cmake
sed -i 's/^FirstTimeStartup=1\r$/FirstTimeStartup=0\r/; s/^ConnectOnSelect=.*\r$/ConnectOnSelect=1\r/' \
    "$work/Preferences.ini"

# The demo server's usual port, as the README tells it, unless something else has it.
for port in 28960 0; do
    build/vantor-demo-server --game cod4 --port "$port" --password demo > "$work/server.log" 2>&1 &
    server=$!
    until grep -q listening "$work/server.log" || ! kill -0 "$server" 2> /dev/null; do
        sleep 0.1
    done
    kill -0 "$server" 2> /dev/null && break
done
pids+=("$server")
kill -0 "$server" 2> /dev/null || { cat "$work/server.log"; exit 1; }
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log")
printf '[Demo server]\r\nIP=127.0.0.1\r\nPort=%s\r\nRcon=demo\r\nName=Admin\r\n' "$port" \
    > "$work/Profiles/Demo server.ini"
chmod 600 "$work/Profiles/Demo server.ini"

"$work/vantor" &
pids+=($!)

# Waits (a minute at most) for a window by its title and prints its id.
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# Clicks at a point of a window, in the window's own pixels.
click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" 1; }
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
