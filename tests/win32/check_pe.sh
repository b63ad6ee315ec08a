#!/usr/bin/env bash
# check_pe.sh OBJDUMP MODULE.dll...
#
# What the panel system needs of a gauge module file, read from its PE headers: a 32-bit x86
# DLL, exporting exactly the data records Linkage and ImportTable and nothing else (not even by
# ordinal), and importing only from DLLs that every Windows installation has, so the file works
# dropped into a panel folder on its own. Each failure names the module and the culprit.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: check_pe.sh OBJDUMP MODULE.dll..." >&2
    exit 2
fi
objdump=$1
shift

# Windows' own DLLs a module may import from (compared without case).
windows_dlls=(kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll dsound.dll ole32.dll
              oleaut32.dll winmm.dll shell32.dll comctl32.dll version.dll)
allowed=" ${windows_dlls[*]} "

failures=0
fail() {
    echo "FAIL $1" >&2
    failures=$((failures + 1))
}

for dll in "$@"; do
    name=$(basename "$dll")
    if [ ! -f "$dll" ]; then
        fail "$name: no such file: $dll (was the module built for Win32?)"
        continue
    fi
    if ! headers=$("$objdump" -p "$dll" 2>&1); then
        fail "$name: objdump cannot read it: $headers"
        continue
    fi

    grep -q 'file format pei-i386' <<<"$headers" ||
        fail "$name: not a 32-bit x86 PE file ($(grep -o 'file format .*' <<<"$headers" | head -1))"
    grep -q 'Magic.*(PE32)' <<<"$headers" || fail "$name: optional header is not PE32"
    # The line after "Characteristics" lists the flags, one a line, up to the first blank line.
    awk '/^Characteristics/{f=1; next} f && /^$/{exit} f' <<<"$headers" | grep -qx $'\tDLL' ||
        fail "$name: the file is not marked as a DLL"

    # Exports: the names in the [Ordinal/Name Pointer] table, and the size of the address table
    # (which counts exports by ordinal too).
    names=$(awk '/^\[Ordinal\/Name Pointer\] Table/{f=1; next} f && /^$/{exit}
                 f {sub(/^[ \t]*\[ *[0-9]+\] /, ""); print}' <<<"$headers" | sort)
    count=$(awk '/^Number in:/{f=1; next} f && /Export Address Table/{print $NF; exit}' <<<"$headers")
    [[ $count =~ ^[0-9a-fA-F]+$ ]] && count=$((16#$count))
    if [ "$names" != $'ImportTable\nLinkage' ]; then
        extra=$(comm -23 <(grep -v '^$' <<<"$names") <(printf 'ImportTable\nLinkage\n') | tr '\n' ' ')
        missing=$(comm -13 <(grep -v '^$' <<<"$names") <(printf 'ImportTable\nLinkage\n') | tr '\n' ' ')
        [ -n "$extra" ] && fail "$name: exports ${extra}besides Linkage and ImportTable"
        [ -n "$missing" ] && fail "$name: does not export ${missing% }"
    elif [ "${count:-0}" != 2 ]; then
        fail "$name: its export address table has ${count:-no} entries, expected exactly 2"
    fi

    # Imports: every "DLL Name:" line.
    while read -r import; do
        [ -z "$import" ] && continue
        lower=$(tr '[:upper:]' '[:lower:]' <<<"$import")
        [[ $allowed == *" $lower "* ]] ||
            fail "$name: depends on $import, which is not part of Windows (link it statically)"
    done < <(awk '/DLL Name:/{print $3}' <<<"$headers")
done

if [ $failures -ne 0 ]; then
    echo "check_pe: $failures problem(s)" >&2
    exit 1
fi
echo "check_pe: $# module(s) export exactly Linkage and ImportTable and import only Windows DLLs"
