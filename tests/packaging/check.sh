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
id=$1 version=$2 rc=$3 icons=$4 build=$5 windres=x86_64-w64-mingw32-windres src=$(cd "$(dirname "$0")/../.." && pwd)
for tool in desktop-file-validate appstreamcli "$windres" cpack dpkg-shlibdeps file identify lintian groff reuse git \
    Xvfb xdotool; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }; done
fail() { echo "FAIL: $*" >&2; exit 1; }
same() { [ "$2" = "$3" ] || fail "$1: found '$2', wanted '$3'"; }
# A scratch folder ($workdir), and start_xvfb, whose processes end with the script.
source "$src/scripts/lib/xvfb.sh" && w=$workdir

# The Windows version record, compiled with the host's cpp as preprocessor and read back from the
# binary: its numbers and shown version are the project's, its strings are in the block the
# translation names (US English, Unicode), the only one Windows looks in, its copyright names the
# licence, and it holds every image of the icon.
"$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED -i "$rc" -o "$w/t.res" && rec=$("$windres" -i "$w/t.res")
# %.0s leaves out the patch number.
# shellcheck disable=SC2086 # the version's numbers are printf's arguments
v=${version//./, } shown=$(printf '%d.%02d.%.0s%04d' ${version//./ })
same version "$(grep -oP 'VERSION \K.*|BLOCK "\K04\w+|Version", "\K[^"]*|Copyright".*\KMIT License|Translation", \K.*' \
    <<<"$rec" | paste -sd '|')" "$v|$v|040904B0|$shown|MIT License|$shown|0x409, 1200"
same "icon images" "$(grep -c ' 3 /\* RT_ICON ' <<<"$rec")" "$(identify "$icons/tavlin.ico" | wc -l)"
# The .icns: its header names the format and the file's whole length.
same icns "$(file -b "$icons/tavlin.icns" | cut -d, -f1,2)" "Mac OS X icon, $(stat -c %s "$icons/tavlin.icns") bytes"

# cpack first brings the build tree up to date, then packs what install puts in place.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$w/pkg" >"$w/cpack.log" 2>&1 \
    || fail "cpack: $(tail -n 30 "$w/cpack.log" "$w"/pkg/_CPack_Packages/*/*/*Output.log)"
deb=$(echo "$w"/pkg/*.deb) root=$w/root share=usr/share && dpkg-deb -x "$deb" "$root"
# dpkg-shlibdeps must have found the Qt libraries the program links.
control=$(dpkg-deb --field "$deb") && same "control data: $control" "$(grep -cE "^(Package: tavlin|Version: $version|\
Section: games|Maintainer: .|Description: .|Depends: fonts-liberation, .*libqt6widgets6)" <<<"$control")" 6

# lintian finds nothing, pedantic tags included. Checked string functions need an optimised
# build, so a Debug build's package may lack them.
grep -qx CMAKE_BUILD_TYPE:STRING=Debug "$build/CMakeCache.txt" && quiet=(--suppress-tags hardening-no-fortify-functions)
lintian --pedantic -I --fail-on error,warning,info,pedantic "${quiet[@]}" "$deb" >"$w/lintian.log" 2>&1 \
    || fail "lintian: $(<"$w/lintian.log")"

# Both validators pass findings that matter; appstreamcli's are reported as infos, so any line
# fails but three. The .example domain of the id does not look like reverse DNS to it. Debian
# 12's appstreamcli (0.16) predates AppStream 1.0's <developer>, which replaced <developer_name>.
# A control in <requires> keeps the game off devices without one, which is the point: it is
# played only with a pointer. validate-tree also matches the AppStream file's name and
# launchable to the id and the installed entry. The summary is at most 35 characters (Flathub);
# the desktop entry's comment is the same text.
entry=$root/$share/applications/$id.desktop && field() { sed -n "s/^$1=//p" "$entry"; }
report=$(desktop-file-validate "$entry" 2>&1 && appstreamcli validate-tree --pedantic --no-net "$root" 2>&1) \
    && ! grep -E '^ *[EWIP]: |: (error|warning): ' <<<"$report" \
    | grep -vE ': (cid-maybe-not-rdns |unknown-tag developer$|relation-control-in-requires$)' \
    && grep -q "version=\"$version\" date=\"[0-9]" "$root/$share/metainfo/$id.metainfo.xml" \
    && summary=$(field Comment) && [ "${#summary}" -le 35 ] \
    || fail "validators, a summary over 35 characters, or no dated release $version: $report"

# Debian keeps games in /usr/games, which is on its users' PATH, so the entry's Exec finds it.
# Distributions reject a run path in an installed program.
bin=$root/usr/games/$(field Exec) icon=$(field Icon)
[ -x "$bin" ] && ! readelf -d "$bin" | grep -E 'R(UN)?PATH' || fail "$bin is no program or carries a run path"
# The command line is answered before Qt looks for a display: --version and --help on stdout
# with status 0, anything else refused in one line on stderr with status 2. Each run is followed
# by [STATUS STDERR-LINES].
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" "$@" 2>"$w/err"; echo "[$? $(wc -l <"$w/err")]"; }
same --version "$(run --version)" "Tavlin Solitaire $version"$'\n[0 0]'
help=$(run --help) && [[ $help = "Usage: tavlin "*$'\n[0 0]' ]] || fail "--help: $help"
# shellcheck disable=SC2086 # each case is split into its arguments
for args in --bogus '--help --version'; do same "tavlin $args" "$(run $args)" "[2 1]"; done
# The manual page: groff finds nothing to warn about, and it names the options --help prints.
page=$(zcat "$root/$share/man/man6/tavlin.6.gz") && same "groff on tavlin.6" "$(groff -man -z -ww 2>&1 <<<"$page")" ""
same "options of tavlin.6 and --help" "$(sed -n 's/^\.B \\-\\-\([a-z]*\)$/--\1/p' <<<"$page" | sort -u)" \
    "$(grep -o -- '--[a-z]*' <<<"$help" | sort -u)"

# On X11 the launcher matches the window by its class, the second string of WM_CLASS, which
# xdotool's --class matches (with --all, or the pid alone would do).
start_xvfb
QT_QPA_PLATFORM=xcb "$bin" 2>"$w/game.log" & pids+=($!)
timeout 30 xdotool search --sync --all --onlyvisible --pid "$!" --class "^$(field StartupWMClass)\$" >/dev/null \
    || fail "no window of class $(field StartupWMClass): $(<"$w/game.log")"

# What the package holds, with the size of each PNG: a hicolor icon of each size the build drew,
# in its size's folder and named as the desktop entry names it.
hi=$share/icons/hicolor want=("${bin#"$root/"}" "$share/"{applications/$id.desktop,metainfo/$id.metainfo.xml} \
    "$share/"{man/man6/tavlin.6.gz,doc/tavlin/changelog.gz,doc/tavlin/copyright} "$hi/scalable/apps/$icon.svg")
for png in "$icons"/tavlin-*.png; do s=${png%.png} s=${s##*-}; want+=("$hi/${s}x$s/apps/$icon.png ${s}x$s"); done
same "the package's files" "$(cd "$root" && { find ./* ! -type d ! -name '*.png'; find ./* -name '*.png' \
    -exec identify -format '%d/%f %wx%h\n' {} +; } | cut -c 3- | sort)" "$(printf '%s\n' "${want[@]}" | sort)"

# Every file of the source tree has a copyright and a licence. Debian 12's reuse (1.1) predates
# REUSE.toml, so it lints a copy of the tree that has, instead, the same annotations as the
# .reuse/dep5 it reads: the package's copyright file, without the "Files: *" paragraph that
# stands for the headers and would hide a missing one.
mkdir -p "$w/tree/.reuse" && git -C "$src" ls-files -z --cached --others --exclude-standard | grep -zvx REUSE.toml \
    | (cd "$src" && xargs -0 cp --parents -t "$w/tree") || fail "cannot copy the source tree"
awk -v RS= -v ORS='\n\n' '!/^Files: \*\n/' "$root/$share/doc/tavlin/copyright" >"$w/tree/.reuse/dep5"
report=$(reuse --root "$w/tree" lint 2>&1) || fail "reuse lint: ${report//$w\/tree\//}"
