# Sourced by linux/test.sh and linux/wine-run.sh. Gives each test group that runs at the same time
# a desktop of its own: its own virtual display (Xvfb) and its own Wine prefix, hence its own Wine
# server. Focus, activation and the foreground window are per display and per Wine server, so a
# window that one group brings up can never take the keyboard from a dialog of another group.
#
# linux/test.sh starts one desktop per group that CTest runs at once; each group, through
# linux/wine-run.sh, takes a desktop no other group holds (a lock file per desktop) and runs on
# its display and prefix, written in "$TEST_DESKTOPS_DIR/<id>.env".

TEST_DESKTOPS_DIR=${TEST_DESKTOPS_DIR:-}
TEST_DESKTOP_PIDS=()

# start_test_desktops <build dir> <count>: starts the desktops and exports TEST_DESKTOPS_DIR. The
# caller stops them with stop_test_desktops.
start_test_desktops() {
  local build=$1 count=$2 id display prefix
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  export TEST_DESKTOPS_DIR="$build/test-desktops"
  rm -rf "$TEST_DESKTOPS_DIR"
  mkdir -p "$TEST_DESKTOPS_DIR"
  TEST_DESKTOP_PIDS=()
  for ((id = 0; id < count; id++)); do
    prefix="$build/wineprefix-tests-$id"
    # A copy of the prepared test prefix (Managed=N, fonts): seconds faster than a new one. Its
    # files are hard links (a prefix holds some 700 MB of libraries that nothing rewrites); the
    # registry, which the Wine server does rewrite, is copied.
    if [ ! -f "$prefix/system.reg" ] || [ "$build/wineprefix-tests/user.reg" -nt "$prefix/user.reg" ]; then
      rm -rf "$prefix"
      cp -al "$build/wineprefix-tests" "$prefix"
      for reg in "$build/wineprefix-tests"/*.reg; do
        rm -f "$prefix/${reg##*/}"
        cp -p "$reg" "$prefix/"
      done
    fi
    # Xvfb picks a free display number itself and writes it once it accepts connections.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$TEST_DESKTOPS_DIR/$id.display" \
      >"$TEST_DESKTOPS_DIR/$id.xvfb.log" 2>&1 &
    TEST_DESKTOP_PIDS+=($!)
    local waited=0
    until [ -s "$TEST_DESKTOPS_DIR/$id.display" ]; do
      if ((waited >= 100)) || ! kill -0 "${TEST_DESKTOP_PIDS[-1]}" 2>/dev/null; then
        echo "test desktops: the virtual display $id did not start:" >&2
        cat "$TEST_DESKTOPS_DIR/$id.xvfb.log" >&2
        return 1
      fi
      sleep 0.1
      waited=$((waited + 1))
    done
    display=$(tr -d '\n' <"$TEST_DESKTOPS_DIR/$id.display")
    printf 'export DISPLAY=:%s\nexport WINEPREFIX=%q\n' "$display" "$prefix" >"$TEST_DESKTOPS_DIR/$id.env.new"
    # The desktop's Wine server and its system processes stay up between groups: starting them
    # costs seconds. They start here, on a throwaway command, so that they hold no test's output
    # open (CTest waits for a group's output to close).
    (. "$TEST_DESKTOPS_DIR/$id.env.new" && wineserver -p &&
      TEST_DESKTOPS_DIR= "$here/wine-run.sh" cmd /c exit 0 >"$TEST_DESKTOPS_DIR/$id.wine.log" 2>&1)
    mv "$TEST_DESKTOPS_DIR/$id.env.new" "$TEST_DESKTOPS_DIR/$id.env"
  done
}

# take_test_desktop: waits for a desktop that no other group holds, takes it and switches to its
# display and prefix. The lock stays on file descriptor $TEST_DESKTOP_LOCK until the caller ends;
# the caller keeps it from the programs it starts, which may outlive it.
take_test_desktop() {
  local env
  while :; do
    for env in "$TEST_DESKTOPS_DIR"/*.env; do
      [ -f "$env" ] || continue
      exec {TEST_DESKTOP_LOCK}>"${env%.env}.lock"
      if flock -n "$TEST_DESKTOP_LOCK"; then
        . "$env"
        return 0
      fi
      exec {TEST_DESKTOP_LOCK}>&-
    done
    sleep 0.1
  done
}

# stop_test_desktops: ends every Wine server started on the desktops, then the displays.
stop_test_desktops() {
  local env
  [ -n "$TEST_DESKTOPS_DIR" ] || return 0
  for env in "$TEST_DESKTOPS_DIR"/*.env; do
    [ -f "$env" ] || continue
    (. "$env" && wineserver -k 2>/dev/null) || true
  done
  if [ ${#TEST_DESKTOP_PIDS[@]} -gt 0 ]; then
    kill "${TEST_DESKTOP_PIDS[@]}" 2>/dev/null || true
    wait "${TEST_DESKTOP_PIDS[@]}" 2>/dev/null || true
  fi
  TEST_DESKTOP_PIDS=()
}
