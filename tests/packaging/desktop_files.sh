#!/usr/bin/env bash
# The generated desktop entry and AppStream file pass the freedesktop validators, and agree with
# each other: desktops find one through the other by the application id.
# Usage: desktop_files.sh DESKTOP-FILE METAINFO-FILE APP-ID VERSION
set -euo pipefail
desktop=$1 metainfo=$2 id=$3 version=$4

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }

# desktop-file-validate exits 0 on warnings; only its hints are acceptable here.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -v 'hint:' <<<"$report" | grep . >/dev/null; then
    fail "desktop-file-validate: $report"
fi
# appstreamcli fails only on errors and warnings, yet some infos matter too (a missing content
# rating is one). The single accepted note: the reserved .example domain of the home page makes
# the id look unlike reverse DNS to the validator.
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $report"
if grep '^[EWI]:' <<<"$report" | grep -v ': cid-maybe-not-rdns ' | grep . >/dev/null; then
    fail "appstreamcli: $report"
fi

[ "$(basename "$desktop")" = "$id.desktop" ] || fail "desktop file is not named $id.desktop"
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo is not named $id.metainfo.xml"
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Name)" = "Tavlin Solitaire" ] || fail "Name"
[ "$(key Exec)" = "tavlin" ] || fail "Exec"
[ "$(key Icon)" = "$id" ] || fail "Icon is not the application id"
[ "$(key Categories)" = "Game;BoardGame;" ] || fail "Categories"

grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "metainfo does not launch the desktop file"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" \
    || fail "metainfo has no dated release $version"
grep -q '<image>https://[^<]*/docs/screenshot.png</image>' "$metainfo" || fail "screenshot"
echo "ok: desktop entry and AppStream data"
