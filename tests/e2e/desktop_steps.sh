# shellcheck shell=bash
# Steps on a managed desktop (openbox on the private Xvfb), shared by the native and the Wine
# runs; sourced after e2e_steps.sh, whose $wid, $X, $Y, $work and helpers they use. The caller
# defines `activate`: how the user brings the minimised launcher back.
QF_WM_PID=""

# openbox manages the display once it has announced itself on the root window.
qf_wm_start() {
  openbox --sm-disable >/dev/null 2>&1 &
  QF_WM_PID=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  echo "openbox did not start" >&2
  return 1
}

qf_wm_stop() {
  if [ -n "$QF_WM_PID" ]; then
    kill "$QF_WM_PID" 2>/dev/null || true
    wait "$QF_WM_PID" 2>/dev/null || true
    QF_WM_PID=""
  fi
}

viewable() { xwininfo -id "$wid" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Right after an action the window leaves the screen, and it stays away after the launch pause:
# the started program keeps the screen.
check_stays_minimised() {
  for _ in $(seq 1 30); do viewable || break; sleep 0.1; done
  viewable && fail "$1: the window was not minimised"
  sleep 2.5
  viewable && fail "$1: the window came back by itself"
  echo "$1: minimised, and stays so"
}

# The user brings the window back: full opacity, the picture as before.
check_restore() {
  local WINDOW SCREEN WIDTH HEIGHT
  xdotool mousemove --sync 5 5
  activate
  for _ in $(seq 1 50); do viewable && break; sleep 0.1; done
  viewable || fail "$1: the window did not come back"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ -z "$(opacity)" ] || fail "$1: back at opacity $(opacity)"
  sleep 0.3
  shot "$work/restored.png"
  same_pixels "$work/background.png" "$work/restored.png" "restored_$1"
  echo "$1: restored at full opacity, same pixels"
}

# From a lit button straight out of the window: unlit within a second.
check_leave() {
  local cx cy
  read -r cx cy <<<"${centre[$1]}"
  check_lit "$1"
  xdotool mousemove --sync $(( X + 640 )) $(( Y + cy ))
  for _ in $(seq 1 10); do
    sleep 0.1
    shot "$work/left.png"
    [ "$(compare -metric AE "$work/background.png" "$work/left.png" null: 2>&1)" = 0 ] && {
      echo "$1: unlit after leaving the window ($2)"
      return 0
    }
  done
  same_pixels "$work/background.png" "$work/left.png" "left_window_$1"
}

# The message box of a target that cannot be opened: up, then gone with Return.
check_missing_target_box() {
  local box=""
  for _ in $(seq 1 50); do
    box=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no message box named '$1' for the missing target"
  sleep 0.3
  xdotool key Return
  for _ in $(seq 1 30); do
    xwininfo -id "$box" 2>/dev/null | grep -q 'IsViewable' || { echo "missing target: box '$1', closed with Return"; return 0; }
    sleep 0.1
  done
  fail "the message box did not close with Return"
}
