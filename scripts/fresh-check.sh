#!/usr/bin/env bash
# Tries the README's two commands on a fresh Debian 12 machine: builds a minimal Debian 12
# root with debootstrap, copies the committed tree into it (git archive HEAD: what a
# player would download, nothing from this working copy), and runs there, as root and with
# nothing installed by hand,
#   1. the play command's set-up and build (scripts/setup.sh, scripts/build.sh; the game
#      itself is not started), then
#   2. the test command (scripts/test.sh: every build, test, the smoke test under Xvfb and
#      the fuzz runs).
# `bash scripts/fresh-check.sh quick` stops short of the whole test command: after step 1
# it runs the build's tests and builds and runs one fuzz target (the step that needs the
# sanitizer runtimes), without the sanitizer and release builds; about an hour shorter.
# Run it whenever scripts/setup.sh or the build changes. Needs root (debootstrap, chroot,
# mounts) and a Debian mirror (DV_MIRROR, default http://deb.debian.org/debian). The root
# is made under DV_FRESH_DIR (default /var/tmp/dalvenor-fresh) and removed afterwards
# unless DV_FRESH_KEEP=1. The log of each step is printed as it runs.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-check: needs root (debootstrap and chroot)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || bash scripts/setup.sh
mode="${1:-full}"
case "$mode" in
  full | quick) ;;
  *)
    echo "usage: bash scripts/fresh-check.sh [quick]" >&2
    exit 2
    ;;
esac
mirror="${DV_MIRROR:-http://deb.debian.org/debian}"
root="${DV_FRESH_DIR:-/var/tmp/dalvenor-fresh}"

mounted=()
cleanup() {
  # Whatever still runs inside the root (an interrupted build) goes first.
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -KILL "${proc#/proc/}" 2>/dev/null
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R -l "${mounted[$i]}" 2>/dev/null || true
  done
  if [ "${DV_FRESH_KEEP:-0}" != 1 ]; then rm -rf --one-file-system "$root" "$root.debootstrap.log"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

rm -rf --one-file-system "$root"
mkdir -p "$root"
echo "fresh-check: debootstrap bookworm from $mirror into $root"
if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1; then
  tail -n 20 "$root.debootstrap.log"
  echo "fresh-check: debootstrap failed (is the mirror $mirror reachable?)" >&2
  exit 1
fi

mkdir -p "$root/root/dalvenor"
git archive --format=tar HEAD | tar -x -C "$root/root/dalvenor"

# What a running Debian system has: processes, devices, a writable /tmp.
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount -t sysfs sysfs "$root/sys" && mounted+=("$root/sys")
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounted+=("$root/dev")
cp /etc/resolv.conf "$root/etc/resolv.conf"

run() {
  echo "fresh-check: $1"
  # In the background, so an interrupt reaches this script at once.
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    TERM=dumb /bin/bash -c "cd /root/dalvenor && $2" &
  wait $!
}

run "set-up and build (the play command without starting the game)" \
  "bash scripts/setup.sh && bash scripts/build.sh && test -x build/game/dalvenor"
if [ "$mode" = quick ]; then
  run "the build's tests and one fuzz target" \
    "ctest --test-dir build --output-on-failure -j 2 && DV_FUZZ_TARGETS=fuzz_text bash scripts/fuzz.sh"
  echo "fresh-check: passed (quick): set-up, build, its tests and a fuzz target on a fresh Debian 12 root"
else
  run "the test command" "bash scripts/test.sh"
  echo "fresh-check: passed: set-up, build and every test on a fresh Debian 12 root"
fi
