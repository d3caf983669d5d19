#!/usr/bin/env bash
# Builds the client-library bridge for Wine (gds32.dll.so) into <outdir>. Linux only.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:?usage: build.sh <outdir>}
mkdir -p "$out"
# Rebuild only when a source is newer than the library.
if [ -f "$out/gds32.dll.so" ] && [ "$out/gds32.dll.so" -nt "$here/gds32.c" ] \
   && [ "$out/gds32.dll.so" -nt "$here/gds32.spec" ]; then
  exit 0
fi
winegcc -m64 -shared -O2 -Wall -Wextra -Wno-unused-parameter \
  -o "$out/gds32.dll.so" "$here/gds32.spec" "$here/gds32.c" -lfbclient
rm -f "$out/gds32.dll.fake"
echo "bridge: $out/gds32.dll.so"
