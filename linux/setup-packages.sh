#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and run the tool under Wine.
# Idempotent: packages already present are skipped by apt-get.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

packages=(
  cmake make ninja-build pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
  wine wine64 wine64-tools
  xvfb xauth imagemagick x11-utils xdotool fonts-wine
  firebird3.0-server-core libfbclient2 firebird-dev firebird3.0-utils
  googletest zlib1g-dev
  clang libclang-rt-14-dev
  dpkg-dev
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing and need root to install: ${missing[*]}" >&2
    exit 1
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
