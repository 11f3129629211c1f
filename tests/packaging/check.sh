#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# Desktop integration and packaging as each platform's own tools see them: the Windows version
# record compiled by mingw's windres, the macOS .icns header, and the .deb that cpack makes
# judged by lintian, its desktop entry, AppStream data and manual page by their validators, its
# program by its command line and by the window class it shows on a private X server; last, the
# licensing of the source tree by reuse.
# Usage: check.sh APP-ID VERSION TAVLIN-RC ICON-DIR BUILD-DIR
set -euo pipefail
id=$1 version=$2 rc=$3 icons=$4 build=$5 windres=x86_64-w64-mingw32-windres
src=$(cd "$(dirname "$0")/../.." && pwd)
for tool in desktop-file-validate appstreamcli "$windres" cpack dpkg-shlibdeps identify lintian \
    groff reuse git Xvfb xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }
# A scratch folder ($workdir), and start_xvfb, whose processes end with the script.
source "$src/scripts/lib/xvfb.sh"
work=$workdir

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
    && grep '^ *VALUE "LegalCopyright", ".* MIT License\.' "$work/tavlin.rc" >/dev/null \
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
deb=$(echo "$work"/pkg/*.deb) root=$work/root share=usr/share control=$(dpkg-deb --field "$deb")
dpkg-deb -x "$deb" "$root"
# dpkg-shlibdeps must have found the Qt libraries the program links.
[ "$(grep -cE "^(Package: tavlin|Version: $version|Section: games|Maintainer: .|Description: .|\
Depends: fonts-liberation, .*libqt6widgets6)" <<<"$control")" = 6 ] || fail "control data: $control"

# lintian finds nothing, pedantic tags included. Checked string functions need an optimised
# build, so a Debug build's package may lack them.
tags=$(lintian --pedantic -I "$deb" 2>"$work/lintian.log") \
    || fail "lintian: $tags $(<"$work/lintian.log")"
grep -q '^CMAKE_BUILD_TYPE:STRING=Debug$' "$build/CMakeCache.txt" \
    && tags=$(grep -v ' hardening-no-fortify-functions ' <<<"$tags" || true)
[ -z "$tags" ] || fail "lintian: $tags"

# Both validators pass findings that matter; appstreamcli's are reported as infos, so any line
# fails but three. The .example domain of the id does not look like reverse DNS to it. Debian
# 12's appstreamcli (0.16) predates AppStream 1.0's <developer>, which replaced <developer_name>.
# A control in <requires> keeps the game off devices without one, which is the point: it is
# played only with a pointer. validate-tree also matches the AppStream file's name and
# launchable to the id and the installed entry. The summary is at most 35 characters (Flathub);
# the desktop entry's comment is the same text.
entry=$root/$share/applications/$id.desktop
summary=$(sed -n 's/^Comment=//p' "$entry")
report=$(desktop-file-validate "$entry" 2>&1 && appstreamcli validate-tree --pedantic --no-net \
    "$root" 2>&1) && ! grep -E '^ *[EWIP]: |: (error|warning): ' <<<"$report" \
    | grep -vE ': (cid-maybe-not-rdns |unknown-tag developer$|relation-control-in-requires$)' \
    && grep -q "version=\"$version\" date=\"[0-9]" "$root/$share/metainfo/$id.metainfo.xml" \
    && [ "${#summary}" -le 35 ] \
    || fail "validators, a summary over 35 characters, or no dated release $version: $report"

# Debian keeps games in /usr/games, which is on its users' PATH, so the entry's Exec finds it.
bin=$root/usr/games/$(sed -n 's/^Exec=//p' "$entry") icon=$(sed -n 's/^Icon=//p' "$entry")
# Distributions reject a run path in an installed program.
[ -x "$bin" ] && ! readelf -d "$bin" | grep -E 'R(UN)?PATH' \
    || fail "$bin is no program or carries a run path"
# The command line is answered before Qt looks for a display: --version and --help on stdout
# with status 0, anything else refused on stderr with status 2, and no window opened.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin")
[ "$("${nodisplay[@]}" --version 2>&1)" = "Tavlin Solitaire $version" ] \
    || fail "--version: $("${nodisplay[@]}" --version 2>&1)"
help=$("${nodisplay[@]}" --help 2>&1) && [[ $help = "Usage: tavlin "* ]] || fail "--help: $help"
# shellcheck disable=SC2086 # each case is split into its arguments
for args in --bogus '--help --version'; do
    status=0 out=$("${nodisplay[@]}" $args 2>"$work/err") || status=$?
    [ "$status" = 2 ] && [ -z "$out" ] && [ "$(wc -l <"$work/err")" = 1 ] \
        || fail "tavlin $args: status $status, stdout '$out', stderr '$(<"$work/err")'"
done
# The manual page: groff finds nothing to warn about, and it names the options --help prints.
man=$root/$share/man/man6/tavlin.6.gz
warnings=$(zcat "$man" | groff -man -z -ww 2>&1) && [ -z "$warnings" ] || fail "tavlin.6: $warnings"
[ "$(zcat "$man" | sed -n 's/^\.B \\-\\-\([a-z]*\)$/--\1/p' | sort -u)" \
    = "$(grep -o -- '--[a-z]*' <<<"$help" | sort -u)" ] \
    || fail "tavlin.6 and --help name different options"

# On X11 the launcher matches the window by its class, the second string of WM_CLASS.
start_xvfb
QT_QPA_PLATFORM=xcb "$bin" 2>"$work/game.log" &
pids+=($!)
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$!" --name '^Tavlin Solitaire$' \
    | head -n 1) || fail "no game window: $(<"$work/game.log")"
class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
[ "$class" = "$(sed -n 's/^StartupWMClass=//p' "$entry")" ] || fail "the window's class is '$class'"

# What the package holds; the icons named as the desktop entry names them.
want=("${bin#"$root/"}" "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml"
      "$share/icons/hicolor/scalable/apps/$icon.svg" "$share/man/man6/tavlin.6.gz"
      "$share/doc/tavlin/changelog.gz" "$share/doc/tavlin/copyright")
for png in "$icons"/tavlin-*.png; do
    size=${png##*-} size=${size%.png} file=$share/icons/hicolor/${size}x$size/apps/$icon.png
    [ "$(identify -format %wx%h "$root/$file")" = "${size}x$size" ] || fail "$file: no $size px icon"
    want+=("$file")
done
[ "$(find "$root" ! -type d -printf '%P\n' | sort)" = "$(printf '%s\n' "${want[@]}" | sort)" ] \
    || fail "the package holds: $(find "$root" ! -type d -printf '%P ')"

# Every file of the source tree has a copyright and a licence. Debian 12's reuse (1.1) predates
# REUSE.toml, so it lints a copy of the tree that has, instead, the same annotations as the
# .reuse/dep5 it reads: the package's copyright file, without the "Files: *" paragraph that
# stands for the headers and would hide a missing one.
mkdir -p "$work/tree/.reuse"
git -C "$src" ls-files -z --cached --others --exclude-standard | grep -zvx REUSE.toml \
    | (cd "$src" && xargs -0 cp --parents -t "$work/tree") || fail "cannot copy the source tree"
awk -v RS= -v ORS='\n\n' '!/^Files: \*\n/' "$root/$share/doc/tavlin/copyright" \
    >"$work/tree/.reuse/dep5"
report=$(reuse --root "$work/tree" lint 2>&1) || fail "reuse lint: ${report//$work\/tree\//}"
echo "passed"
