#!/usr/bin/env bash
# The designer as a person uses it, on a managed desktop (openbox on a private Xvfb), driven with
# xdotool: a file that does not read opens nothing (its line named, exit code 2); a drag and
# Ctrl+S change one line; a class placed from the palette with a typed caption; F9 tries the form
# (a hover lights the button, F9 again shows it plain); another program's change is followed;
# a control copied in a second designer is pasted into the first.
#   tests/designer/designer_linux_e2e.sh QF_DESIGNER
set -euo pipefail
program=$(realpath "$1")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
designer_pid=""
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
# shellcheck source=tests/e2e/desktop_steps.sh
source "$root/tests/e2e/desktop_steps.sh"
# shellcheck source=tests/designer/designer_steps.sh
source "$root/tests/designer/designer_steps.sh"
second_pid=""
cleanup() {
  stop_designer
  if [ -n "$second_pid" ]; then kill "$second_pid" 2>/dev/null || true; fi
  qf_wm_stop
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

run_designer() {
  "$program" "$@" 2>>"$work/designer.err" &
  designer_pid=$!
}
form_arg() { echo "$1"; }

mkdir -p "$work/forms"
ln -s "$root/resources/art" "$work/forms/art"
cp "$root/resources/Form_Main.form" "$work/forms/main.form"
sed 's/^  Caption = "Form_Main"$/  Caption = "Other"/' "$root/resources/Form_Main.form" >"$work/forms/other.form"
printf 'TForm Form1 {\n  Left = \n}\n' >"$work/forms/broken.form"

qf_xvfb_start
qf_wm_start

# A file that does not read: its box, closed with Return; the line in the error stream; exit 2.
run_designer "$work/forms/broken.form"
find_window '^qf_designer$' >/dev/null
sleep 0.3
xdotool key Return
rc=0
wait "$designer_pid" || rc=$?
designer_pid=""
[ "$rc" = 2 ] || fail "a broken file ended with $rc, want 2"
grep -q 'broken.form: Line 2' "$work/designer.err" || fail "the error stream does not name the line"
echo "a file that does not read: the line named, exit code 2"
: >"$work/designer.err"

open_designer "$work/forms/main.form"
check_drag_and_save "$work/forms/main.form"
check_place_and_type "$work/forms/main.form"

# F9 runs the form: the pointer over the manual's button (moved to 398) lights it; F9 again and
# it is plain, as designed.
button_shows() {
  import -window "$form_win" -crop 184x25+398+303 +repage "$work/button.png"
  convert "$root/resources/art/$1.bmp" "$work/want.png"
  [ "$(compare -metric AE "$work/button.png" "$work/want.png" null: 2>&1)" = 0 ]
}
keys_to "$designer_win" F9
origin "$form_win"
xdotool windowactivate --sync "$form_win" 2>/dev/null || true
xdotool mousemove --sync $((wx + 480)) $((wy + 315))
sleep 0.5
button_shows hl_manual || fail "trying the form, the hovered button is not lit"
keys_to "$form_win" F9
xdotool mousemove --sync $((wx + 481)) $((wy + 316))
sleep 0.5
button_shows plain_manual || fail "designing again, the button is still lit"
echo "F9: a hover lights the button; F9 again: plain"

# Another program moves the exit button: the designer follows, so a click at its new place
# selects it, and Right and Ctrl+S write from there.
sed -i 's/^    Left = 25$/    Left = 50/' "$work/forms/main.form"
sleep 1.2
cp "$work/forms/main.form" "$work/before.form"
click_in "$form_win" 80 356
keys_to "$form_win" Right ctrl+s
wait_saved "$work/before.form" "$work/forms/main.form"
grep -q '^    Left = 51$' "$work/forms/main.form" || fail "the outside change was not followed"
echo "another program's change followed within a second"

# A second designer copies the driver's button; the first pastes it.
first_pid=$designer_pid
"$program" "$work/forms/other.form" 2>>"$work/designer.err" &
second_pid=$!
other_form=$(find_window '^Other$')
check_paste_from "$other_form" "$form_win" "$work/forms/main.form"
designer_pid=$first_pid
echo "designer end to end: all passed"
