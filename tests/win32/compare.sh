#!/usr/bin/env bash
# compare.sh MODE ...: runs one thing natively and under Wine and fails on any difference.
#
#   compare.sh formats NATIVE_PROBE WIN32_PROBE.exe
#   compare.sh inspect NATIVE_HOST WIN32_HOST.exe MODULE.so MODULE.dll [--json]
#   compare.sh script  NATIVE_HOST WIN32_HOST.exe MODULE.so MODULE.dll FILE.script
#   compare.sh load_failure WIN32_HOST.exe
#
# Standard output must be byte for byte the same once line ends are normalised (Wine's console
# may write CRLF) and the module's file name is written MODULE in both. The exit status must be
# the same, and so must standard error after the same normalisation, so a script that stops at a
# bad line stops at the same line with the same message in both forms.
set -uo pipefail

wine=${WINE:-wine}
export WINEDEBUG=${WINEDEBUG:--all}  # Wine's own notes would make standard error differ
mode=${1:-}
shift || true
# The runs happen in folders of their own, so file arguments become absolute paths (options,
# which start with "-", stay as they are).
args=()
for arg in "$@"; do
    case "$arg" in
    -*) args+=("$arg") ;;
    *) args+=("$(realpath -m -- "$arg")") ;;
    esac
done
set -- "${args[@]}"

work=$(mktemp -d "${TMPDIR:-/tmp}/win32-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/native" "$work/win32"

# normalise FILE NAME...: CRLF to LF, each NAME (a module file name) to MODULE. The lines of
# the `sound` command are left out: the Win32 host does not hear DirectSound inside the module,
# so the comparison covers `dump`, `windows` and `named`.
normalise() {
    local file=$1
    shift
    local sed_args=(-e 's/\r$//' -e '/^{"voices":/d')
    for name in "$@"; do
        sed_args+=(-e "s/$(sed 's/[.[\*^$/]/\\&/g' <<<"$name")/MODULE/g")
    done
    sed "${sed_args[@]}" "$file" >"$file.normal"
}

# run SIDE COMMAND...: runs in the side's own folder (scripts may write PNG files there).
run() {
    local side=$1
    shift
    (cd "$work/$side" && "$@" >"$work/$side.out" 2>"$work/$side.err")
    echo $? >"$work/$side.status"
}

# same WHAT: compares one kind of output of the two runs, printing a diff when they differ.
same() {
    local what=$1
    if ! cmp -s "$work/native.$what.normal" "$work/win32.$what.normal"; then
        echo "FAIL: $label: $what differs between the native form (---) and the Win32 form (+++):"
        diff -u --label native --label win32 "$work/native.$what.normal" \
            "$work/win32.$what.normal" | head -40
        return 1
    fi
    return 0
}

compare_runs() {
    local names=("$@")
    for side in native win32; do
        normalise "$work/$side.out" "${names[@]}"
        normalise "$work/$side.err" "${names[@]}"
    done
    local ok=0
    if [ "$(cat "$work/native.status")" != "$(cat "$work/win32.status")" ]; then
        echo "FAIL: $label: exit status $(cat "$work/native.status") natively," \
             "$(cat "$work/win32.status") under Wine"
        ok=1
    fi
    same out || ok=1
    same err || ok=1
    if [ $ok -ne 0 ]; then
        for side in native win32; do
            [ -s "$work/$side.err" ] && { echo "--- $side standard error:"; head -20 "$work/$side.err"; }
        done
        return 1
    fi
    if [ ! -s "$work/native.out" ]; then
        echo "FAIL: $label: no output at all"
        return 1
    fi
    echo "$label: the same $(wc -l <"$work/native.out.normal") lines in both forms"
}

case "$mode" in
formats)
    label="number formats"
    run native "$1"
    run win32 "$wine" "$2"
    compare_runs
    ;;
inspect)
    label="inspect $(basename "$3") ${*:5}"
    run native "$1" inspect "$3" "${@:5}"
    run win32 "$wine" "$2" inspect "$4" "${@:5}"
    compare_runs "$(basename "$3")" "$(basename "$4")"
    ;;
script)
    label="$(basename "$5")"
    run native "$1" script "$3" "$5"
    run win32 "$wine" "$2" script "$4" "$5"
    compare_runs "$(basename "$3")" "$(basename "$4")"
    ;;
load_failure)
    # A file that is missing and one that is no module: a clear message naming the file, a
    # non-zero exit, no crash.
    label="load failures"
    printf 'not a module\n' >"$work/win32/bogus.dll"
    status=0
    for file in "$work/win32/no_such_module.dll" "$work/win32/bogus.dll"; do
        name=$(basename "$file")
        run win32 "$wine" "$1" inspect "$file"
        code=$(cat "$work/win32.status")
        message=$(tr -d '\r' <"$work/win32.err")
        if [ "$code" = 0 ] || ! grep -q "Failed loading $name: ." <<<"$message"; then
            echo "FAIL: $label: $name: exit status $code, message: $message"
            status=1
        else
            echo "$name: $message"
        fi
    done
    exit $status
    ;;
*)
    echo "usage: compare.sh formats|inspect|script|load_failure ..." >&2
    exit 2
    ;;
esac
