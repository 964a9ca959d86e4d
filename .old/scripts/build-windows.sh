#!/usr/bin/env bash
# Builds the Windows version: both programs cross-built for 64-bit Windows
# against Qt built from Debian's source (once, then cached), packed with
# the DLLs they load into build-windows/ojn-tevrik-editor-<version>-windows-x64.zip,
# a portable folder that needs no installing, and the same programs in an
# installer beside it, ...-windows-x64-setup.exe. Prints the zip's path,
# then the installer's.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows/lookups.sh

# fill TEMPLATE FILE NAME=VALUE...: writes the template with each @NAME@
# replaced, in Windows line ends, for Notepad.
fill() {
    local template=$1 file=$2 pair
    shift 2
    local edits=(-e 's/$/\r/')
    for pair; do edits+=(-e "s|@${pair%%=*}@|${pair#*=}|g"); done
    sed "${edits[@]}" "$template" > "$file"
}

qt="$(scripts/windows/configure.sh | tail -n 1)"
cmake --build build-windows --target ojn-tevrik-editor ojn-header >&2

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)"
name="ojn-tevrik-editor-$version-windows-x64"
stage="build-windows/zip/$name"
rm -rf build-windows/zip
mkdir -p "$stage/platforms" "$stage/imageformats" "$stage/styles" "$stage/licenses/Qt" "$stage/licenses/MinGW-w64"

cp build-windows/src/app/ojn-tevrik-editor.exe build-windows/src/cli/ojn-header.exe "$stage/"
# The layout Qt's deployment tool uses: plugin folders beside the programs.
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/imageformats/qjpeg.dll" "$stage/imageformats/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

# Every DLL these load that Windows does not have itself.
runtime_files="$(bundle_dlls "$stage" "$qt")"
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll

# The licences: Qt's (LGPL 3 and the bundled libraries'), where its source
# is, and the MinGW runtime's.
cp "$qt"/licenses/*.txt "$stage/licenses/Qt/"
rm -f "$stage/licenses/Qt/LicenseRef-Qt-Commercial.txt" # not the licence this Qt is used under
cp "$qt/licenses/debian-copyright" "$stage/licenses/Qt/copyright-of-every-file.txt"
qt_package_version="$(dpkg-query -W -f='${Version}' libqt6core6)"
fill windows/qt-SOURCE.txt.in "$stage/licenses/Qt/SOURCE.txt" \
    QT_VERSION="${qt_package_version%%+*}" QT_PACKAGE_VERSION="$qt_package_version"
for file in $(sort -u <<<"$runtime_files"); do
    package="$(dpkg -S "$file" | head -n 1 | cut -d: -f1)"
    cp "/usr/share/doc/$package/copyright" "$stage/licenses/MinGW-w64/$package.txt"
done

fill windows/zip-README.txt.in "$stage/README.txt" VERSION="$version"

zip_file="build-windows/$name.zip"
rm -f "$zip_file"
(cd build-windows/zip && zip -q -r -9 "../$name.zip" "$name")

# The installer puts the same files in place, but the README, which is
# about the zip. Its uninstaller deletes exactly those, then their folders
# when nothing else is left in them.
lists=build-windows/installer
rm -rf "$lists"
mkdir -p "$lists"
(cd "$stage" && find . -type f ! -path ./README.txt | LC_ALL=C sort) > "$lists/files"
(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) > "$lists/folders"
installed() { local path="${1#.}"; echo "\$INSTDIR${path//\//\\}"; }
folder=""
while read -r file; do
    [ "$(dirname "$file")" = "$folder" ] || { folder="$(dirname "$file")"; echo "SetOutPath \"$(installed "$folder")\""; }
    echo "File \"$PWD/$stage/${file#./}\""
done < "$lists/files" > "$lists/install.nsh"
{
    while read -r file; do echo "Delete \"$(installed "$file")\""; done < "$lists/files"
    while read -r folder; do echo "RMDir \"$(installed "$folder")\""; done < "$lists/folders"
} > "$lists/uninstall.nsh"
setup_file="build-windows/$name-setup.exe"
makensis -V2 -DVERSION="$version" -DOUTFILE="$PWD/$setup_file" -DFILES="$PWD/$lists" \
    -DICONS="$PWD/icons" -DSIZE_KB="$(du -sk --exclude=README.txt "$stage" | cut -f1)" \
    windows/installer.nsi >&2

echo "$zip_file"
echo "$setup_file"
