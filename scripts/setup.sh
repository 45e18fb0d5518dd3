#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ZelPlayer Plus need.
# Does nothing when they are all present; uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev libgl-dev qt6-wayland libgl1-mesa-dri
  libmpv-dev libavcodec-dev libxcb-shm0-dev libx11-dev
  libgtest-dev
  ffmpeg dvdauthor
  xvfb xauth x11-utils imagemagick
  desktop-file-utils appstream shared-mime-info dbus-daemon
  dpkg-dev file help2man
  fonts-liberation2 fonts-dejavu-core
)

source "$(dirname "$0")/packages.sh"
install_missing "${packages[@]}"
