#!/usr/bin/env bash
# The whole job from the user's side: on its own Xvfb display, with the
# simulator registered in a private ports directory, click the port list and
# choose the simulator's port by keyboard, click Read, click "ハンデ＋３",
# click Program. Nothing inside the program is looked at: the simulator's
# frame log must show the read, the program frame and the stored block, and
# a screenshot of the window is saved.
#   read_program_e2e_test.sh <kx14-manager> <kx14-devsim> <screenshot.png>
# Exit 77 (skipped) when the X tools are missing.
set -euo pipefail

manager=$1
devsim=$2
shot=$3
. "$(dirname "$0")/../support/x_session.sh" import

fail() {
  echo "FAIL: $*"
  echo "--- frame log"; cat "$work/frames.log" 2>/dev/null || true
  echo "--- manager"; cat "$work/manager.log" 2>/dev/null || true
  import -window root "$shot" 2>/dev/null && echo "screenshot: $shot"
  exit 1
}
# Waits up to 10 s for a line of the simulator's frame log that starts with
# $1; prints it.
await_line() { await grep -m1 -e "^$1" "$work/frames.log" 2>/dev/null; }
# The window's own trace holds at least $2 lines whose event is $1 ("rx", "tx").
traced() { [ "$(grep -c "^ *[0-9.]* $1 " "$work/trace.log" 2>/dev/null)" -ge "$2" ]; }
# The program holds the simulator's pty open.
holds_pty() { [ "$(readlink -f /proc/"$app_pid"/fd/* 2>/dev/null | grep -cx "$pty")" -gt 0 ]; }
# The program shows $1 windows (the drop-down list is a window of its own).
shows_windows() {
  [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" = "$1" ]
}

# Simulator and manager share the private configuration folder, so the
# simulator's port entry is seen by this manager only.
"$devsim" --log "$work/frames.log" </dev/null >/dev/null 2>&1 &
pids+=($!)
registered=$(await_line "port ") || fail "the simulator registered no port"
port=$(echo "$registered" | cut -d' ' -f2)
pty=$(echo "$registered" | cut -d' ' -f3)
echo "simulator on $port ($pty)"

# The window's trace shows when it has received a reply.
KX14_TRACE=$work/trace.log QT_QPA_PLATFORM=xcb "$manager" >"$work/manager.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
await_window || fail "no window appeared"
click() {  # click <x> <y> in window coordinates
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}

# The port list (port row at 344, list at 96,3, 209 x 18): the drop-down
# refreshes it; typing the name moves to it, Enter takes it and opens it.
click 200 356
await shows_windows 2 || fail "the port list did not drop down"
xdotool type --delay 50 "$port"
xdotool key Return
await shows_windows 1 || fail "the port list did not close"
await holds_pty || fail "the port was not opened"

# Read (command row at 367, READ_BTN at 43,2, 43 x 24).
click 64 381
await_line "rx E5" >/dev/null || fail "Read sent no read command"
await_line "tx E5 5A" >/dev/null || fail "the simulator did not answer the read"
# A level clicked before the window has the reply would be replaced by it.
await traced rx 1 || fail "the window did not receive the read's reply"

# "ハンデ＋３" (Handy3 at 96,136 on the picture panel), then Program
# (PROGRAM_BTN at 2,2 of the command row).
click 148 145
click 22 381
frame=$(await_line "rx F5") || fail "Program sent no program frame"
stored=$(await_line "stored") || fail "the simulator stored nothing"
# The read, Program's read and the program frame's answer.
await traced rx 3 || fail "the window did not receive the program frame's answer"
import -window "$window" "$shot"
echo "screenshot: $shot"

expected_frame="rx F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1"
expected_block="stored 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51"
[ "$frame" = "$expected_frame" ] || fail "program frame: $frame, expected $expected_frame"
[ "$stored" = "$expected_block" ] || fail "stored block: $stored, expected $expected_block"
[ "$(grep -c '^rx E5' "$work/frames.log")" = 2 ] || fail "expected two reads (Read, then Program's)"

# The exit button ends the program.
exit_by_button "$app_pid"
echo "PASS: chose $port, read, chose ハンデ＋３, programmed: $stored"
