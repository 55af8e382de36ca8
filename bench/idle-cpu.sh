#!/usr/bin/env bash
# Measures what Vantor costs while it sits connected beside a game: CPU time (user + system)
# over 60 s and resident memory, with the main window shown on a virtual display and connected
# to the demo server. Usage: bench/idle-cpu.sh (after a Release build in build/; needs xvfb-run
# and xdotool, which scripts/deps.sh --screenshots installs).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp build/vantor "$work/"
cmake -DSRC="$PWD" -DDEST="$work" -P scripts/lay-defaults.cmake
sed -i 's/^FirstTimeStartup=1\r$/FirstTimeStartup=0\r/; s/^ConnectOnSelect=.*\r$/ConnectOnSelect=1\r/' \
    "$work/Preferences.ini"

build/vantor-demo-server --game cod4 --port 0 --password demo > "$work/server.log" 2>&1 &
pids+=($!)
until grep -q listening "$work/server.log"; do sleep 0.1; done
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log")
printf '[Demo server]\r\nIP=127.0.0.1\r\nPort=%s\r\nRcon=demo\r\nName=Admin\r\n' "$port" \
    > "$work/Profiles/Demo server.ini"

"$work/vantor" 2> /dev/null &
app=$!
pids+=("$app")
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
profiles=$(window "^Server Profiles$")
sleep 1
xdotool mousemove --window "$profiles" 60 62 click --repeat 2 1 # load the demo profile
window "^Vantor .* - Call of Duty 4$" > /dev/null
sleep 10 # past the connection steps and the first player list

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(ticks)
sleep 60
after=$(ticks)
awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "connected and idle for 60 s: %.2f %% of a core\n", t * 100 / hz / 60 }'
grep VmRSS "/proc/$app/status"
