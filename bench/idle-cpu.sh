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

source scripts/demo-desktop.sh
profiles=$(window "^Server Profiles$")
sleep 1
click "$profiles" 60 62 2 # double-clicking the demo profile loads it and connects
window "^Vantor .* - Call of Duty 4$" > /dev/null
sleep 10 # past the connection steps and the first player list

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(ticks)
sleep 60
after=$(ticks)
awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "connected and idle for 60 s: %.2f %% of a core\n", t * 100 / hz / 60 }'
grep VmRSS "/proc/$app/status"
