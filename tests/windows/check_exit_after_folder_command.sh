#!/usr/bin/env bash
# The real Windows program under Wine, on an X display: it opens a game's
# Music folder, names its files for their IDs (a folder command, which
# runs on the window's worker thread), and once both windows are closed
# the process ends within 10 seconds with status 0. A process left behind
# would hold the program's files, which an installer could then not
# replace.
# Usage: check_exit_after_folder_command.sh ZIP MAKE_SAMPLE_FOLDER_EXE
set -euo pipefail
zip=$(realpath "$1") make_folder=$2
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wait-for.sh"
source "$here/../../scripts/windows/lookups.sh"
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
trap 'wineserver --kill 2>/dev/null || true; rm -rf "$work"' EXIT
wine wineboot --init </dev/null >/dev/null 2>&1
wineserver --wait
unzip -q "$zip" -d "$work"
program=$(ls -d "$work"/ojn-tevrik-editor-*/)ojn-tevrik-editor.exe
wine "$make_folder" "$(windows_path "$work")\\game" >/dev/null
# A chart named for no ID, first in the table and so the one selected:
# naming files has a step to run.
mv "$work/game/Music/o2ma100.ojn" "$work/game/Music/aaa.ojn"

wine "$program" "$(windows_path "$work/game/Music")" &
editor=$!
wait_for 'folder=$(xdotool search --onlyvisible --name "^Music Folder: " | head -n 1); [ -n "$folder" ]' 120
# Keys go to the window with the focus; Wine may drop the first ones while
# a window comes up, so each step is tried again until it shows.
key() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key --clearmodifiers "${@:2}"; }
# Name Files for IDs from the Edit menu, Apply, then the box that reports it.
wait_for 'key "$folder" Escape alt+e n; sleep 1; plan=$(xdotool search --onlyvisible --name "^Name Files for IDs$" | head -n 1); [ -n "$plan" ]' 60
wait_for 'key "$plan" alt+a; sleep 1; [ -f "$work/game/Music/o2ma100.ojn" ]' 60
wait_for 'box=$(xdotool search --onlyvisible --name "^(Info|Error)$" | head -n 1); [ -n "$box" ]' 60
wait_for 'key "$box" Return; sleep 1; [ -z "$(xdotool search --onlyvisible --name "^(Info|Error)$")" ]' 60
# The folder is read again; should an update of the song list be offered,
# the answer is No. The question may come late, so each try to close the
# folder's window (Ctrl+W) first answers whatever box is up.
answer_boxes() {
    local question box
    question=$(xdotool search --onlyvisible --name "^Update Song List$" | head -n 1 || true)
    [ -z "$question" ] || key "$question" n
    box=$(xdotool search --onlyvisible --name "^(Info|Error)$" | head -n 1 || true)
    [ -z "$box" ] || key "$box" Return
}
wait_for 'answer_boxes; key "$folder" ctrl+w; sleep 1; [ -z "$(xdotool search --onlyvisible --name "^Music Folder: ")" ]' 60
main=$(xdotool search --onlyvisible --name "^OJN Tevrik Editor" | head -n 1 || true)
wait_for 'key "$main" alt+F4; sleep 1; [ -z "$(xdotool search --onlyvisible --name "^OJN Tevrik Editor")" ]' 60
deadline=$((SECONDS + 10))
while kill -0 "$editor" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program was still running 10 s after its last window closed"
    sleep 0.2
done
wait "$editor" || fail "the program ended with status $?"
echo "exit after a folder command ok"
