#!/usr/bin/env bash
# Takes docs/screenshot.png: the editor started from its launcher in a real
# window under Xvfb, a sample chart opened through the real file dialog.
# Then docs/screenshot-music-folder.png: the editor started on a sample
# game's Music folder, a chart with a duplicate song ID selected with the
# keys. There is no window manager, so the pictures show no title bar.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wait-for.sh

if [ "${1:-}" = --in-display ]; then
    chart=$2
    PATH="$PWD/build/src/app:$PATH" QT_QPA_PLATFORM=xcb gio launch desktop/io.github.ojntevrik.Editor.desktop
    wait_for 'main=$(xdotool search --onlyvisible --classname "^ojn-tevrik-editor$" | head -n 1); [ -n "$main" ]' 10
    # "Browse OJN...", then the file's path into the dialog's name field.
    xdotool mousemove --window "$main" 470 36 click 1
    wait_for 'dialog=$(xdotool search --onlyvisible --name "^Open$" | head -n 1); [ -n "$dialog" ]' 10
    xdotool windowfocus --sync "$dialog" type --delay 10 "$chart"
    xdotool key Return
    wait_for '[ -z "$(xdotool search --onlyvisible --name "^Open$")" ]' 10
    xdotool mousemove 0 0
    # Grab until two grabs agree: the window has finished painting.
    wait_for 'import -window "$main" "$shots/a.png" && sleep 0.2 && import -window "$main" "$shots/b.png" &&
              cmp -s <(convert "$shots/a.png" rgb:-) <(convert "$shots/b.png" rgb:-)' 10
    cp "$shots/b.png" docs/screenshot.png
    kill "$(xprop -id "$main" _NET_WM_PID | awk '{ print $3 }')"
    exit 0
fi

if [ "${1:-}" = --music-folder-in-display ]; then
    QT_QPA_PLATFORM=xcb build/src/app/ojn-tevrik-editor "$2" &
    wait_for 'folder=$(xdotool search --onlyvisible --name "^Music Folder: " | head -n 1); [ -n "$folder" ]' 10
    grabbed() {
        import -window "$folder" "$shots/a.png" && sleep 0.3 && import -window "$folder" "$shots/b.png" &&
            cmp -s <(convert "$shots/a.png" rgb:-) <(convert "$shots/b.png" rgb:-)
    }
    wait_for grabbed 10
    # From the filter box into the table, then down to o2ma110.ojn.
    xdotool windowfocus --sync "$folder" key Tab Home $(printf 'Down %.0s' {1..10})
    wait_for grabbed 10
    cp "$shots/b.png" docs/screenshot-music-folder.png
    kill %1
    exit 0
fi

scripts/install-deps.sh screenshot
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target ojn-tevrik-editor make_sample_chart make_sample_folder
shots=$(mktemp -d /tmp/charts.XXXXXX)
trap 'rm -rf "$shots"' EXIT
export shots
mkdir "$shots/O2Jam"
build/tests/support/make_sample_chart "$shots/O2Jam/o2ma1042.ojn"
mkdir -p docs
xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" "$0" --in-display "$shots/O2Jam/o2ma1042.ojn"
echo "docs/screenshot.png"
build/tests/support/make_sample_folder "$shots/game"
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" "$0" --music-folder-in-display "$shots/game/Music"
echo "docs/screenshot-music-folder.png"
