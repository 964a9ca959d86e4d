#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qtbase source, once, into a
# cache folder that later runs reuse. Prints the install prefix on its last
# line. The key holds the Qt version and a hash of the options below, so a
# change to either builds anew beside the old one.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
toolchain="$here/../../cmake/mingw-w64-x86_64.cmake"

qt_version="$(dpkg-query -W -f='${Version}' libqt6core6)"   # e.g. 6.4.2+dfsg-10
options=(
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Everything third-party from Qt's own copies: nothing to cross-build first.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_freetype=ON -DFEATURE_jpeg=ON -DFEATURE_png=ON
    -DFEATURE_widgets=ON -DFEATURE_testlib=ON
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF
    # "Dynamic OpenGL" stays on with only FEATURE_opengl=OFF.
    -DFEATURE_opengl=OFF -DINPUT_opengl=no
    # DirectWrite 3 goes with Direct2D, or qwindows.dll fails to link; GDI fonts stay.
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    # Debian's source drops the wintab headers that tablet events need.
    -DFEATURE_tabletevent=OFF
)
key="qt-${qt_version%%+*}-$(printf '%s\n' "${options[@]}" "$(cat "$toolchain")" | sha256sum | cut -c1-12)"
cache="${OJN_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ojn-tevrik-editor}"
prefix="$cache/$key/windows-x64"

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/$key/work"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/src"

# Debian's source of the very Qt version the host tools (moc, rcc, uic) have.
# A private sources list and state folder leave the system's apt as it was.
{
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && sed -n 's/^deb /deb-src /p' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed -E 's/^Types:.*/Types: deb-src/' "$f" > "$work/apt/$(basename "$f")"
    done
} > "$work/apt/sources.list"
apt_private=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt"
             -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache::Archives=$work/apt/archives"
             -o "APT::Sandbox::User=root")
apt-get "${apt_private[@]}" update -qq
(cd "$work/src" && apt-get "${apt_private[@]}" source -qq "qt6-base=$qt_version" >/dev/null)
source_dir="$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -n1)"

cmake -S "$source_dir" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" \
    > "$work/configure.log" || { tail -n 40 "$work/configure.log"; exit 1; }
cmake --build "$work/build" > "$work/build.log" || { grep -m 20 -B 5 -A 20 'FAILED\|error:' "$work/build.log"; exit 1; }
cmake --install "$work/build" > /dev/null
# Qt's licence texts and Debian's record of every file's copyright and
# licence, for the portable zip (scripts/build-windows.sh writes there
# where the source is). The source tree goes away below, so keep them now.
mkdir -p "$prefix/licenses"
cp "$source_dir"/LICENSES/*.txt "$prefix/licenses/"
cp "$source_dir/debian/copyright" "$prefix/licenses/debian-copyright"
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
