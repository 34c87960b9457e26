#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then the same tests under the
# address and undefined-behaviour sanitizers, then the release build, then a short run of
# each fuzz target. Warnings are errors in every build here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
export DV_WERROR=ON

bash scripts/check_includes.sh

bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDV_SANITIZE=ON -DDV_BENCH=OFF \
  -DDV_WERROR=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j "$jobs"

# A player's build is the release configuration: the optimiser finds warnings the others
# do not, so it is built here too.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDV_BENCH=OFF \
  -DDV_WERROR=ON >/dev/null
cmake --build build-release

if [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
