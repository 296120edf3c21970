#!/bin/sh
# Installs the Debian packages the game, its tools and its tests need (only the missing ones).
set -e
PKGS="g++ cmake make pkg-config git libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libcairo2-dev libpng-dev libsqlite3-dev \
libgtest-dev googletest fonts-liberation timgm6mb-soundfont xvfb xauth xdotool clang-format \
desktop-file-utils appstream dpkg-dev file"
if [ "$1" = "--fuzz" ]; then PKGS="$PKGS clang libclang-rt-dev"; fi
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
fi
