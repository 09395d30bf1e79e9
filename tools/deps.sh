#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format libclang-rt-14-dev locales
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev fonts-liberation fonts-dejavu-core
  libx11-dev libxext-dev libxfixes-dev libxdamage-dev libpng-dev libjpeg62-turbo-dev libtiff-dev libgif-dev libuemf-dev libpixman-1-dev
  libwayland-dev wayland-protocols libxkbcommon-dev
  libblkid-dev dosfstools e2fsprogs
  libjpeg-turbo-progs libtiff-tools giflib-tools
  xvfb xdotool x11-utils x11-apps xscreensaver imagemagick man-db openbox
  lintian appstream desktop-file-utils hicolor-icon-theme gtk-update-icon-cache
  sway grim swayidle
  kwin-wayland  # the one compositor that offers fractional scales
  libsystemd-dev libxss-dev mutter dbus python3-gi
  # the X11 screen-saver hosts the package test runs the installed saver under
  mate-screensaver xsecurelock dbus-daemon libglib2.0-bin
)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# Number pictures take their separators from the user's locale; the tests read these two.
for locale in de_DE fr_FR; do
  if ! locale -a 2>/dev/null | grep -qx "$locale.utf8"; then
    "${sudo_cmd[@]}" localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
  fi
done
