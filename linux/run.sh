#!/usr/bin/env bash
# Sets everything up, then opens the tool under Wine: on the user's display when there is one;
# without a display it runs the tool on a virtual one, saves a screenshot of its window, prints
# the screenshot's path and closes the tool again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
exe=$build/win/app/ReprocessaSequencial.exe

"$root/linux/setup.sh"
[ -f "$exe" ] || { echo "The build did not produce $exe" >&2; exit 1; }

# Two settings of the project's Wine prefix that the tool's window needs:
# - Debian's Wine 8 looks for its own fonts (Marlett for caption buttons, MS Sans Serif) in a
#   folder that does not exist; the prefix's Fonts folder is always searched, so they go there;
# - Wine draws the window frame itself instead of leaving it to the window manager, so the
#   frame the program paints (its skin) is what shows, on a desktop and on Xvfb alike.
export WINEPREFIX=$build/wineprefix
if [ -d /usr/share/wine/fonts ]; then
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
"$root/linux/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
# Let that Wine server end: one left running from a process without a display would serve the tool
# started on the virtual display below, and the tool would end before its window shows.
wineserver -w || true

# A small database to try the tool on.
if [ -x "$root/tools/demo-db/make-demo-db.sh" ]; then
  demo=$build/demo/CARVONI.FDB
  "$root/tools/demo-db/make-demo-db.sh" "$demo"
  echo "Demo database: $demo (in the tool's file dialog: Z:${demo//\//\\})"
fi

if [ "${1:-}" != "--screenshot" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/linux/wine-run.sh" "$exe"
fi

# No display: run on Xvfb and take a picture of the window.
shot=$build/screenshots/ReprocessaSequencial.png
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
# Wine's processes (its desktop among them) outlive the tool by a few seconds; were the virtual
# display taken down under them, each would report "X connection to :99 broken". They are let end
# on the display first (bounded, in case one hangs).
xvfb-run -a -s "-screen 0 1024x768x24" bash -c \
  '"$1" "$2" "$3"; status=$?; timeout 30 wineserver -w; exit $status' _ "$root/linux/screenshot.sh" "$exe" "$shot"
echo "Screenshot: $shot"
