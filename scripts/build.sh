#!/usr/bin/env bash
# Configures and builds the game into build/ (the game folder is build/game/). Warnings
# stop the build only when DV_WERROR=ON (the test script sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDV_WERROR="${DV_WERROR:-OFF}" >/dev/null
cmake --build build
