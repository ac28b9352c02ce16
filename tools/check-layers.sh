#!/usr/bin/env bash
# Fails when an include in src/ runs upward: each folder may use only its own
# layer and the layers below it. Tests, fuzz targets and benchmarks stand
# outside the layers and may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer of each folder of src/, lowest first.
declare -A layer=([platform]=0 [calc]=1 [settings]=1 [logs]=1 [commands]=2 [app]=3 [cli]=3)

faults=0
while IFS=: read -r file line include; do
    from=${file#src/}
    from=${from%%/*}
    to=${include#*\"}
    to=${to%%/*}
    [[ -v layer[$to] ]] || continue
    if [[ ! -v layer[$from] ]]; then
        echo "$file: folder $from has no layer"
        faults=1
    elif ((layer[$to] > layer[$from])) || { ((layer[$to] == 3)) && [[ $to != "$from" ]]; }; then
        echo "$file:$line: $from includes $to, which is above it or beside it"
        faults=1
    fi
done < <(grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]*"' src \
             --include='*.h' --include='*.cpp')

if ((faults)); then
    echo "Layers: platform < calc, settings, logs < commands < app, cli"
    exit 1
fi
echo "Layers: no include runs upward"
