#!/usr/bin/env bash
# Installs everything Tabrix needs on a fresh Debian 12 machine (run as root), then
# builds the MinGW libjpeg once and boots the project's own Wine prefix once.
# Every step checks first, so a second run takes seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TABRIX_BUILD:-$here/build}
mkdir -p "$build"
export DEBIAN_FRONTEND=noninteractive

say() { printf '== %s\n' "$*"; }

need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup: installing packages needs root (run as root or with sudo)" >&2
    exit 1
  fi
}

# --- Debian packages --------------------------------------------------------
packages=(
  g++ cmake make pkg-config python3 ca-certificates
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine xvfb xdotool x11-apps imagemagick
  libjpeg62-turbo-dev libjpeg-turbo-progs googletest
  php-cli libxml2-utils dpkg-dev python3-pil fonts-dejavu-core x11-utils
  clang libclang-rt-dev clang-format nsis nlohmann-json3-dev
  fp-utils python3-markdown
  prometheus prometheus-node-exporter
)

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}; [ "$arch" = "$p" ] && arch=
  q=$name; [ -n "$arch" ] && q="$name:$arch"
  if ! dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  need_root
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture for 32-bit Wine"
    dpkg --add-architecture i386
  fi
  say "installing: ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- libjpeg for MinGW, from Debian's own source package ----------------------
jpeg_prefix=$build/deps/libjpeg-mingw
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  need_root
  src_root=$build/deps/src
  mkdir -p "$src_root"
  if ! ls -d "$src_root"/libjpeg-turbo-*/ >/dev/null 2>&1; then
    # A deb-src entry mirroring the machine's own configured Debian sources.
    if ! apt-get source --print-uris libjpeg-turbo >/dev/null 2>&1; then
      say "enabling source packages from the configured Debian sources"
      "$here/scripts/enable-deb-src.sh"
      apt-get update -qq
    fi
    say "fetching Debian's libjpeg-turbo source"
    (cd "$src_root" && apt-get source -qq libjpeg-turbo >/dev/null)
  fi
  srcdir=$(ls -d "$src_root"/libjpeg-turbo-*/ | head -n 1)
  say "building libjpeg for i686-w64-mingw32 from $srcdir"
  rm -rf "$build/deps/libjpeg-build"
  cmake -S "$srcdir" -B "$build/deps/libjpeg-build" \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
  cmake --build "$build/deps/libjpeg-build" --target jpeg-static -j"$(nproc)" >/dev/null
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$build/deps/libjpeg-build/libjpeg.a" "$jpeg_prefix/lib/libjpeg.a"
  cp "$build/deps/libjpeg-build/jconfig.h" "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" \
     "$srcdir/jerror.h" "$jpeg_prefix/include/"
fi

# --- the project's Wine prefix -------------------------------------------------
bash "$here/scripts/wine-env.sh" boot
say "setup done"
