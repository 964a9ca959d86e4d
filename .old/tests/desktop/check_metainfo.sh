#!/usr/bin/env bash
# Validates the AppStream metainfo offline, then checks that it names the
# launcher beside it and that its newest release is the version we build.
# Usage: check_metainfo.sh METAINFO DESKTOP_ID VERSION
set -euo pipefail
metainfo=$1 desktop_id=$2 version=$3

fail() { echo "FAIL: $*"; exit 1; }

appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused $metainfo"

component_id=$(basename "$metainfo" .metainfo.xml)
grep -q "<id>$component_id</id>" "$metainfo" || fail "the id is not $component_id, the file's name"
grep -q "<launchable type=\"desktop-id\">$desktop_id</launchable>" "$metainfo" \
    || fail "the launchable is not $desktop_id"
grep -q '<screenshot type="default">' "$metainfo" || fail "no default screenshot"
grep -q '<mediatype>application/x-o2jam-ojn</mediatype>' "$metainfo" || fail "the chart type is not provided"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the newest release is '$newest', the project is $version"
echo "metainfo ok"
