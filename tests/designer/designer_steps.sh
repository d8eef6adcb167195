# shellcheck shell=bash
# Steps of a person at the designer, driven with xdotool on a managed desktop, shared by the
# native run and the Windows run under Wine. The caller sets $work, and defines
#   run_designer ARG...  starts the designer (in the background, its pid in $designer_pid,
#                        its error stream in $work/designer.err)
#   form_arg FILE        the file as the designer is given it (a Linux path, or one on Z:)

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/designer.err" ] && sed 's/^/  designer: /' "$work/designer.err" >&2
  exit 1
}

# The launcher's buttons as Form_Main.form places them, in the form's client coordinates.
manual_at="400 310"

# The designer's window: the palette's classes on the row at y 36 + 11, 110 apart from x 58; the
# properties' fields at x 178 (first column), y 88 + 11 + 22 per row.
palette_entry() { echo "$((8 + $1 * 110 + 50)) 47"; }
field_at() { echo "$((8 + 110 + 60)) $((88 + $1 * 22 + 10))"; }

# A window by its name, waited for; its client area's origin on the screen in $wx, $wy.
find_window() {
  local w=""
  for _ in $(seq 1 150); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || fail "no window named '$1'"
  echo "$w"
}
origin() {
  read -r wx wy < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
}

# Brings the window up, then acts at a point of its client area.
click_in() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowraise "$1"
  origin "$1"
  xdotool mousemove --sync $((wx + $2)) $((wy + $3)) click 1
  sleep 0.3
}
drag_in() {
  local steps=5 i
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowraise "$1"
  origin "$1"
  xdotool mousemove --sync $((wx + $2)) $((wy + $3)) mousedown 1
  for i in $(seq 1 $steps); do
    xdotool mousemove --sync $((wx + $2 + ($4 - $2) * i / steps)) $((wy + $3 + ($5 - $3) * i / steps))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}
keys_to() {
  local w=$1
  shift
  xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowraise "$w"
  xdotool key --delay 60 "$@"
  sleep 0.3
}

# Waits until FILE's content differs from what $1 holds.
wait_saved() {
  for _ in $(seq 1 50); do
    cmp -s "$1" "$2" || return 0
    sleep 0.1
  done
  fail "$2 was not written"
}

# ---- the steps ----------------------------------------------------------------------------

# Opens FILE, a copy of the launcher's form: its window and the designer's come up.
open_designer() {
  run_designer "$(form_arg "$1")"
  form_win=$(find_window '^Form_Main$')
  designer_win=$(find_window "^qf_designer - $(basename "$1")")
}

# A drag of the manual's button by 10 pixels, then Ctrl+S: its Left line alone changes.
check_drag_and_save() {
  local file=$1 before="$work/before.form" x y
  cp "$file" "$before"
  read -r x y <<<"$manual_at"
  drag_in "$form_win" "$x" "$y" $((x + 10)) "$y"
  keys_to "$form_win" ctrl+s
  wait_saved "$before" "$file"
  local changed
  changed=$(diff "$before" "$file" | grep '^[<>]') || true
  [ "$changed" = "$(printf '<     Left = 388\n>     Left = 398')" ] || fail "the drag wrote: $changed"
  echo "a drag of 10 px and Ctrl+S: the one line Left = 398"
}

# TSquareButton chosen in the palette, placed by a click, its caption typed in its field.
check_place_and_type() {
  local file=$1 before="$work/before.form"
  cp "$file" "$before"
  click_in "$designer_win" $(palette_entry 4)
  click_in "$form_win" 420 120
  click_in "$designer_win" $(field_at 11)  # Caption
  keys_to "$designer_win" ctrl+a
  xdotool type --delay 60 '"Hello"'
  keys_to "$designer_win" Return ctrl+s
  wait_saved "$before" "$file"
  grep -q '^  TSquareButton SquareButton1 {$' "$file" || fail "no SquareButton1 in the file"
  grep -q '^    Caption = "Hello"$' "$file" || fail "its caption is not in the file"
  grep -q '^    Left = 420$' "$file" || fail "it is not where the click put it"
  echo "TSquareButton placed from the palette and its caption typed: both in the file"
}

# Ctrl+C on the selection in one designer, Ctrl+V in another (or the same): the pasted control
# is renamed afresh and saved.
check_paste_from() {
  local from_win=$1 to_form=$2 file=$3 before="$work/before.form"
  cp "$file" "$before"
  click_in "$from_win" 480 271  # the driver's button
  keys_to "$from_win" ctrl+c
  keys_to "$to_form" ctrl+v ctrl+s
  wait_saved "$before" "$file"
  grep -q '^  TImageButton ImageButton4 {$' "$file" || fail "the pasted button is not in the file"
  echo "a control copied and pasted through the clipboard, named ImageButton4"
}

stop_designer() {
  if [ -n "${designer_pid:-}" ]; then
    kill "$designer_pid" 2>/dev/null || true
    wait "$designer_pid" 2>/dev/null || true
    designer_pid=""
  fi
}
