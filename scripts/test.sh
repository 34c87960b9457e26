#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build (warnings as errors),
# then the same tests under the address and undefined-behaviour sanitizers,
# then a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

bash scripts/check_includes.sh

bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDV_SANITIZE=ON -DDV_BENCH=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
