# Sourced by the tests that run the real game: starts a virtual X display of the given
# size (start_xvfb 1280x1024) on a display number the server picks itself, so tests and
# other servers on the machine never collide, and exports DISPLAY. The caller kills
# $xvfb_pid when done.
start_xvfb() {
  local size="$1" out="$work/xvfb.display"
  : >"$out"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$out" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$out" ] && break
    sleep 0.1
  done
  if [ ! -s "$out" ]; then
    echo "Xvfb did not start"
    cat "$work/xvfb.log"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$out")"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
