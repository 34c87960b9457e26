#!/usr/bin/env bash
# The include check passes the real tree and names the file and line of an upward include.
set -euo pipefail
script="$1/scripts/check_includes.sh"

bash "$script" "$1" >/dev/null

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/core" "$tree/src/town" "$tree/src/dungeon"
printf '#include "core/game.h"\n' >"$tree/src/town/menu.cpp"
printf '#include "core/game.h"\n#include "ui/canvas.h"\n' >"$tree/src/dungeon/maze.cpp"
printf '#pragma once\n\n#include "ui/form.h"\n#include "town/menu.h"\n' >"$tree/src/core/window.h"
bash "$script" "$tree" >/dev/null || true
if out=$(bash "$script" "$tree"); then
    echo "an upward include was not caught"; exit 1
fi
grep -qx 'src/core/window.h:4: includes "town/menu.h" from the room above (town over core)' <<<"$out" ||
    { echo "unexpected report: $out"; exit 1; }
[[ $(wc -l <<<"$out") -eq 1 ]] || { echo "only the upward include is reported: $out"; exit 1; }
echo ok
