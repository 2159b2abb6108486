#!/usr/bin/env bash
# The real kx14-manager in a real X window: starts its own Xvfb on a free
# display, waits for the window, checks its size and a handful of telling
# pixels in a screenshot, then closes the program with its exit button.
#   xvfb_window_test.sh <kx14-manager> <screenshot.png>
# Exit 77 (skipped) when the X tools are missing.
set -euo pipefail

program=$1
shot=$2
. "$(dirname "$0")/../support/x_session.sh" import convert

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)

await_window || fail "no window appeared: $(cat "$work/app.log")"
[ "$WIDTH" = 310 ] && [ "$HEIGHT" = 416 ] || fail "window is ${WIDTH}x$HEIGHT, not 310x416"
# Centred on the 1024 x 768 screen (no window manager: no frame).
[ "$X" = 357 ] && [ "$Y" = 176 ] || fail "window at $X,$Y, not centred at 357,176"

pixel() {  # pixel <x> <y> in window coordinates, as "r,g,b"
  convert "$shot" -format "%[fx:int(255*p{$((X + $1)),$((Y + $2))}.r)],%[fx:int(255*p{$((X + $1)),$((Y + $2))}.g)],%[fx:int(255*p{$((X + $1)),$((Y + $2))}.b)]" info:
}

sky=166,202,240
face=240,240,240
checks_pass() {
  [ "$(pixel 5 356)" = $sky ] || return 1    # port row, left of its caption
  [ "$(pixel 150 380)" = $sky ] || return 1  # command row, between the buttons
  [ "$(pixel 85 398)" = $sky ] || return 1   # information row, after its caption
  [ "$(pixel 290 404)" = 160,160,164 ] || return 1  # information field
  [ "$(pixel 30 150)" != $face ] || return 1  # the picture covers its panel
  [ "$(pixel 250 100)" != $face ] || return 1
  [ "$(pixel 6 300)" != $face ] || return 1
  return 0
}
# The window may need a moment for its first paint.
for _ in $(seq 20); do
  import -window root "$shot"
  checks_pass && break
  sleep 0.25
done
for spot in "5 356" "150 380" "85 398" "290 404" "30 150" "250 100" "6 300"; do
  echo "pixel ($spot): $(pixel $spot)"
done
checks_pass || fail "layout pixels differ (screenshot: $shot)"

# Close it the way the user does: the exit button at the command row's right.
exit_by_button "$app_pid"
echo "PASS: window 310x416 centred, layout pixels as expected, exit button ends the program"
