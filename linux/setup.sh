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

# Wine prefixes live in the build tree; creating one takes a few seconds, once.
#  - wineprefix: the one the tool runs in (linux/run.sh);
#  - wineprefix-tests: the tests' own, whose windows are not handed to a window manager
#    (Managed=N): Wine then hides and destroys windows at once instead of waiting about two
#    seconds for a manager that Xvfb does not have.
# Both get Wine's own fonts (MS Sans Serif, Marlett), which Debian's Wine looks for in a folder
# that does not exist; the prefix's Fonts folder is always searched.
prepare_prefix() {
  local prefix=$1
  if [ ! -f "$prefix/system.reg" ]; then
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" wineserver -w || true
  fi
  if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}
prepare_prefix "$build/wineprefix"
prepare_prefix "$build/wineprefix-tests"
if ! grep -q '"Managed"="N"' "$build/wineprefix-tests/user.reg" 2>/dev/null; then
  WINEPREFIX="$build/wineprefix-tests" "$root/linux/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix-tests" wineserver -w || true
fi
