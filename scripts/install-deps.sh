#!/usr/bin/env bash
# Installs the Debian packages this project needs, when any is missing.
# Usage: scripts/install-deps.sh [run|test|package|screenshot|windows]
set -euo pipefail

packages=(cmake g++ ninja-build qt6-base-dev libgl-dev)
if [ "${1:-run}" = test ]; then
    # util-linux: setpriv, to run permission tests as an ordinary user.
    # strace: the order of a save's system calls. Real-window tests (Xvfb,
    # window lookup, launching from the desktop entry), metadata
    # validators, and dpkg-shlibdeps with file for the package.
    packages+=(xvfb xauth util-linux strace x11-utils xdotool libglib2.0-bin desktop-file-utils appstream dpkg-dev file)
    # The chart file type in a temporary prefix: the MIME database, and
    # xdg-mime with the `mimetype` it asks outside a desktop session.
    packages+=(shared-mime-info xdg-utils libfile-mimeinfo-perl)
    # clang and its runtimes: the sanitizer build and libFuzzer.
    packages+=(clang libclang-rt-14-dev)
fi
case "${1:-run}" in
    # CPack's DEB generator runs dpkg-shlibdeps, which needs file.
    package) packages+=(dpkg-dev file) ;;
    # ImageMagick grabs the window.
    screenshot) packages+=(xvfb xauth x11-utils xdotool libglib2.0-bin imagemagick) ;;
    # The cross compilers (posix threads, as Qt needs), dpkg-source for
    # Qt's source, Wine to run the tests, a font for the offscreen
    # platform there, and zip for the portable folder.
    windows) packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils wine wine64 fonts-dejavu-core zip unzip) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
