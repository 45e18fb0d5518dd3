#!/bin/sh
# Builds the Debian package from the build folder, lists what it holds and checks it: the
# program, its desktop entry (which must pass the desktop's validator), icon, metainfo, file
# type and data files, and dependencies computed from the libraries it links.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/zelplayer_*_*.deb)
echo "$(basename "$deb"):"
listing=$(dpkg-deb -c "$deb")
echo "$listing"
for f in ./usr/bin/zelplayer ./usr/share/applications/zelplayer.desktop ./usr/share/man/man1/zelplayer.1.gz \
         ./usr/share/icons/hicolor/scalable/apps/zelplayer.svg \
         ./usr/share/metainfo/io.github.zelsoft.ZelPlayerPlus.metainfo.xml ./usr/share/mime/packages/zelplayer.xml \
         ./usr/share/zelplayer/registry.reg ./usr/share/zelplayer/sounds/about.ogg ./usr/share/zelplayer/sounds/default.ogg; do
  echo "$listing" | grep -q " $f\$" || { echo "missing: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libmpv libqt6widgets6 libqt6dbus6; do
  echo "$depends" | grep -q "$lib" || { echo "not a dependency: $lib"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/zelplayer.desktop"
grep -qx 'Exec=zelplayer %U' "$work/root/usr/share/applications/zelplayer.desktop" || { echo "Exec takes no names"; exit 1; }
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.zelsoft.ZelPlayerPlus.metainfo.xml" >/dev/null
# On a system with no other player, xdg-open hands an .mp4 and an .mkv to the program through
# the package's desktop entry (a stand-in on the PATH records what it was given).
mkdir -p "$work/bin" "$work/home/applications"
cp "$work/root/usr/share/applications/zelplayer.desktop" "$work/home/applications/"
update-desktop-database "$work/home/applications"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$work" >"$work/bin/zelplayer"
chmod +x "$work/bin/zelplayer"
for clip in clip.mp4 clip.mkv; do
  ffmpeg -v error -f lavfi -i testsrc=duration=0.2 -c:v libx264 "$work/$clip"
  env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work" XDG_DATA_HOME="$work/home" XDG_DATA_DIRS=/usr/share \
      WAYLAND_DISPLAY=none xdg-open "$work/$clip" >/dev/null 2>&1 || { echo "xdg-open cannot open $clip"; exit 1; }
done
[ "$(cat "$work/opened")" = "$(printf '%s\n%s' "$work/clip.mp4" "$work/clip.mkv")" ] || { echo "xdg-open gave: $(cat "$work/opened")"; exit 1; }
# What a Debian packager's checker says: nothing to warn of.
lintian --fail-on error,warning "$deb"
echo "package checked"
