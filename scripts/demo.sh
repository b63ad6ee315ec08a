#!/usr/bin/env bash
# The main job: runs every demo script against its module and leaves the pictures (and, where a
# gauge makes sound, the recordings) under the output folder.
set -euo pipefail
panelhost=$1 modules=$2 out=$3
mkdir -p "$out"
for script in demo/*.script; do
    name=$(basename "$script" .script)
    module="$modules/${name%%-*}.so"
    (cd "$out" && "$OLDPWD/$panelhost" script "$OLDPWD/$module" "$OLDPWD/$script")
done
echo "demo: results written to $out/:"
ls -1 "$out" | sed 's/^/  /'
