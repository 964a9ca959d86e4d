#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds:
# exactly the installed files, and dependencies worked out from the
# program's libraries.
# Usage: check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2

fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/ojn-tevrik-editor_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work"; fail "no package $deb"; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$library" <<<"$names" || fail "$library is not among the dependencies"
done

expected="./usr/bin/ojn-header
./usr/bin/ojn-tevrik-editor
./usr/share/applications/io.github.ojntevrik.Editor.desktop
./usr/share/icons/hicolor/128x128/apps/ojn-tevrik-editor.png
./usr/share/icons/hicolor/128x128/mimetypes/application-x-o2jam-ojn.png
./usr/share/icons/hicolor/256x256/apps/ojn-tevrik-editor.png
./usr/share/icons/hicolor/256x256/mimetypes/application-x-o2jam-ojn.png
./usr/share/icons/hicolor/32x32/apps/ojn-tevrik-editor.png
./usr/share/icons/hicolor/32x32/mimetypes/application-x-o2jam-ojn.png
./usr/share/icons/hicolor/48x48/apps/ojn-tevrik-editor.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-o2jam-ojn.png
./usr/share/icons/hicolor/scalable/apps/ojn-tevrik-editor.svg
./usr/share/metainfo/io.github.ojntevrik.Editor.metainfo.xml
./usr/share/mime/packages/io.github.ojntevrik.Editor.mime.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
[ "$files" = "$expected" ] || { diff <(echo "$expected") <(echo "$files") || true; fail "unexpected package contents"; }
echo "package ok"
