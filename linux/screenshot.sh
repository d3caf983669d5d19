#!/usr/bin/env bash
# Runs a Windows program under Wine on the current X display, waits for its main window, saves a
# picture of that window to a PNG file and closes the program again.
# Usage: screenshot.sh <program.exe> <output.png> [window-title-pattern]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
shot=$2
title=${3:-Rotina de reprocesso}

"$here/wine-run.sh" "$exe" &
pid=$!
stop() {
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}
trap stop EXIT

# Wait for the window (Wine's first start in a prefix can take a while).
window=
for _ in $(seq 1 600); do
  window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "The program ended before its window showed" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "No window titled '$title' appeared" >&2; exit 1; }

# Let the window finish its first paint (and the skin its first pass).
sleep 2
import -window "$window" "$shot"

# Close it as a user would: Alt+F4 on the focused window; end it if it does not go.
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key --clearmodifiers alt+F4 2>/dev/null || true
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
