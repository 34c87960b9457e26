#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers on)
# into build-fuzz/ and runs every one of them. Two ways:
#
#   bash scripts/fuzz.sh              the check the tests run: each target for its own fixed
#                                     number of inputs from a fixed seed; a target that does
#                                     not reach its number within the time guard
#                                     (DV_FUZZ_SECONDS, default 120 s) fails the check, as
#                                     does a crash or a sanitizer report
#   bash scripts/fuzz.sh long [SECS]  a longer search: each target for SECS seconds (default
#                                     600), its corpus kept and grown in build-fuzz/corpus/
#
# DV_FUZZ_TARGETS="fuzz_text fuzz_yaml" builds and runs only those targets.
#
# The seeds are cut from the shipped files (data files, save, settings, sources, pictures).
# A failing input is kept in build-fuzz/artifacts/. Afterwards build-fuzz/summary.txt gives,
# per target, the inputs run, the seconds, inputs per second, the coverage libFuzzer
# reports (cov: code edges reached, ft: features) and the corpus size.
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-check}"
long_seconds="${2:-600}"
guard="${DV_FUZZ_SECONDS:-120}"
case "$mode" in
  check | long) ;;
  *)
    echo "usage: bash scripts/fuzz.sh [long [SECONDS]]" >&2
    exit 2
    ;;
esac

# target, inputs in the check, largest input in bytes. Each number is what the target gets
# through in at most about 20 seconds on an idle two-core machine under the sanitizers
# (three to four times that when the machine is busy, still inside the guard): the
# whole-save targets build and read a 128154-byte image (the loader also writes it) for
# every input, so they run far fewer inputs than the small readers.
targets=(
  "fuzz_qtr3 30000 6000"
  "fuzz_qtr4 30000 6000"
  "fuzz_qtr5 20000 8000"
  "fuzz_qtr6 30000 4096"
  "fuzz_records 200000 4096"
  "fuzz_save 5000 4096"
  "fuzz_save_loader 8000 4096"
  "fuzz_settings 100000 2048"
  "fuzz_settings_numbers 100000 1024"
  "fuzz_text 60000 1024"
  "fuzz_yaml 100000 2048"
  "fuzz_maze_text 100000 4096"
  "fuzz_picture 20000 8192"
)
if [ -n "${DV_FUZZ_TARGETS:-}" ]; then
  chosen=()
  for t in "${targets[@]}"; do
    [[ " $DV_FUZZ_TARGETS " == *" ${t%% *} "* ]] && chosen+=("$t")
  done
  [ "${#chosen[@]}" -gt 0 ] || { echo "fuzz.sh: no target named in DV_FUZZ_TARGETS" >&2; exit 2; }
  targets=("${chosen[@]}")
fi
names=()
for t in "${targets[@]}"; do names+=("${t%% *}"); done

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DDV_FUZZ=ON -DDV_SANITIZE=ON -DDV_WERROR=OFF -DDV_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel 2 --target "${names[@]}"

# The shipped files the seeds are cut from: the normal build's game folder when there is
# one, otherwise the data files built here.
game=build/game
if [ ! -f "$game/QTR5.DAT" ]; then
  cmake --build build-fuzz --parallel 2 --target dv_content_data dv_content_starter
  game=build-fuzz/game
fi

seeds=build-fuzz/seeds
rm -rf "$seeds"
slice() { # slice FILE SKIP COUNT: COUNT bytes of FILE from byte SKIP
  dd if="$1" bs=4096 iflag=skip_bytes,count_bytes skip="$2" count="$3" status=none
}
seed() { # seed TARGET NAME: an empty seed file to write into
  mkdir -p "$seeds/$1"
  echo "$seeds/$1/$2"
}
for n in 3 4 5 6; do
  for len in 64 600 2022 4096 6000; do
    head -c "$len" "$game/QTR$n.DAT" >"$(seed fuzz_qtr$n head$len)"
  done
done
head -c 4000 "$game/QTR1.DAT" >"$(seed fuzz_save head)"
head -c 4000 "$game/QTR1.DAT" >"$(seed fuzz_save_loader head)"
: >"$(seed fuzz_save_loader empty)"
# One record of each kind after its type byte (see fuzz_records.cpp).
{ printf '\006'; slice "$game/QTR3.DAT" 281 843; } >"$(seed fuzz_records items)"
{ printf '\007'; slice "$game/QTR5.DAT" 2022 2022; } >"$(seed fuzz_records monster)"
{ printf '\000'; head -c 400 "$game/QTR4.DAT"; } >"$(seed fuzz_records spells)"
printf '[Version]\nMajor=1\nMinor=0\nRevision=0\n[viru]\nLeft=1500\nTop=-30\nWidth=9600\n[Window]\nWidth=1280\nHeight=960\n' \
  >"$(seed fuzz_settings_numbers window)"
printf '[viru]\nLeft= 99999999999999999999\n[Window]\nWidth=-1\nHeight=0x10\n' \
  >"$(seed fuzz_settings_numbers odd)"
[ -f "$game/QTR.ini" ] && head -c 2000 "$game/QTR.ini" >"$(seed fuzz_settings qtr_ini)"
cp "$seeds/fuzz_settings_numbers/window" "$(seed fuzz_settings window)"
head -c 1000 content/messages.yaml >"$(seed fuzz_text messages)"
# A YAML entry of each record kind after its type byte (see fuzz_yaml.cpp).
yaml_entry() { # yaml_entry FILE: the first entry's fields of a content table
  awk 'BEGIN{n=0} /^[0-9]+:/{n++} n==1 && !/^[0-9]+:/ {sub(/^  /, ""); print} n>1{exit}' "$1"
}
for pair in "0 items" "1 monsters" "2 spells" "3 actions" "4 skills"; do
  kind=${pair%% *}
  file=${pair#* }
  out="$(seed fuzz_yaml "$file")"
  printf "\\$(printf '%03o' "$kind")" >"$out"
  yaml_entry "content/$file.yaml" >"$out.fields"
  head -c 1800 "$out.fields" >>"$out"
  rm "$out.fields"
done
{ printf '\005'; head -c 1800 content/events/d21f1.yaml; } >"$(seed fuzz_yaml events)"
cp content/mazes/d21f1.txt "$(seed fuzz_maze_text d21f1)"
cp content/mazes/d21f2.txt "$(seed fuzz_maze_text d21f2)"
for pic in w0.jpg d0.jpg frame_tl.png shade.png panel.png; do
  [ -f "$game/$pic" ] && head -c 8192 "$game/$pic" >"$(seed fuzz_picture "$pic")"
done

mkdir -p build-fuzz/artifacts
# The targets that go through files (the save loader, the settings, pictures) write them
# to memory where it can be had: a disk's flushes would set the pace otherwise.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
summary=build-fuzz/summary.txt
printf '%-22s %9s %8s %9s %7s %7s %7s\n' target inputs seconds inputs/s cov ft corpus >"$summary"
status=0
for t in "${targets[@]}"; do
  read -r target runs max_len <<<"$t"
  log="build-fuzz/$target.log"
  if [ "$mode" = check ]; then
    # A fresh corpus from the seeds, a fixed seed and a fixed number of inputs: the same
    # check on every machine; the time limit only guards a machine far too slow for it.
    corpus="build-fuzz/corpus-check/$target"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    limits=(-seed=1 -runs="$runs" -max_total_time="$guard")
  else
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    limits=(-max_total_time="$long_seconds")
  fi
  echo "fuzzing $target (${mode})"
  if ! "build-fuzz/fuzz/$target" "$corpus" "$seeds/$target" "${limits[@]}" -max_len="$max_len" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/$target-" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAILED: $target (input kept in build-fuzz/artifacts/)"
    status=1
    continue
  fi
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  files=$(find "$corpus" -type f | wc -l)
  printf '%-22s %9s %8s %9s %7s %7s %7s\n' "$target" "${done_runs:-?}" "${seconds:-?}" \
    "${speed:-?}" "${cov:-?}" "${ft:-?}" "$files" >>"$summary"
  if [ "$mode" = check ] && [ "${done_runs:-0}" -lt "$runs" ]; then
    echo "FAILED: $target stopped at the ${guard} s guard after ${done_runs:-0} of $runs inputs"
    status=1
  fi
done
cat "$summary"
exit "$status"
