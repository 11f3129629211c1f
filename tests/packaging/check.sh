#!/usr/bin/env bash
# Desktop integration and packaging as each platform's own tools see them: the Windows version
# record compiled by mingw's windres, the macOS .icns header, and the .deb that cpack makes, its
# desktop entry and AppStream data passed through the freedesktop validators.
# Usage: check.sh APP-ID VERSION TAVLIN-RC ICON-DIR BUILD-DIR
set -euo pipefail
id=$1 version=$2 rc=$3 icons=$4 build=$5 windres=x86_64-w64-mingw32-windres
for tool in desktop-file-validate appstreamcli "$windres" cpack dpkg-shlibdeps identify; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The Windows version record, compiled with the host's cpp as preprocessor and read back from the
# binary: its numbers and shown version are the project's, and its strings are in the block the
# translation names (US English, Unicode), the only one Windows looks in.
"$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED -i "$rc" -O res -o "$work/tavlin.res"
"$windres" -i "$work/tavlin.res" -O rc -o "$work/tavlin.rc"
IFS=. read -r major minor patch tweak <<<"$version"
v="$major, $minor, $patch, $tweak" shown=$(printf %d.%02d.%04d "$major" "$minor" "$tweak")
printf '%s\n' " FILEVERSION $v" " PRODUCTVERSION $v" '    BLOCK "040904B0"' \
    "      VALUE \"FileVersion\", \"$shown\"" "      VALUE \"ProductVersion\", \"$shown\"" \
    '    VALUE "Translation", 0x409, 1200' >"$work/want"
[ "$(grep -cxFf "$work/want" "$work/tavlin.rc")" = 6 ] \
    || fail "version record: $(<"$work/tavlin.rc")"
[ "$(grep -c ' 3 /\* RT_ICON ' "$work/tavlin.rc")" = "$(identify "$icons/tavlin.ico" | wc -l)" ] \
    || fail "the program's icon does not hold every image of tavlin.ico"

# The .icns: its header names the format and the file's whole length.
icns=$icons/tavlin.icns
[ "$(head -c 4 "$icns")" = icns ] && [ "$(od -An -j 4 -N 4 -t u4 --endian=big "$icns" | tr -d ' ')" \
    -eq "$(stat -c %s "$icns")" ] || fail "icns header"

# cpack first brings the build tree up to date, then packs what install puts in place.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 \
    || { tail -n 30 "$work/cpack.log" "$work"/pkg/_CPack_Packages/*/*/*Output.log >&2; fail cpack; }
root=$work/root share=usr/share control=$(dpkg-deb --field "$work"/pkg/*.deb)
dpkg-deb -x "$work"/pkg/*.deb "$root"
# dpkg-shlibdeps must have found the Qt libraries the program links.
[ "$(grep -cE "^(Package: tavlin|Version: $version|Section: games|Maintainer: .|Description: .|\
Depends: .*libqt6widgets6)" <<<"$control")" = 6 ] || fail "control data: $control"
# Both validators pass findings that matter (appstreamcli a missing content rating, an info): only
# hints, and the .example domain's id not looking like reverse DNS, are accepted. validate-tree
# also matches the AppStream file's name and launchable to the id and the installed entry.
entry=$root/$share/applications/$id.desktop
report=$(desktop-file-validate "$entry" 2>&1 && appstreamcli validate-tree --no-net "$root" 2>&1) \
    && ! grep -E '^ *[EWI]: |: (error|warning): ' <<<"$report" | grep -v ': cid-maybe-not-rdns ' \
    && grep -q "version=\"$version\" date=\"[0-9]" "$root/$share/metainfo/$id.metainfo.xml" \
    || fail "validators, or no dated release $version in the AppStream data: $report"
bin=usr/bin/$(sed -n 's/^Exec=//p' "$entry") icon=$(sed -n 's/^Icon=//p' "$entry")
# Distributions reject a run path in an installed program.
[ -x "$root/$bin" ] && ! readelf -d "$root/$bin" | grep -E 'R(UN)?PATH' \
    || fail "$bin is no program or carries a run path"
# What the package holds; the icons named as the desktop entry names them.
want=("$bin" "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml"
      "$share/icons/hicolor/scalable/apps/$icon.svg")
for png in "$icons"/tavlin-*.png; do
    size=${png##*-} size=${size%.png} file=$share/icons/hicolor/${size}x$size/apps/$icon.png
    [ "$(identify -format %wx%h "$root/$file")" = "${size}x$size" ] || fail "$file: no $size px icon"
    want+=("$file")
done
[ "$(find "$root" ! -type d -printf '%P\n' | sort)" = "$(printf '%s\n' "${want[@]}" | sort)" ] \
    || fail "the package holds: $(find "$root" ! -type d -printf '%P ')"
echo "passed"
