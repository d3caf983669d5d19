#!/usr/bin/env bash
# Sets everything up, then shows a skin in the skin viewer (SkinView.exe) under Wine.
# Usage: skinview.sh [skin] [--screenshot [DIR]]
#   skin  a skin archive (.skn) or a skin folder (definition .ini and its .bmp files), as a Linux
#         path; without one the viewer shows the product skin.
# With a display (DISPLAY set and reachable) and no --screenshot the viewer opens on it. Otherwise
# it runs on a virtual display (Xvfb), saves pictures of its windows into DIR (by default
# build/screenshots/skinview), prints their paths and ends.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
exe=$build/win/tools/skinview/SkinView.exe

usage() {
  echo "usage: $0 [skin] [--screenshot [DIR]]" >&2
  exit 2
}

skin=
screenshot=
shots=$build/screenshots/skinview
while [ $# -gt 0 ]; do
  case $1 in
    --screenshot)
      screenshot=1
      if [ $# -gt 1 ]; then
        shots=$2
        shift
      fi
      ;;
    -h | --help) usage ;;
    -*) echo "Unknown option $1" >&2; usage ;;
    *)
      [ -z "$skin" ] || { echo "Only one skin at a time" >&2; usage; }
      skin=$1
      ;;
  esac
  shift
done

# A Linux path as the program sees it through Wine's Z: drive.
windows_path() {
  local path
  path=$(realpath -m -- "$1")
  path=${path//\//\\}
  printf 'Z:%s' "$path"
}

"$root/linux/setup.sh"
[ -f "$exe" ] || { echo "The build did not produce $exe" >&2; exit 1; }

# The same prefix settings as linux/run.sh: Wine's own fonts where Debian's Wine finds them, and
# Wine drawing the window frame itself, so that the skin's frame is what shows.
export WINEPREFIX=$build/wineprefix
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
"$root/linux/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
# Xvfb has no window manager: there Wine places, maximises and closes the windows itself, at once; a
# real display's window manager gets them back.
if [ -z "$screenshot" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  "$root/linux/wine-run.sh" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
else
  "$root/linux/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
fi
# A Wine server left from a process without a display would serve the viewer started below.
wineserver -w || true

args=()
[ -z "$skin" ] || args+=("$(windows_path "$skin")")

if [ -z "$screenshot" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/linux/wine-run.sh" "$exe" "${args[@]}"
fi

# No display, or pictures asked for: run on Xvfb and save the windows' pictures.
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
for name in sizeable-active sizeable-inactive sizeable-maximised dialog-active dialog-inactive controls \
  controls-hot-pressed scrolling message-box menu-bar menu-open context-menu system-menu mdi mdi-maximised; do
  rm -f "$shots/$name.png"
done
set +e
# The viewer prints the pictures' Windows paths; they are shown as Linux paths.
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/linux/wine-run.sh" "$exe" "${args[@]}" \
  --screenshot "$(windows_path "$shots")" | tr -d '\r' | sed -e 's|^Z:||' -e 's|\\|/|g'
status=${PIPESTATUS[0]}
set -e
exit "$status"
