#!/usr/bin/env bash
# Builds the Windows version: both programs cross-built for 64-bit Windows
# against Qt built from Debian's source (once, then cached), packed with
# the DLLs they load into build-windows/ojn-tevrik-editor-<version>-windows-x64.zip,
# a portable folder that needs no installing. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."

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

# Every DLL these load, and the DLLs those load, that Windows does not have
# itself: from Qt or from the MinGW runtime (posix threads), nothing else.
cxx=x86_64-w64-mingw32-g++-posix
search=("$qt/bin" "$(dirname "$(realpath "$($cxx -print-file-name=libstdc++-6.dll)")")"
        "$(dirname "$(realpath "$($cxx -print-file-name=libwinpthread-1.dll)")")")
windows_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
runtime_files=()
queue=("$stage"/*.exe "$stage"/*/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
    file="${queue[0]}"
    queue=("${queue[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$stage/$dll" ] && continue
        found=""
        for dir in "${search[@]}"; do
            [ -f "$dir/$dll" ] && { found="$dir/$dll"; break; }
        done
        if [ -n "$found" ]; then
            cp "$found" "$stage/"
            queue+=("$stage/$dll")
            [[ "$found" == "$qt"/* ]] || runtime_files+=("$(realpath "$found")")
        elif [ ! -e "$windows_dlls/${dll,,}" ] && [[ "$dll" != api-ms-win-* ]]; then
            echo "$(basename "$file") needs $dll, which is neither Qt's, MinGW's nor Windows' own." >&2
            exit 1
        fi
    done
done
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll

# The licences: Qt's (LGPL 3 and the bundled libraries'), where its source
# is, and the MinGW runtime's.
cp "$qt"/licenses/*.txt "$stage/licenses/Qt/"
rm -f "$stage/licenses/Qt/LicenseRef-Qt-Commercial.txt" # not the licence this Qt is used under
cp "$qt/licenses/debian-copyright" "$stage/licenses/Qt/copyright-of-every-file.txt"
qt_package_version="$(dpkg-query -W -f='${Version}' libqt6core6)"
cat > "$stage/licenses/Qt/SOURCE.txt" <<NOTICE
The Qt DLLs and plugins in this folder are Qt ${qt_package_version%%+*} (qtbase), used
under the GNU Lesser General Public License version 3 (LGPL-3.0-only.txt);
the third-party code inside them is under the licences named in
copyright-of-every-file.txt.

They were built without changes from Debian's source package qt6-base,
version $qt_package_version, which Debian's archive and its snapshot
archive keep. On any Debian 12 system this fetches that source, with
Debian's patches:

  apt-get source qt6-base=$qt_package_version

Qt's own unchanged source of the same version is in the Qt Project's
archive of releases.

You may replace these DLLs with your own build of Qt ${qt_package_version%%+*} (MinGW-w64,
64-bit): the programs load them from this folder.
NOTICE
for file in $(printf '%s\n' "${runtime_files[@]}" | sort -u); do
    package="$(dpkg -S "$file" | head -n 1 | cut -d: -f1)"
    cp "/usr/share/doc/$package/copyright" "$stage/licenses/MinGW-w64/$package.txt"
done

cat > "$stage/README.txt" <<README
OJN Tevrik Editor $version for 64-bit Windows
==========================================

An editor for the header of O2Jam note charts (.ojn files).

Nothing to install: keep this folder together, anywhere, and start
ojn-tevrik-editor.exe. To remove the program, delete the folder; it
writes nothing anywhere else (no settings, no registry entries).
To open a chart, use Browse OJN..., drop the chart on the window, or
choose "Open with" on a chart in Explorer and pick ojn-tevrik-editor.exe.

ojn-header.exe does the same from a command prompt, for scripts and
batches; "ojn-header --help" is its whole manual. Example:

    ojn-header show C:\O2Jam\Music\o2ma100.ojn

Chart texts are read and written in Windows' ANSI code page (949 on a
Korean Windows, 932 on a Japanese one, 1252 on a Western one).
ojn-header takes another with --code-page, e.g. --code-page 949 for
Korean charts on a Western Windows.

The licences of the parts that come with the program are in licenses\.
README

# Windows line ends, for Notepad.
sed -i 's/$/\r/' "$stage/README.txt" "$stage/licenses/Qt/SOURCE.txt"

zip_file="build-windows/$name.zip"
rm -f "$zip_file"
(cd build-windows/zip && zip -q -r -9 "../$name.zip" "$name")
echo "$zip_file"
