#!/usr/bin/env bash
# Starts the real game from a copy of the game folder in a virtual X display, presses a
# key on the title, walks the menus to the quit entry by keyboard, and checks that the
# game ended cleanly and wrote its save.
set -euo pipefail

GAME_DIR="$1"
work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp -r "$GAME_DIR" "$work/game"
rm -f "$work/game/QTR1.DAT.lock"
touch -d "2000-01-01" "$work/game/QTR1.DAT" 2>/dev/null || true
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1280x1024

"$work/game/dalvenor" >"$work/game.log" 2>&1 &
game_pid=$!

win=""
for _ in $(seq 1 300); do
  win="$(xdotool search --name 'Dalvenor' 2>/dev/null | head -n1 || true)"
  [ -n "$win" ] && break
  sleep 0.1
done
if [ -z "$win" ]; then echo "no game window appeared"; cat "$work/game.log"; exit 1; fi

press() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key --clearmodifiers "$1"
  sleep 0.5
}
sleep 2
press space      # title -> town
win="$(xdotool search --name 'viru' 2>/dev/null | head -n1 || echo "$win")"
press Escape     # town -> outskirts
press e          # quit

for _ in $(seq 1 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then echo "the game did not end"; cat "$work/game.log"; exit 1; fi
wait "$game_pid" && status=0 || status=$?
game_pid=""
if [ "$status" -ne 0 ]; then echo "the game ended with status $status"; cat "$work/game.log"; exit 1; fi

size="$(stat -c %s "$work/game/QTR1.DAT" 2>/dev/null || echo 0)"
if [ "$size" -ne 128154 ]; then echo "save file has $size bytes"; exit 1; fi
# The shipped save was dated 2000; the game's save at shutdown replaced it.
if [ "$(stat -c %Y "$work/game/QTR1.DAT")" -lt 946771200 ]; then echo "the save was not written"; exit 1; fi
[ -s "$XDG_CONFIG_HOME/dalvenor/settings.ini" ] || { echo "no settings written"; exit 1; }
echo "smoke test passed: started, reached the town, quit through the menu, saved 128154 bytes"
