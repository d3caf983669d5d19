#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix (inside the build tree), quiet
# output, and the client-library bridge on the DLL path. Used by CTest as the cross-compiling emulator.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${PROJECT_BUILD_DIR:-$here/../build}
# Under linux/test.sh each test group runs on a desktop of its own (linux/test-desktops.sh).
if [ -n "${TEST_DESKTOPS_DIR:-}" ]; then
  . "$here/test-desktops.sh"
  take_test_desktop
fi
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDLLPATH=$build/bridge${WINEDLLPATH:+:$WINEDLLPATH}
# The program finds the Firebird client bridge (gds32.dll.so) through the Windows search path:
# Wine's loader looks up a Winelib .so by file name there, not in WINEDLLPATH.
bridge_dir=$build/bridge
export WINEPATH="Z:${bridge_dir//\//\\}${WINEPATH:+;$WINEPATH}"
# Wine names files in the locale's character set: database paths with accents need a UTF-8 one.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8* | *utf8* | *UTF8* | *utf-8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
if [ -n "${TEST_DESKTOP_LOCK:-}" ]; then
  # The desktop is held while this script runs; Wine's processes do not inherit the lock.
  wine "$@" {TEST_DESKTOP_LOCK}>&-
  exit
fi
exec wine "$@"
