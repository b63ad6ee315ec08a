#!/usr/bin/env bash
# The main job: runs every demo script against its module and leaves the pictures (and, where a
# gauge makes sound, the recordings) under the output folder.
set -euo pipefail
panelhost=$(realpath "$1") modules=$(realpath "$2") out=$3
mkdir -p "$out"
for script in "$PWD"/demo/*.script; do
    name=$(basename "$script" .script)
    (cd "$out" && "$panelhost" script "$modules/${name%%-*}.so" "$script")
done
echo "demo: results written to $out/:"
ls -1 "$out" | sed 's/^/  /'
