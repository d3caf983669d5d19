#!/usr/bin/env bash
# Everything a fresh Debian machine needs, then the build: packages, libpng for MinGW, the host
# tools, the Windows build, the client-library bridge and the Wine prefix. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
export DEBIAN_FRONTEND=noninteractive

"$root/linux/setup-packages.sh"
"$root/linux/build-libpng.sh" "$build/deps/libpng-work" "$build/deps/mingw"

# Host tools (skin packer) first: the Windows build packs the skin with them.
cmake -S "$root" -B "$build/host" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/host" -j"$(nproc)"

if [ -x "$root/linux/bridge/build.sh" ]; then
  "$root/linux/bridge/build.sh" "$build/bridge"
fi

cmake -S "$root" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DDEPS_PREFIX="$build/deps/mingw" -DHOST_TOOLS_DIR="$build/host" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/linux/wine-run.sh" >/dev/null
cmake --build "$build/win" -j"$(nproc)"

# The Wine prefix lives in the build tree; creating it takes a few seconds, once.
if [ ! -f "$build/wineprefix/system.reg" ]; then
  WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix" wineserver -w || true
fi
