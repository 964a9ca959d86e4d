#!/usr/bin/env bash
# Takes docs/screenshot-windows.png: the editor from the portable Windows
# zip, run under Wine in a fresh Wine prefix on Xvfb, a sample chart opened
# through the Windows file dialog. There is no window manager, so the
# picture shows the menu bar and the client area without a title bar.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wait-for.sh
source scripts/windows/lookups.sh

if [ "${1:-}" = --in-display ]; then
    program=$2
    chart=$3
    # Wine's GDI reports font heights that put a line edit's text above its
    # box; Qt's FreeType engine draws the text where Windows does.
    WINEQT_QPA_PLATFORM=windows:fontengine=freetype wine "$program" >/dev/null 2>&1 &
    wait_for 'main=$(xdotool search --onlyvisible --name "^OJN Tevrik Editor" | head -n 1); [ -n "$main" ]' 120
    windows() { xdotool search --onlyvisible --classname '^ojn-tevrik-editor.exe$' | wc -l; }
    # "Browse OJN...", then the chart's Windows path into the file dialog
    # (a window without a title), whose name field has the focus.
    sleep 1
    xdotool mousemove --window "$main" 470 36 click 1
    wait_for '[ "$(windows)" -ge 2 ]' 30
    sleep 1
    xdotool type --delay 20 "$chart"
    xdotool key Return
    wait_for '[ "$(windows)" -eq 1 ]' 30
    xdotool mousemove 0 0
    # Grab until two grabs agree: the window has finished painting.
    wait_for 'import -window "$main" "$shots/a.png" && sleep 0.5 && import -window "$main" "$shots/b.png" &&
              cmp -s <(convert "$shots/a.png" rgb:-) <(convert "$shots/b.png" rgb:-)' 30
    cp "$shots/b.png" docs/screenshot-windows.png
    exit 0
fi

scripts/install-deps.sh screenshot
zip="$(scripts/build-windows.sh | grep '\.zip$')"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target make_sample_chart
shots=$(mktemp -d /tmp/charts.XXXXXX)
export shots WINEPREFIX="$shots/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver --kill 2>/dev/null || true; rm -rf "$shots"' EXIT
unzip -q "$zip" -d "$shots"
mkdir "$shots/O2Jam"
build/tests/support/make_sample_chart "$shots/O2Jam/o2ma1042.ojn"
program="$(find "$shots" -name ojn-tevrik-editor.exe)"
chart="$(windows_path "$shots/O2Jam/o2ma1042.ojn")"
mkdir -p docs
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$0" --in-display "$program" "$chart"
echo "docs/screenshot-windows.png"
