#!/usr/bin/env bash
# Validates the launcher, then checks what the validator cannot know: the
# entry starts our program with one chart, offers it for charts and shows
# our icon.
# Usage: check_desktop_entry.sh ENTRY PROGRAM ICON
set -euo pipefail
entry=$1 program=$2 icon=$3

fail() { echo "FAIL: $*"; exit 1; }

output=$(desktop-file-validate "$entry" 2>&1) || { echo "$output"; fail "desktop-file-validate refused $entry"; }
[ -z "$output" ] || echo "$output"
# Hints are advice; warnings and errors are faults.
! grep -qE '(warning|error):' <<<"$output" || fail "desktop-file-validate complained"

value() { sed -n "s/^$1=//p" "$entry"; }
expect() { [ "$(value "$1")" = "$2" ] || fail "$1 is '$(value "$1")', expected '$2'"; }
expect Type Application
expect Name "OJN Tevrik Editor"
# The program takes one local chart: %f, not %F or %u.
expect Exec "$program %f"
expect MimeType "application/x-o2jam-ojn;"
expect TryExec "$program"
expect Icon "$icon"
# Qt names an X11 window's class after the executable.
expect StartupWMClass "$program"
[ -n "$(value Comment)" ] || fail "no Comment"
grep -q '^Categories=.*Game;' "$entry" || fail "not in the Game category"
echo "desktop entry ok"
