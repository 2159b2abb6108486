# Sourced by the shell tests that drive the real kx14-manager on a virtual X
# display:   . x_session.sh [TOOL...]
# Skips the test (exit 77) when Xvfb, xdotool, xdpyinfo or a named TOOL is
# missing. Gives a private work directory ($work, removed at exit) and a
# private configuration folder (no user-defined port leaks in); every PID
# added to `pids` is ended at exit. The test may define its own fail().

for tool in Xvfb xdotool xdpyinfo "$@"; do
  command -v "$tool" >/dev/null || { echo "skip: $tool not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Runs "$@" every 0.1 s until it succeeds (0) or 10 s have passed (1).
await() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
# The window's history of stores goes to the test's folder, never the user's.
export XDG_DATA_HOME=$work/data
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Xvfb on a free display (it picks one itself and writes its number to the
# given fd); DISPLAY names it once it answers.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
await test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")
await xdpyinfo >/dev/null 2>&1 || fail "Xvfb does not answer on $DISPLAY"

# Waits up to 30 s for the manager's window; sets `window` and its geometry
# (X, Y, WIDTH, HEIGHT).
await_window() {
  window=$(timeout 30 xdotool search --sync --name '^KX-14 Quovi Manager V1\.00$' | head -n1) &&
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

# Clicks the exit button (the command row's right end) and waits up to 10 s
# for the program with PID $1 to end, with status 0; its PID is then dropped
# from `pids`.
exit_by_button() {
  xdotool mousemove --sync $((X + 284)) $((Y + 381)) click 1
  await ended "$1" || fail "the exit button did not end the program"
  wait "$1" || fail "kx14-manager ended with status $?"
  local kept=() p
  for p in "${pids[@]}"; do [ "$p" = "$1" ] || kept+=("$p"); done
  pids=("${kept[@]}")
}
ended() { ! kill -0 "$1" 2>/dev/null; }
