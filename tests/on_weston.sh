#!/bin/sh
# Runs a command on a Wayland screen of its own: a headless weston (pixman renderer, screenshots
# allowed), 1280x800, with Qt's Wayland platform. Its status is the command's.
set -eu
dir=$(mktemp -d)
chmod 700 "$dir"
export XDG_RUNTIME_DIR="$dir" WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=1280 --height=800 \
       --socket=wayland-test >"$dir/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$dir"' EXIT
# Up once its socket is there (at most 10 s).
tries=0
until [ -S "$dir/wayland-test" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 $weston 2>/dev/null; then cat "$dir/weston.log" >&2; exit 1; fi
    sleep 0.1
done
"$@"
