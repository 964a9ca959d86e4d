#!/usr/bin/env bash
# Cross-builds everything with its tests for 64-bit Windows, writes the zip
# and the installer, and runs the whole CTest suite under Wine, on Qt's
# offscreen platform (the installer's test on Xvfb). Exits non-zero when a
# test fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/windows/lookups.sh

qt="$(scripts/windows/configure.sh | tail -n 1)"
cmake --build build-windows
# The zip and the installer, which a test installs.
scripts/build-windows.sh >/dev/null

# A Wine prefix of its own inside the build folder, made without a display:
# no Mono or Gecko installers (they would ask), no window to wait for.
export WINEPREFIX="$PWD/build-windows/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# As in CI: no display, whatever the desktop this runs on.
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wine wineboot --init </dev/null >/dev/null 2>&1 || { echo "Could not make the Wine prefix $WINEPREFIX." >&2; exit 1; }
    timeout 60 wineserver --wait || true
fi
# Where the programs find Qt's and MinGW's DLLs (Windows paths).
WINEPATH="$(windows_path "$qt/bin")"
while read -r dir; do WINEPATH+=";$(windows_path "$dir")"; done < <(mingw_runtime_dirs)
export WINEPATH

started=$SECONDS
status=0
ctest --test-dir build-windows --output-on-failure --timeout 900 || status=$?
echo "Windows tests under Wine took $((SECONDS - started)) s."
wineserver --kill 2>/dev/null || true
exit "$status"
