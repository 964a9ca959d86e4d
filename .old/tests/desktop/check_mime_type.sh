#!/usr/bin/env bash
# Installs the project to a temporary prefix and asks the desktop's tools
# there about a chart: it must have our type in either letter case, with our
# icon, and the launcher must be the application for that type.
# Usage: check_mime_type.sh BUILD_DIR MAKE_SAMPLE_CHART
set -euo pipefail
build=$1 make_chart=$2 type=application/x-o2jam-ojn
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
share=$work/prefix/share
cmake --install "$build" --prefix "$work/prefix" >/dev/null
update-mime-database "$share/mime"
update-desktop-database "$share/applications"

# Only the prefix counts, and xdg-mime takes its generic way, which asks
# `mimetype`: `file`, its fallback, knows nothing of charts.
export XDG_DATA_HOME=$share XDG_DATA_DIRS=$share XDG_CONFIG_HOME=$work XDG_CONFIG_DIRS=$work XDG_CURRENT_DESKTOP=X-Generic
unset XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY
"$make_chart" "$work/o2ma1042.ojn"
cp "$work/o2ma1042.ojn" "$work/O2MA1042.OJN"
for chart in "$work/o2ma1042.ojn" "$work/O2MA1042.OJN"; do
    found=$(XDG_UTILS_DEBUG_LEVEL=1 xdg-mime query filetype "$chart" 2>"$work/log")
    grep -q 'Running mimetype' "$work/log" || { cat "$work/log"; fail "xdg-mime did not ask mimetype"; }
    [ "$found" = "$type" ] || fail "xdg-mime: $chart is '$found'"
    # GLib reads the database on its own, as GNOME's file manager does.
    found=$(gio info -a standard::content-type "$chart" | sed -n 's/^ *standard::content-type: //p')
    [ "$found" = "$type" ] || fail "gio: $chart is '$found'"
    icon=$(gio info -a standard::icon "$chart" | sed -n 's/^ *standard::icon: //p' | cut -d, -f1)
    [ -f "$share/icons/hicolor/48x48/mimetypes/$icon.png" ] || fail "gio: $chart shows the icon '$icon', not one of ours"
done
found=$(xdg-mime query default "$type")
[ "$found" = io.github.ojntevrik.Editor.desktop ] || fail "the application for $type is '$found'"
echo "file type ok"
