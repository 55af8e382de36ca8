#!/usr/bin/env bash
# Builds the Debian package of Vantor (build-package/vantor_<version>_<arch>.deb) with Debian's
# hardening flags, and checks it with lintian, desktop-file-validate and appstreamcli.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --package
dir=build-package
mkdir -p "$dir"
# Debian's own compiler and linker flags (stack protector, fortified functions, read-only
# relocations), as every package in the archive is built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > "$dir/configure.log" 2>&1 \
    || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" --target vantor vantor-demo-server vantor_install_files \
    | tail -n 3
rm -f "$dir"/*.deb
(cd "$dir" && cpack -G DEB > cpack.log 2>&1) || { cat "$dir/cpack.log"; exit 1; }
deb=$(ls "$dir"/*.deb)
dpkg-deb --field "$deb"
# The desktop's own checkers for the menu entry and the software-centre metadata, then lintian.
desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net "$dir"/packaging/*.metainfo.xml | grep -v '^$'
echo "lintian:"
lintian --display-info --pedantic "$deb" | sed "s/^/  /"
echo "$deb"
