#!/usr/bin/env bash
# Installs what the build needs from Debian's packages and prepares the Wine prefix.
# Safe to repeat: every step checks first and does nothing when its result is already there.
# Usage: cmake/setup.sh BUILD_DIR ARCH   (ARCH of the Wine prefix: i686 or x86_64)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
deps=$root/.deps

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev libstb-dev googletest
  wine wine32:i386 wine64 xvfb xauth x11-utils xcompmgr fonts-wqy-microhei
  dpkg-dev make cmake zip nsis
  python3 xdotool imagemagick
)

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

enable_sources() {
  # minizip is only shipped inside zlib's source package, so source entries must be on.
  local src=/etc/apt/sources.list.d/debian.sources
  local out=/etc/apt/sources.list.d/zeltavue-src.sources
  [ -f "$out" ] && return 0
  if [ -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$src" | sudo_if_needed tee "$out" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | sudo_if_needed tee /etc/apt/sources.list.d/zeltavue-src.list >/dev/null
    sudo_if_needed touch "$out"
  fi
  echo updated > "$deps/.need-update"
}

install_packages() {
  mkdir -p "$deps"
  dpkg --print-foreign-architectures | grep -qx i386 || { sudo_if_needed dpkg --add-architecture i386; echo updated > "$deps/.need-update"; }
  enable_sources
  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ] || [ -f "$deps/.need-update" ]; then
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get update -q
    rm -f "$deps/.need-update"
  fi
  missing=$(missing_packages)
  if [ -n "$missing" ]; then
    # shellcheck disable=SC2086 # word splitting of the package list is intended
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
  fi
}

fetch_minizip() {
  [ -f "$deps/minizip/unzip.c" ] && return 0
  local work=$deps/zlib-src
  rm -rf "$work" && mkdir -p "$work"
  # The newest security upload is not always served; fall back to the main suite's version.
  (cd "$work" && { apt-get source -q --download-only zlib >/dev/null 2>&1 \
    || apt-get source -q --download-only zlib=1:1.2.13.dfsg-1; })
  local tarball
  tarball=$(ls "$work"/zlib_*.orig.tar.* | head -n 1)
  mkdir -p "$work/x"
  tar -xf "$tarball" -C "$work/x"
  rm -rf "$deps/minizip"
  cp -r "$work"/x/*/contrib/minizip "$deps/minizip"
  rm -rf "$work"
}

# Reference parsers for the benchmarks only, built from Debian's source packages and
# never linked into the client: tinyxml2 for the skin markup, pugixml for the
# configuration. Copies FILEs (paths below the upstream tarball's top folder) into
# .deps/PACKAGE. The benchmarks build without them, so a failed download does not stop
# the set-up.
fetch_bench_peer() { # PACKAGE FILE...
  local package=$1
  shift
  [ -f "$deps/$package/$(basename "$1")" ] && return 0
  local work=$deps/$package-src
  rm -rf "$work" && mkdir -p "$work"
  if (cd "$work" && apt-get source -q --download-only "$package" >/dev/null 2>&1); then
    local tarball file
    tarball=$(ls "$work"/"$package"_*.orig.tar.* | head -n 1)
    mkdir -p "$work/x" "$deps/$package"
    tar -xf "$tarball" -C "$work/x"
    for file in "$@"; do
      cp "$work"/x/*/"$file" "$deps/$package/"
    done
  fi
  rm -rf "$work"
}

install_packages
fetch_minizip
fetch_bench_peer tinyxml2 tinyxml2.cpp tinyxml2.h
fetch_bench_peer pugixml src/pugixml.cpp src/pugixml.hpp src/pugiconfig.hpp
if [ -n "${2:-}" ]; then
  "$root/cmake/wine-prefix.sh" "$build/wineprefix" "$2"
fi
