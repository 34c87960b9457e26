#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers on)
# into build-fuzz/ and runs each for a fixed number of inputs from a fixed seed
# (DV_FUZZ_RUNS), within a time limit (DV_FUZZ_SECONDS). A crash or a sanitizer report
# fails the script and leaves the input in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${DV_FUZZ_SECONDS:-60}"
runs="${DV_FUZZ_RUNS:-200000}"
targets=(fuzz_data_files fuzz_records fuzz_save fuzz_settings fuzz_text)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DDV_FUZZ=ON -DDV_SANITIZE=ON -DDV_WERROR=OFF -DDV_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel 2 --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
status=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/${target}"
  log="build-fuzz/${target}.log"
  mkdir -p "$corpus"
  echo "fuzzing ${target} for ${seconds}s"
  # A fixed seed and a fixed number of runs make the check repeatable; the time limit
  # only guards a slow machine.
  if ! "build-fuzz/fuzz/${target}" "$corpus" -seed=1 -runs="$runs" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/artifacts/${target}-" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAILED: ${target} (input kept in build-fuzz/artifacts/)"
    status=1
  fi
done
exit "$status"
