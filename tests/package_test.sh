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
dpkg-deb -c "$deb"
for f in ./usr/bin/zelplayer ./usr/share/applications/zelplayer.desktop \
         ./usr/share/icons/hicolor/scalable/apps/zelplayer.svg \
         ./usr/share/metainfo/io.github.zelsoft.ZelPlayerPlus.metainfo.xml ./usr/share/mime/packages/zelplayer.xml \
         ./usr/share/zelplayer/registry.reg ./usr/share/zelplayer/sounds/about.ogg ./usr/share/zelplayer/sounds/default.ogg; do
  dpkg-deb -c "$deb" | grep -q " $f\$" || { echo "missing: $f"; exit 1; }
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
echo "package checked"
