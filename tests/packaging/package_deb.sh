#!/usr/bin/env bash
# The .deb as a user gets it: built by cpack, its control data and file list checked, unpacked
# into a scratch root and started on a private X server. On a throwaway CI machine (root and
# CI=true) it is also really installed, started from /usr/bin and removed again; anywhere else the
# system is left untouched.
# Usage: package_deb.sh BUILD-DIR APP-ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3

for tool in cpack dpkg-deb dpkg-shlibdeps identify xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../e2e/lib.sh"

installed=false
finish() {
    cleanup
    if $installed; then
        dpkg -r tavlin >/dev/null 2>&1 || true
    fi
}
trap finish EXIT

# cpack first brings the build tree up to date (its preinstall step), then installs from it.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$workdir/pkg" >"$workdir/cpack.log" 2>&1
then
    cat "$workdir/cpack.log" >&2
    find "$workdir/pkg" -name '*Output.log' -exec tail -n 30 {} + >&2
    fail "cpack"
fi
debs=("$workdir"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tavlin ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), expected $version"
[ "$(field Section)" = games ] || fail "section"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "maintainer or description"
depends=$(field Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
    grep -Eq "(^|, )$lib(t64)? " <<<"$depends" || fail "Depends lacks $lib: $depends"
done
echo "ok: control data"

expected="./usr/bin/tavlin
./usr/share/applications/$id.desktop
./usr/share/metainfo/$id.metainfo.xml
./usr/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256; do
    expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
listing=$(dpkg-deb --contents "$deb")
actual=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
if [ "$actual" != "$(sort <<<"$expected")" ]; then
    printf 'expected:\n%s\nactual:\n%s\n' "$(sort <<<"$expected")" "$actual" >&2
    fail "package contents"
fi
grep -q '^-rwxr-xr-x .* \./usr/bin/tavlin$' <<<"$listing" || fail "binary not executable"
echo "ok: contents"

root="$workdir/root"
dpkg-deb -x "$deb" "$root"
# Distributions reject a run path in an installed binary.
if readelf -d "$root/usr/bin/tavlin" | grep -E 'R(UN)?PATH' >/dev/null; then
    fail "the binary carries a run path: $(readelf -d "$root/usr/bin/tavlin" | grep -E 'R(UN)?PATH')"
fi
for size in 16 22 24 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "icon $png is not $size px"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "scalable icon"
echo "ok: icons"

# Seen as a whole, the installed AppStream data must find its desktop entry; the one accepted
# note is the .example domain, as in desktop_files.
if command -v appstreamcli >/dev/null; then
    report=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli: $report"
    if grep '^ *[EWI]:' <<<"$report" | grep -v ': cid-maybe-not-rdns ' | grep . >/dev/null; then
        fail "appstreamcli: $report"
    fi
    echo "ok: installed tree"
fi

start_xvfb
start_game "$root/usr/bin/tavlin"
# X11 docks match a window to its menu entry through WM_CLASS.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$id.desktop")
xprop -id "$wid" WM_CLASS | grep "= \"$wm_class\"," >/dev/null \
    || fail "WM_CLASS $(xprop -id "$wid" WM_CLASS) does not match StartupWMClass=$wm_class"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
echo "ok: the unpacked program shows its window"

if [ "$(id -u)" -ne 0 ] || [ "${CI:-}" != true ]; then
    echo "not installing: only as root with CI=true"
    exit 0
fi
is_installed() { [ "$(dpkg-query -W -f='${Status}' tavlin 2>/dev/null)" = "install ok installed" ]; }
is_installed && fail "tavlin is already installed; not touching it"
installed=true
dpkg -i "$deb" >/dev/null
status=$(dpkg -s tavlin)
grep -qx 'Status: install ok installed' <<<"$status" && grep -qx "Version: $version" <<<"$status" \
    || fail "dpkg -s tavlin: $status"
start_game /usr/bin/tavlin
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
echo "ok: installed and started from /usr/bin"

dpkg -r tavlin >/dev/null
installed=false
is_installed && fail "still installed after dpkg -r"
while read -r file; do
    [ ! -e "${file#.}" ] || fail "${file#.} left behind after dpkg -r"
done <<<"$expected"
echo "ok: removed"
