# Sourced by the scripts that drive Vantor on a virtual display (scripts/screenshots.sh,
# bench/idle-cpu.sh). Gives a program directory of its own in a temporary folder (a copy of the
# program beside the shipped defaults, past the welcome, connecting when a profile is chosen) so
# that the build's own settings stay as they are, and the demo server with a profile "Demo server"
# for it. Sets $work, $port and $app; everything started is stopped when the script ends.
# Expects the caller to be in the source tree with a build in build/.

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

"$work/vantor" 2> "$work/vantor.log" &
app=$!
pids+=("$app")

# Waits (a minute at most) for a window by its title and prints its id.
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# Clicks at a point of a window, in the window's own pixels.
click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" 1; }
