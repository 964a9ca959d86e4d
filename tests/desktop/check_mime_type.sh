#!/usr/bin/env bash
# Installs the project to a temporary prefix and asks the desktop's own
# tools about a chart there: the MIME database built from our package file
# must give a chart, in either letter case, our type, and the launcher must
# be the application for that type.
# Usage: check_mime_type.sh BUILD_DIR MAKE_SAMPLE_CHART
set -euo pipefail
build=$1 make_chart=$2
type=application/x-o2jam-ojn
desktop_id=io.github.ojntevrik.Editor.desktop

fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
share=$work/prefix/share
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install failed"; }
update-mime-database "$share/mime" || fail "update-mime-database refused the package file"
grep -q '<comment>O2Jam note chart</comment>' "$share/mime/${type}.xml" || fail "$type is not in the database"
update-desktop-database "$share/applications" || fail "update-desktop-database failed"

# Only the prefix counts, and xdg-mime takes its generic way: no desktop
# session, no user settings.
export XDG_DATA_HOME=$share XDG_DATA_DIRS=$share XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/config
export XDG_CURRENT_DESKTOP=X-Generic
unset XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID DESKTOP_SESSION
# That way asks `mimetype`, which reads the database; without it xdg-mime
# falls back to `file`, which knows nothing of charts.
command -v mimetype >/dev/null || fail "mimetype (libfile-mimeinfo-perl) is not installed"

mkdir "$work/charts"
"$make_chart" "$work/charts/o2ma1042.ojn"
cp "$work/charts/o2ma1042.ojn" "$work/charts/O2MA1042.OJN"
for chart in "$work/charts/o2ma1042.ojn" "$work/charts/O2MA1042.OJN"; do
    name=$(basename "$chart")
    found=$(XDG_UTILS_DEBUG_LEVEL=1 xdg-mime query filetype "$chart" 2>"$work/xdg-mime.log") \
        || { cat "$work/xdg-mime.log"; fail "xdg-mime query filetype $name failed"; }
    grep -q 'Running mimetype' "$work/xdg-mime.log" || { cat "$work/xdg-mime.log"; fail "xdg-mime did not ask mimetype"; }
    [ "$found" = "$type" ] || fail "xdg-mime gives $name the type '$found', expected $type"
    # GLib reads the database on its own, as GNOME's file manager does.
    found=$(gio info -a standard::content-type "$chart" | sed -n 's/^ *standard::content-type: //p')
    [ "$found" = "$type" ] || fail "gio gives $name the type '$found', expected $type"
done

found=$(xdg-mime query default "$type")
[ "$found" = "$desktop_id" ] || fail "the application for $type is '$found', expected $desktop_id"
echo "file type ok"
