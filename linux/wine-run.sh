#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix (inside the build tree), quiet
# output, and the client-library bridge on the DLL path. Used by CTest as the cross-compiling emulator.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${PROJECT_BUILD_DIR:-$here/../build}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDLLPATH=$build/bridge${WINEDLLPATH:+:$WINEDLLPATH}
# The program finds the Firebird client bridge (gds32.dll.so) through the Windows search path:
# Wine's loader looks up a Winelib .so by file name there, not in WINEDLLPATH.
bridge_dir=$build/bridge
export WINEPATH="Z:${bridge_dir//\//\\}${WINEPATH:+;$WINEPATH}"
exec wine "$@"
