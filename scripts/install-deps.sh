#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root; does nothing when all is there.
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
          zlib1g-dev libfreetype-dev libfontconfig-dev fonts-liberation2 xfonts-base sox
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine32)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
fi
echo "install-deps: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
