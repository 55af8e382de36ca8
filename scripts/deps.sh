#!/usr/bin/env bash
# Installs the Debian packages Vantor needs to build, test and run, when any is missing.
# Usage: scripts/deps.sh [--test | --package | --screenshots]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libcurl4-openssl-dev
          libx11-dev)
if [ "${1:-}" = "--test" ]; then
    packages+=(openarena-server python3-pyftpdlib xvfb xdotool dpkg-dev)
fi
# The package's library dependencies come from dpkg-shlibdeps (dpkg-dev); lintian, the desktop
# entry validator and appstreamcli check what it installs.
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev lintian desktop-file-utils appstream)
fi
# Screenshots are taken on a virtual display and cut out with imagemagick's import.
if [ "${1:-}" = "--screenshots" ]; then
    packages+=(xvfb xdotool imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
    exit 1
fi
# openarena-server would start a system service listening on all interfaces; the tests start
# their own on loopback, so no service may start during the install.
policy=/usr/sbin/policy-rc.d
made_policy=0
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' > "$policy"
    chmod +x "$policy"
    made_policy=1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
[ "$made_policy" = 1 ] && rm -f "$policy"
exit 0
