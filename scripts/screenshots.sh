#!/usr/bin/env bash
# Makes the README's pictures again from the real program: a clip is made with ffmpeg, the
# program plays it on a virtual screen (Xvfb) with a window manager, and the test runner's
# screenshots mode shows the windows and saves pictures of the screen into docs/screenshots.
#   scripts/screenshots.sh [scale]     scale 2 for a double-density screen
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}

source scripts/packages.sh
install_missing xvfb openbox ffmpeg
[ -x build/tests/program_runner ] || { cmake -S . -B build -G Ninja && cmake --build build --target program_runner; }

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
clip="$work/Harbour Bells.avi"
ffmpeg -v error -f lavfi -i "testsrc2=size=320x240:rate=25:duration=20" -f lavfi -i "sine=frequency=330:duration=20" \
  -metadata title="Harbour Bells" -metadata artist="ZelSoft" -c:v mpeg4 -q:v 3 -c:a libmp3lame -shortest "$clip"

display=:97
Xvfb "$display" -screen 0 "$((1280 * scale))x$((1024 * scale))x24" >/dev/null 2>&1 &
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
sleep 1
mkdir -p docs/screenshots
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale DBUS_SESSION_BUS_ADDRESS= \
  build/tests/program_runner screenshots "$PWD/docs/screenshots" "$clip" | grep -E "^(saved|cannot)"
