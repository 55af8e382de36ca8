#!/usr/bin/env bash
# Installs what Vantor needs, builds it, starts the demo game server on 127.0.0.1:28960 (a CoD4
# server with the rcon password "demo") and starts Vantor with a profile for it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)" | tail -n 3

prog=build
if [ ! -f "$prog/Profiles/Demo server.ini" ]; then
    mkdir -p "$prog/Profiles/Demo server" "$prog/Dialogs/Demo server"
    printf '[Demo server]\r\nIP=127.0.0.1\r\nPort=28960\r\nRcon=demo\r\nName=Admin\r\n' \
        > "$prog/Profiles/Demo server.ini"
    chmod 600 "$prog/Profiles/Demo server.ini"
fi

build/vantor-demo-server --game cod4 --port 28960 --password demo &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
build/vantor
