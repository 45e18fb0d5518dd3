#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ZelPlayer Plus need.
# Does nothing when they are all present; uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libmpv-dev libavcodec-dev
  libgtest-dev
  ffmpeg dvdauthor
  xvfb xauth x11-utils imagemagick
  desktop-file-utils appstream shared-mime-info dbus-daemon
  dpkg-dev file
  fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
