#!/usr/bin/env bash
# Installs the Debian packages this project needs, when any is missing.
# Usage: scripts/install-deps.sh [run|test|package|screenshot|windows]
set -euo pipefail
purpose="${1:-run}"
case "$purpose" in
    run|test|package|screenshot|windows) ;;
    *) echo "Usage: $0 [run|test|package|screenshot|windows]" >&2; exit 2 ;;
esac

# Each package once, with the purposes that need it ("all": every one).
packages_for() {
    sed 's/#.*//' <<'TABLE' | awk -v want="$1" 'NF { for (i = 2; i <= NF; i++) if ($i == want || $i == "all") { print $1; break } }'
cmake                      all
g++                        all
ninja-build                all
qt6-base-dev               all                            # also the host tools (moc, rcc) of the Windows build
libgl-dev                  all
xvfb                       test screenshot windows        # real windows without a display
xauth                      test screenshot windows
x11-utils                  test screenshot                # xprop, to read a window
xdotool                    test screenshot windows        # finding and clicking windows
libglib2.0-bin             test screenshot                # gio: launching from the menu entry
util-linux                 test                           # setpriv: permission tests as an ordinary user
strace                     test                           # the order of a save's system calls
desktop-file-utils         test                           # the menu entry's validator
appstream                  test                           # the metainfo's validator
dpkg-dev                   test package windows           # dpkg-shlibdeps for the package; dpkg-source for Qt's source
file                       test package                   # dpkg-shlibdeps asks it
shared-mime-info           test                           # the chart file type in a temporary prefix,
xdg-utils                  test                           # and xdg-mime with the `mimetype` it asks
libfile-mimeinfo-perl      test                           # outside a desktop session
clang                      test                           # the sanitizer build and libFuzzer
libclang-rt-14-dev         test
imagemagick                screenshot                     # grabbing the window
g++-mingw-w64-x86-64-posix windows                        # the cross compilers (posix threads, as Qt needs)
xz-utils                   windows                        # Qt's source
wine                       windows                        # running the tests and the installer
wine64                     windows
fonts-dejavu-core          windows                        # a font for the offscreen platform under Wine
zip                        windows                        # the portable folder
unzip                      windows
nsis                       windows                        # makensis: the installer
TABLE
}
mapfile -t packages < <(packages_for "$purpose")

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
