#!/usr/bin/env bash
# Builds a release configuration and runs the benchmarks. Every figure is printed as a
# ratio to a yardstick measured in the same run, so a busy machine moves both alike:
#
#   data      LoadAllData (save + QTR3..6.DAT, names decoded)  / the same files read with read()
#   step      one dungeon step with its redraw, per renderer   / memcpy of one 640x480 frame
#             (the view alone, then with the window's canvas painted as the player sees it)
#   present   the canvas copied into texture memory            / memcpy of one 640x480 frame
#   start-up  the game from exec to its title on screen        / a bare SDL2 program opening
#                                                                the same window, one frame
#   memory    VmRSS at that moment, the game minus the bare program (MB)
#
# Google Benchmark figures are medians of CPU time over repetitions; start-up figures are
# medians over RUNS alternating runs of both programs under Xvfb, of wall time and of the
# CPU time the process used (steadier on a shared machine).
#
# Stopping at the title: the game reads DV_BENCH_STOP_AFTER_FRAMES (measuring only; unset
# it changes nothing). With N set, the real window ends the program right after presenting
# its N-th frame, printing "VmRSS <kB> kB" first. Frame 1 is the title as it first appears
# (start-up still loading behind it); frame 2 is the title ready for a key.
#
# Arguments: the parts to run (data step present startup; all when none are named).
# Options (environment): BUILD_DIR (default build-rel), RUNS (default 15), REPS (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR="${BUILD_DIR:-build-rel}"
RUNS="${RUNS:-15}"
REPS="${REPS:-10}"
PARTS=" ${*:-data step present startup} "

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDV_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" --target dalvenor data_bench dungeon_bench ui_bench bare_window \
  dv_content_data dv_content_starter dv_art

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

run_bench() {  # name executable
  [[ "$PARTS" == *" $1 "* ]] || return 0
  "$2" --benchmark_format=json --benchmark_repetitions="$REPS" \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    >"$out/$1.json"
}
run_bench data "$BUILD_DIR/tests/core/data_bench"
run_bench step "$BUILD_DIR/tests/dungeon/dungeon_bench"
run_bench present "$BUILD_DIR/tests/ui/ui_bench"

if [[ "$PARTS" == *" startup "* ]]; then
# Start-up: a fresh copy of the game folder and of the settings folder, both programs run
# alternately in one virtual display.
cp -r "$BUILD_DIR/game" "$out/game"
mkdir -p "$out/home" "$out/config"
cat >"$out/startup.py" <<'EOF'
import os, statistics, subprocess, sys, time

game, bare, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def run(cmd, frames):
    env = dict(os.environ, DV_BENCH_STOP_AFTER_FRAMES=str(frames))
    start = time.perf_counter()
    child = subprocess.Popen([cmd], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                             text=True)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    stdout, stderr = child.stdout.read(), child.stderr.read()
    rss = 0
    for line in stdout.splitlines():
        if line.startswith("VmRSS"):
            rss = int(line.split()[1])
    if status != 0 or rss == 0:
        sys.exit(f"{cmd} did not stop at its frame: {status} {stderr}")
    return elapsed, usage.ru_utime + usage.ru_stime, rss

# The first start writes the version keys and the save; measure the starts after it.
run(game, 2)
for _ in range(2):
    run(bare, 1)
    run(game, 1)
rows = {"bare": [], "title": [], "ready": []}
for _ in range(runs):
    rows["bare"].append(run(bare, 1))
    rows["title"].append(run(game, 1))
    rows["ready"].append(run(game, 2))
for name, samples in rows.items():
    wall = statistics.median(s[0] for s in samples)
    cpu = statistics.median(s[1] for s in samples)
    rss = int(statistics.median(s[2] for s in samples))
    print(f"{name} {wall:.6f} {cpu:.6f} {rss}")
EOF
HOME="$out/home" XDG_CONFIG_HOME="$out/config" \
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  python3 "$out/startup.py" "$out/game/dalvenor" "$BUILD_DIR/tests/app/bare_window" "$RUNS" \
  >"$out/startup.txt"
fi

python3 - "$out" <<'EOF'
import json, sys

out = sys.argv[1]

import os

def medians(name):
    with open(f"{out}/{name}.json") as f:
        data = json.load(f)
    result = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            result[b["run_name"]] = b["cpu_time"] * {"ns": 1e-3, "us": 1, "ms": 1e3}[b["time_unit"]]
    return result

print()
print(f"{'figure':44} {'time':>12} {'ratio':>8}")
def table(title, name, baseline, rows):
    if not os.path.exists(f"{out}/{name}.json"):
        return
    m = medians(name)
    base = m[baseline]
    print(f"{title}")
    print(f"  {'yardstick: ' + baseline:42} {base:10.1f}us {1.0:8.2f}")
    for run, label in rows:
        print(f"  {label:42} {m[run]:10.1f}us {m[run] / base:8.2f}")

table("Loading the data files", "data", "readFilesPlainly", [("loadAllData", "LoadAllData")])
table("A dungeon step with its redraw", "step", "copyFrame",
      [(f"stepInMode/mode:{m}/render:{r}", f"{name}{', window painted' if r else ''}")
       for r in (0, 1) for m, name in enumerate(("lines", "pictures", "polygons"))])
table("The canvas into the window texture", "present", "copyFrame",
      [("canvasToTexture/0", "canvas to texture (its own format)"),
       ("canvasToTexture/1", "canvas to texture (ARGB, alpha set)")])

if not os.path.exists(f"{out}/startup.txt"):
    sys.exit(0)
start = {}
with open(f"{out}/startup.txt") as f:
    for line in f:
        name, wall, cpu, rss = line.split()
        start[name] = (float(wall), float(cpu), int(rss))
bw, bc, bm = start["bare"]
print("Start-up under Xvfb (medians: wall time, CPU time, VmRSS at the frame)")
print(f"  {'':42} {'wall':>12} {'ratio':>8} {'cpu':>10} {'ratio':>8} {'VmRSS':>9}")
print(f"  {'yardstick: bare SDL2 window, one frame':42} {bw * 1e3:10.1f}ms {1.0:8.2f}"
      f" {bc * 1e3:8.1f}ms {1.0:8.2f} {bm / 1024:6.1f} MB")
for name, label in (("title", "game to its title on screen"),
                    ("ready", "game to its title ready for a key")):
    w, c, m = start[name]
    print(f"  {label:42} {w * 1e3:10.1f}ms {w / bw:8.2f} {c * 1e3:8.1f}ms {c / bc:8.2f}"
          f" {m / 1024:6.1f} MB (+{(m - bm) / 1024:.1f} MB)")
EOF
