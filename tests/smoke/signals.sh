#!/usr/bin/env bash
# Ends the real game by signal in a virtual X display: SIGTERM, SIGINT and SIGHUP while a
# message waits in the town, and SIGTERM on the title. Each time the game must end by
# itself with status 0 and its shutdown save written.
set -euo pipefail

GAME_DIR="$1"
work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1280x1024
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

# Starts a fresh copy of the game folder and waits for its window.
start_game() {
  rm -rf "$work/game"
  cp -r "$GAME_DIR" "$work/game"
  rm -f "$work/game/QTR1.DAT.lock"
  touch -d "2000-01-01" "$work/game/QTR1.DAT"
  "$work/game/dalvenor" >"$work/game.log" 2>&1 &
  game_pid=$!
  win=""
  for _ in $(seq 1 300); do
    win="$(xdotool search --name 'Dalvenor' 2>/dev/null | head -n1 || true)"
    [ -n "$win" ] && break
    sleep 0.1
  done
  if [ -z "$win" ]; then echo "no game window appeared"; cat "$work/game.log"; exit 1; fi
  sleep 2
}

press() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key --clearmodifiers "$1"
  sleep 0.7
}

# Sends the signal and expects a clean end with the save written.
end_by() {
  local signal="$1" where="$2"
  kill -s "$signal" "$game_pid"
  for _ in $(seq 1 150); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    echo "SIG$signal $where: the game did not end"
    exit 1
  fi
  local status=0
  wait "$game_pid" || status=$?
  game_pid=""
  if [ "$status" -ne 0 ]; then
    echo "SIG$signal $where: the game ended with status $status"
    cat "$work/game.log"
    exit 1
  fi
  if [ "$(stat -c %s "$work/game/QTR1.DAT")" -ne 128154 ] ||
     [ "$(stat -c %Y "$work/game/QTR1.DAT")" -lt 946771200 ]; then
    echo "SIG$signal $where: the shutdown did not save"
    exit 1
  fi
  echo "SIG$signal $where: ended through the shutdown steps"
}

for signal in TERM INT HUP; do
  start_game
  press space   # title -> town
  win="$(xdotool search --name 'viru' 2>/dev/null | head -n1 || echo "$win")"
  press t       # the inn without a party: a message waits for a key
  end_by "$signal" "in a message"
done

start_game
end_by TERM "on the title"
echo "signals test passed"
