#!/usr/bin/env bash
# The Windows version record, proven on Linux: mingw's windres compiles the generated resource
# script, and what the compiled record holds is read back and compared with the table it must
# hold. The fixed part is read from the binary itself, since the decompiler leaves zero fields out.
# Usage: version_resource.sh TAVLIN-RC
set -euo pipefail
rc=$1
windres=x86_64-w64-mingw32-windres

for tool in "$windres" cpp; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The mingw C compiler windres would call by default is not needed: the host's cpp does the job.
"$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED -i "$rc" -O res -o "$work/tavlin.res"
"$windres" -i "$work/tavlin.res" -O rc -o "$work/decompiled.rc"

# VS_FIXEDFILEINFO: thirteen little-endian DWORDs from its signature on, DWORD-aligned in a .res.
read -r -a fixed <<<"$(od -An -v -t x4 -w4 "$work/tavlin.res" \
    | awk '$1 == "feef04bd" { n = 13 } n > 0 { printf "%s ", $1; n-- }')"
names=(signature struct_version file_version_ms file_version_ls product_version_ms
       product_version_ls flags_mask flags os type subtype date_ms date_ls)
expected=(feef04bd 00010000 00010000 00000002 00010000
          00000002 00000000 00000000 00000004 00000001 00000000 00000000 00000000)
[ ${#fixed[@]} -eq 13 ] || fail "no VS_FIXEDFILEINFO in the compiled record"
for i in "${!names[@]}"; do
    [ "${fixed[i]}" = "${expected[i]}" ] \
        || fail "${names[i]} is 0x${fixed[i]}, expected 0x${expected[i]}"
done
echo "ok: fixed file info"

# The string table: exactly one block, "040904B0", holding exactly these strings.
blocks=$(sed -n '/BLOCK "StringFileInfo"/,/BLOCK "VarFileInfo"/p' "$work/decompiled.rc" \
    | grep -o 'BLOCK "[^"]*"' | grep -v StringFileInfo | grep -v VarFileInfo || true)
[ "$blocks" = 'BLOCK "040904B0"' ] || fail "string blocks: $blocks"
strings=$(sed -n '/BLOCK "StringFileInfo"/,/BLOCK "VarFileInfo"/p' "$work/decompiled.rc" \
    | sed -n 's/^ *VALUE "\([^"]*\)", "\(.*\)"$/\1=\2/p' | sort)
actual=$(sed -e 's/^CompanyName=..*/CompanyName=*/' -e 's/^LegalCopyright=..*/LegalCopyright=*/' \
    <<<"$strings")
want='CompanyName=*
FileVersion=1.00.0002
InternalName=Tavlin
LegalCopyright=*
OriginalFilename=Tavlin.exe
ProductName=Tavlin Solitaire
ProductVersion=1.00.0002'
if [ "$actual" != "$want" ]; then
    printf 'expected:\n%s\nactual:\n%s\n' "$want" "$strings" >&2
    fail "version strings"
fi
echo "ok: version strings"

translation=$(sed -n 's/^ *VALUE "Translation", *\([0-9a-fA-Fx]*\), *\([0-9a-fA-Fx]*\)$/\1 \2/p' \
    "$work/decompiled.rc")
read -r language codepage <<<"$translation"
[ -n "$language" ] && [ $((language)) -eq $((0x0409)) ] && [ $((codepage)) -eq $((0x04B0)) ] \
    || fail "translation is '$translation', expected 0x0409, 0x04B0"
echo "ok: translation"

# The icon: group 1 and as many images as the group lists.
grep -q '^1 14 /\* RT_GROUP_ICON \*/' "$work/decompiled.rc" || fail "no icon group 1"
listed=$(sed -n 's/.*Has \([0-9]*\) elements.*/\1/p' "$work/decompiled.rc")
images=$(grep -c '^[0-9]* 3 /\* RT_ICON \*/' "$work/decompiled.rc" || true)
[ -n "$listed" ] && [ "$listed" -gt 0 ] && [ "$listed" -eq "$images" ] \
    || fail "icon group lists '$listed' images, $images present"
echo "ok: icon with $images images"
