# The end-to-end test of kx14-manager.exe under Wine on Xvfb: the program
# started as a user would, driven from outside with real clicks (xdotool;
# with no window manager Wine's X window is exactly the client area, at the
# client's screen position), its texts read back from inside Wine by
# kx14_window_reader (WM_GETTEXT), the device's side checked in the
# simulator's frame log. Sourced by scripts/windows-test.sh, which provides
# `check`, `count_log`, `wait_log`, `$win`, `$run_dir`, `$com`, the
# simulator's control pipe on fd 3, the prefix's server and the display.
e2e_title='KX-14 Quovi Manager V1.00'
e2e_tools=$win/tests/windows/e2e
e2e_dump_file=$run_dir/window.txt

e2e_reader() { timeout 60 wine "$e2e_tools/kx14_window_reader.exe" "$@" 2>/dev/null | tr -d '\r'; }
# Under Wine a started program keeps the Unix descriptors of whoever started
# it: the launches write to files, so no pipe stays open while it runs.
e2e_launch() {  # e2e_launch <title> <program> <output file>
  timeout 60 wine "$e2e_tools/kx14_window_reader.exe" launch 30000 "$1" "$(wine_path "$PWD/$2")" \
    </dev/null >"$3" 2>&1
  sed -i 's/\r$//' "$3"
}
e2e_dump() { e2e_reader dump "$e2e_title" >"$e2e_dump_file"; }
# The text of the control named $1 in the last dump.
e2e_text() { awk -F'\t' -v n="$1" '$2 == n {print $9; exit}' "$e2e_dump_file"; }
# Dumps until the control named $1 shows $2; false after $3 seconds (10).
e2e_wait_text() {
  local deadline=$((SECONDS + ${3:-10}))
  until e2e_dump && [ "$(e2e_text "$1")" = "$2" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
  done
}
# A real click in the middle of the control named $1, as the last dump has it.
e2e_click() {
  local x y
  read -r x y < <(awk -F'\t' -v n="$1" '
    $1 == "window" {x0 = $2; y0 = $3}
    $2 == n {print x0 + $4 + int($6 / 2), y0 + $5 + int($7 / 2); exit}' "$e2e_dump_file")
  [ -n "$y" ] && xdotool mousemove --sync "$x" "$y" click 1
}
# Drops the port list down and clicks its item $1 in the list's own window.
e2e_choose_port() {
  local deadline=$((SECONDS + 10)) at
  e2e_dump && e2e_click CommBox || return 1
  until e2e_dump && grep -q '^list' "$e2e_dump_file"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
  done
  at=$(awk -F'\t' -v item="$1" '
    $2 == "CommBox" {id = $1}
    $1 == "item" && $2 == id && $4 == item {index_of = $3}
    $1 == "list" && $2 == id {left = $3; top = $4; width = $5; height = $6; first = $7}
    END {if (index_of != "") print left + int(width / 2), top + (index_of - first) * height + int(height / 2)}' \
    "$e2e_dump_file")
  [ -n "$at" ] && xdotool mousemove --sync ${at% *} ${at#* } click 1
}
# A control line to the simulator, confirmed in its log.
e2e_devsim() {
  local before
  before=$(count_log '^ctl ')
  echo "$1" >&3
  wait_log '^ctl ' "$before" 5
}
# The client area and the start texts.
e2e_start_state() {
  awk -F'\t' '$1 == "window" {exit !($4 == 310 && $5 == 416 && $6 >= 1)}' "$e2e_dump_file" &&
    [ "$(e2e_text MON_EDIT)" = "起動完了" ] && [ "$(e2e_text CommBox)" = "OFF" ] &&
    [ "$(e2e_text K_Comment)" = "開発室から一言：" ] &&
    [ "$(grep -c "^item" "$e2e_dump_file")" -eq 31 ] &&
    grep -q "^item.*	30	COM30$" "$e2e_dump_file"
}
# What the window shows, after a failed check.
e2e_context() {
  e2e_dump
  echo "    window: $(head -1 "$e2e_dump_file" | tr '\t' ' '), MON_EDIT \"$(e2e_text MON_EDIT)\"," \
    "CommBox \"$(e2e_text CommBox)\", list open: $(grep -c '^list' "$e2e_dump_file")"
}
e2e_check() {  # as check, with the window's state when it fails
  local before=$failed
  check "$@"
  [ "$failed" -eq "$before" ] || e2e_context
}
# Clicks $1 and waits until MON_EDIT shows $2 (at most $3 seconds).
e2e_press() { e2e_click "$1" && e2e_wait_text MON_EDIT "$2" "${3:-10}"; }

window_e2e() {
  local exe=$win/app/kx14-manager.exe worked pid bare_ms started_ms before started holder_pid
  worked='^rx F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1$'
  if [ ! -f "$exe" ]; then
    e2e_check "e2e: $exe built" false
    return
  fi
  e2e_devsim "mode normal"
  e2e_devsim "block 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51"

  # Start-up, beside a bare window's in the same run.
  e2e_launch "Bare Win32 window" "$win/bench/windows/bare_win32_window.exe" "$run_dir/bare.txt"
  bare_ms=$(awk '$1 == "started_ms" {print $2}' "$run_dir/bare.txt")
  e2e_reader close 10000 "Bare Win32 window" >/dev/null
  e2e_launch "$e2e_title" "$exe" "$run_dir/started.txt"
  pid=$(awk '$1 == "pid" {print $2}' "$run_dir/started.txt")
  started_ms=$(awk '$1 == "started_ms" {print $2}' "$run_dir/started.txt")
  echo "windows: start-up under Wine: kx14-manager.exe ${started_ms:-?} ms, a bare Win32 window ${bare_ms:-?} ms" >&2
  if [ -z "$pid" ]; then
    e2e_check "e2e: the window appears" false
    return
  fi
  e2e_dump
  e2e_check "e2e: start: 310 x 416, icon, 起動完了, OFF of OFF and COM1 to COM30, the comment box" e2e_start_state
  local x0 y0
  read -r x0 y0 < <(awk -F'\t' '$1 == "window" {print $2, $3}' "$e2e_dump_file")
  # The pointer off the window, so that no control shows its hover look.
  xdotool mousemove --sync 0 0
  import -window root -crop "310x416+$x0+$y0" +repage "$win/screenshot-windows.png"

  before=$(count_log '^rx F5')
  e2e_check "e2e: Program with no port: 書き込み失敗" e2e_press PROGRAM_BTN 書き込み失敗
  e2e_check "e2e: ... and no frame reached the device" test "$(count_log '^rx F5')" -eq "$before"

  e2e_check "e2e: choosing COM$com opens it: COM$com 設定完了" \
    eval 'e2e_choose_port "COM$com" && e2e_wait_text MON_EDIT "COM$com 設定完了"'
  before=$(count_log '^rx E5')
  e2e_check "e2e: Read: 読み取り成功 and the read command in the log" \
    eval 'e2e_press READ_BTN 読み取り成功 && [ "$(count_log "^rx E5")" -gt "$before" ]'
  e2e_check "e2e: level ハンデ＋３ and Program: 書き込み成功, the worked example's frame" \
    eval 'e2e_dump && e2e_click Handy3 && e2e_press PROGRAM_BTN 書き込み成功 && [ "$(count_log "$worked")" -ge 1 ]'

  e2e_devsim "mode refuse"
  e2e_check "e2e: a refusing device: 書き込み失敗" eval 'e2e_press PROGRAM_BTN 書き込み失敗'
  e2e_devsim "mode bad-checksum"
  e2e_check "e2e: a wrong checksum: 読み取り失敗" eval 'e2e_press READ_BTN 読み取り失敗'
  e2e_devsim "mode normal"
  e2e_check "e2e: the device well again: 読み取り成功" eval 'e2e_press READ_BTN 読み取り成功'
  e2e_devsim "mode silent"
  started=$SECONDS
  e2e_check "e2e: a silent device: 読み取り失敗 after the time-out" \
    eval 'e2e_press READ_BTN 読み取り失敗 15 && [ $((SECONDS - started)) -ge 2 ]'
  e2e_devsim "mode normal"

  e2e_check "e2e: OFF closes the port: シリアルポートを閉じました" \
    eval 'e2e_choose_port OFF && e2e_wait_text MON_EDIT シリアルポートを閉じました'
  mkfifo "$run_dir/holder.in"
  wine "$e2e_tools/kx14_port_holder.exe" "COM$com" <"$run_dir/holder.in" >"$run_dir/holder.out" 2>&1 &
  holder_pid=$!
  exec 4>"$run_dir/holder.in"
  wait_file "$run_dir/holder.out" held 20
  e2e_check "e2e: a port held by another program: COM$com は使用できません" \
    eval 'e2e_choose_port "COM$com" && e2e_wait_text MON_EDIT "COM$com は使用できません"'
  exec 4>&-
  wait "$holder_pid" || true
  e2e_check "e2e: opened again once it is free: COM$com 設定完了" \
    eval 'e2e_choose_port "COM$com" && e2e_wait_text MON_EDIT "COM$com 設定完了"'

  e2e_check "e2e: the exit button ends the program" \
    eval 'e2e_dump && e2e_click EXIT_BTN && e2e_reader wait-exit 10000 "$pid"'
  e2e_check "e2e: ... and releases the port it had open" \
    sh -c "echo | timeout 30 wine '$e2e_tools/kx14_port_holder.exe' COM$com | grep -q held"
}
