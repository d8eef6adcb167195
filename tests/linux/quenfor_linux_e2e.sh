#!/usr/bin/env bash
# The native Linux program under a private Xvfb (no window manager, no sound card):
#   - a borderless 600 x 400 window centred on the screen, pixel for pixel the artwork;
#   - the fade-in's opacity steps, the property gone at full opacity;
#   - hovered buttons show their highlight, exactly;
#   - a second copy exits 0 at once;
#   - the driver button opens the file beside the program through xdg-open (a stand-in records it);
#   - the exit button ends the program with code 0, after the speakers' unmute.
#
#
# With `desktop`, the same program on a managed desktop (openbox) instead:
#   - each action minimises the window, which stays so after the pause until the user activates
#     it; it comes back at full opacity with the same pixels;
#   - leaving the window straight from a lit button unlights it, before and after a restore;
#   - a missing target shows a box naming it, which closes with Return; the launcher goes on;
#   - Tab, then Return, opens the manual exactly as a click does;
#   - Esc ends it with 0 after the unmute, and so does the window manager's close (Alt+F4) of a
#     second run.
#
#   tests/linux/quenfor_linux_e2e.sh QUENFOR [desktop]
set -euo pipefail
program=$(realpath "$1")
mode=${2:-bare}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
art="$root/resources/art"
work=$(mktemp -d)
launcher_pid=""

# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
# check_window, check_fade_in, check_pixels, check_hover, click, fail: shared with the Windows run.
# shellcheck source=tests/e2e/e2e_steps.sh
source "$root/tests/e2e/e2e_steps.sh"
# shellcheck source=tests/e2e/desktop_steps.sh
source "$root/tests/e2e/desktop_steps.sh"

cleanup() {
  if [ -n "$launcher_pid" ]; then kill "$launcher_pid" 2>/dev/null || true; fi
  qf_wm_stop
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

# The folder the program runs from, a target beside it, and a stand-in for the desktop's opener.
mkdir -p "$work/disc/DRIVER" "$work/disc/USER MANUAL" "$work/bin" "$work/run"
cp "$program" "$work/disc/quenfor"
echo x >"$work/disc/DRIVER/SETUP.EXE"
echo x >"$work/disc/USER MANUAL/QRV512LD3T8.pdf"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/record.txt" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" XDG_RUNTIME_DIR="$work/run"

qf_xvfb_start
if [ "$mode" = desktop ]; then qf_wm_start; fi

# The loader says which libraries the program loads: the mixer's, at its first use, tells that the
# speakers' unmute ran.
start_program() {
  xdotool mousemove --sync 0 0
  (cd "$work/disc" && export LD_DEBUG=libs LD_DEBUG_OUTPUT="$work/ld" &&
   exec ./quenfor 2>"$work/stderr") &
  launcher_pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --classname '^quenfor$' | head -n1) ||
    fail "no window"
  local WINDOW SCREEN WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}

check_second_copy_linux() {
  local code=0 start
  start=$(date +%s%N)
  (cd "$work/disc" && timeout 5 ./quenfor </dev/null >/dev/null 2>&1) || code=$?
  [ "$code" = 0 ] || fail "the second copy ended with $code"
  [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 1000 ] || fail "the second copy lingered"
  [ "$(xdotool search --onlyvisible --classname '^quenfor$' | wc -l)" = 1 ] || fail "a second window"
  echo "second copy: exit 0 at once"
}

check_launch_driver() {
  click driver
  for _ in $(seq 1 50); do [ -s "$work/record.txt" ] && break; sleep 0.1; done
  [ "$(cat "$work/record.txt" 2>/dev/null)" = "$work/disc/DRIVER/SETUP.EXE" ] ||
    fail "xdg-open got '$(cat "$work/record.txt" 2>/dev/null)'"
  grep -q 'TForm_Main::ImageButton3Click( 109) : Orvandel' "$work/stderr" || fail "no banner on stderr"
  sleep 1.5  # the pause of the launch sequence, after which the window takes input again
  echo "driver: opened $work/disc/DRIVER/SETUP.EXE"
}

# The program ends with 0, the speakers unmuted on the way: the mixer is used only when the form
# goes, and its library is loaded at that first use.
check_ended() {
  local code=0
  for _ in $(seq 1 50); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$launcher_pid" 2>/dev/null && fail "$1: the program goes on"
  wait "$launcher_pid" || code=$?
  [ "$code" = 0 ] || fail "$1: exit code $code, want 0"
  grep -q 'find library=libasound.so.2' "$work/ld.$launcher_pid" ||
    fail "$1: ended without the speakers' unmute"
  launcher_pid=""
  echo "$1: code 0, after the unmute"
}

check_exit_linux() {
  click exit
  check_ended "exit button"
}

activate() { xdotool windowactivate "$wid"; }

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ]; }

# The user brings the window back and it has the keys.
bring_back() {
  activate
  for _ in $(seq 1 50); do viewable && focused && return 0; sleep 0.1; done
  fail "$1: the window came back without the focus"
}

# What the opener got since it had been asked `$1` times: waits for one more request.
opened_after() {
  for _ in $(seq 1 50); do
    [ "$(wc -l <"$work/record.txt" 2>/dev/null || echo 0)" -gt "$1" ] && break
    sleep 0.1
  done
  tail -n +$(( $1 + 1 )) "$work/record.txt" 2>/dev/null
}

# Tab moves from the driver to the manual and Return presses it: the same lines on stderr, the same
# request to the opener as a click on it.
check_keys_as_click() {
  local asked size by_click by_keys
  asked=$(wc -l <"$work/record.txt")
  size=$(stat -c %s "$work/stderr")
  click manual
  by_click=$(opened_after "$asked")
  [ "$by_click" = "$work/disc/USER MANUAL/QRV512LD3T8.pdf" ] || fail "a click opened '$by_click'"
  sleep 1.5  # the launch pause
  tail -c +$(( size + 1 )) "$work/stderr" >"$work/click_lines"
  bring_back "the manual's click"
  size=$(stat -c %s "$work/stderr")
  xdotool key Tab Return
  by_keys=$(opened_after $(( asked + 1 )))
  [ "$by_keys" = "$by_click" ] || fail "Tab, Return opened '$by_keys', a click '$by_click'"
  sleep 1.5
  tail -c +$(( size + 1 )) "$work/stderr" | cmp -s "$work/click_lines" - ||
    fail "Tab, Return wrote otherwise than a click: $(tail -c +$(( size + 1 )) "$work/stderr")"
  grep -q 'ImageButton2Click(  89)' "$work/click_lines" || fail "no banner for the manual"
  echo "Tab, Return: the manual opened, the same lines as a click"
}

start_program
check_window
[ "$(xdotool getwindowname "$wid")" = quenfor ] ||
  fail "the taskbar entry is named '$(xdotool getwindowname "$wid")', want the program's name"
check_fade_in
check_pixels
if [ "$mode" = desktop ]; then
  check_leave driver "first show"
  click driver
  check_stays_minimised driver
  check_restore driver
  check_leave driver "after a restore"
  rm "$work/disc/DRIVER/SETUP.EXE"
  click driver
  check_missing_target_box '^quenfor$'
  check_stays_minimised "missing driver"
  check_restore "missing driver"
  check_keys_as_click
  bring_back "the manual by keys"
  xdotool key Escape
  check_ended "Esc"
  start_program
  for _ in $(seq 1 50); do focused && break; sleep 0.1; done
  focused || fail "the window shown again has not the focus"
  xdotool key alt+F4
  check_ended "the window manager's close"
  echo "ok: quenfor on a managed desktop"
  exit 0
fi
check_hover driver
check_hover exit
check_second_copy_linux
check_launch_driver
check_exit_linux
echo "ok: quenfor end to end"
