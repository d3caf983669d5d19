#!/usr/bin/env bash
# Builds libpng for the MinGW toolchain from Debian's source package (Debian ships no MinGW libpng).
# The source is fetched at setup time into the build tree; nothing of it is committed.
# Usage: build-libpng.sh <work-dir> <install-prefix>
set -euo pipefail
work=$(realpath -m "$1"); prefix=$(realpath -m "$2")
[ -f "$prefix/lib/libpng16.a" ] && exit 0
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/src" "$prefix"

# A private apt configuration naming deb-src, so the machine's own sources stay untouched.
cat > "$work/apt/sources.list" <<SRC
deb-src http://deb.debian.org/debian bookworm main
SRC
aptopts=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
         -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
         -o Debug::NoLocking=1)
mkdir -p "$work/apt/cache"
apt-get "${aptopts[@]}" update -qq
(cd "$work/src" && apt-get "${aptopts[@]}" source --download-only -qq libpng1.6)
cd "$work/src"
rm -rf libpng-src && mkdir libpng-src
tar -xf "$(ls libpng1.6_*.orig.tar.* | head -n 1)" -C libpng-src --strip-components=1

zinc=/usr/x86_64-w64-mingw32/include
zlib=/usr/x86_64-w64-mingw32/lib
cd libpng-src
./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-shared --enable-static \
  CC=x86_64-w64-mingw32-gcc-posix CPPFLAGS="-I$zinc" LDFLAGS="-L$zlib" >/dev/null
make -j"$(nproc)" >/dev/null
make install >/dev/null
