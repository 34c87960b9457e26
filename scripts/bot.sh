#!/usr/bin/env bash
# Builds the game and lets the bot play the whole run from a new roster towards the
# ending; extra arguments go to dalvenor-bot (e.g. --seed 7, --goal 22:4, --quiet).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target dalvenor-bot dv_content_data dv_content_starter
exec build/game/dalvenor-bot "$@"
