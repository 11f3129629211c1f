#!/usr/bin/env bash
# The macOS icon made at build time: an .icns whose header length is the file's, holding one PNG
# for each size macOS asks for, each entry's PNG as wide as its type code says.
# Usage: icons.sh ICON-DIRECTORY
set -euo pipefail
icns="$1/tavlin.icns"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
bytes() { od -An -v -j "$2" -N "$3" -t x1 "$1" | tr -d ' \n'; }
number() { echo $((16#$(bytes "$1" "$2" 4))); }

[ "$(bytes "$icns" 0 4)" = "$(printf icns | od -An -t x1 | tr -d ' \n')" ] || fail "not an .icns"
total=$(stat -c %s "$icns")
[ "$(number "$icns" 4)" -eq "$total" ] || fail "header length $(number "$icns" 4), file $total"

declare -A width=([icp4]=16 [icp5]=32 [icp6]=64 [ic07]=128 [ic08]=256 [ic09]=512 [ic10]=1024)
seen=()
offset=8
while [ "$offset" -lt "$total" ]; do
    type=$(dd if="$icns" bs=1 skip="$offset" count=4 status=none)
    length=$(number "$icns" $((offset + 4)))
    [ -n "${width[$type]:-}" ] || fail "unknown entry $type"
    [ "$(bytes "$icns" $((offset + 8)) 8)" = 89504e470d0a1a0a ] || fail "$type is no PNG"
    # A PNG's width stands in its IHDR chunk, 16 bytes in.
    [ "$(number "$icns" $((offset + 24)))" -eq "${width[$type]}" ] || fail "$type has the wrong size"
    seen+=("$type")
    offset=$((offset + length))
done
[ "$offset" -eq "$total" ] || fail "entries overrun the file"
[ "${#seen[@]}" -eq "${#width[@]}" ] || fail "entries ${seen[*]}"
echo "ok: ${seen[*]}"
