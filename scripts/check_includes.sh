#!/usr/bin/env bash
# Fails when a source under src/ includes a room above its own. The rooms, bottom to top
# (docs/architecture.md):
#   ui core characters items combat monsters battle dungeon town app
# Each offending include is named with its file and line. An argument names another tree
# to check (the tests use a small one).
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

rooms=(ui core characters items combat monsters battle dungeon town app)
declare -A rank
for i in "${!rooms[@]}"; do rank[${rooms[$i]}]=$i; done

status=0
while IFS= read -r -d '' file; do
    room=${file#src/}
    room=${room%%/*}
    [[ -n ${rank[$room]+x} ]] || continue
    own=${rank[$room]}
    while IFS=: read -r line target; do
        target_room=${target%%/*}
        [[ -n ${rank[$target_room]+x} ]] || continue
        if (( ${rank[$target_room]} > own )); then
            echo "$file:$line: includes \"$target\" from the room above ($target_room over $room)"
            status=1
        fi
    done < <(grep -n -o '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*"' "$file" |
             sed -E 's/^([0-9]+):.*"([^"]*)"/\1:\2/')
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if (( status == 0 )); then
    echo "includes: every room includes only the rooms below it"
fi
exit $status
