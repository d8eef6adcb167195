#!/usr/bin/env bash
# qf_designer.exe under Wine on a managed desktop (openbox on a private Xvfb, in the desktop
# runs' prefix), driven with xdotool as on Linux: a drag and Ctrl+S change one line; a class
# placed from the palette with a typed caption; a control copied and pasted through Windows'
# clipboard; an MSAA client lists the palette's classes and the properties with their values, and
# its press on a palette entry chooses the class that a click then places.
#   tests/designer/designer_wine_e2e.sh QF_DESIGNER_EXE WIN32_A11Y_CLIENT
set -euo pipefail
program=$(realpath "$1")
a11y_client=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
designer_pid=""
export QF_WINE_DIR="$root/.cache/wine-desktop"
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
# shellcheck source=tests/e2e/desktop_steps.sh
source "$root/tests/e2e/desktop_steps.sh"
# shellcheck source=tests/designer/designer_steps.sh
source "$root/tests/designer/designer_steps.sh"
cleanup() {
  stop_designer
  qf_wine_session_stop
  qf_wm_stop
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

run_designer() {
  wine "$program" "$@" 2>>"$work/designer.err" &
  designer_pid=$!
}
form_arg() { winepath -w "$1" 2>/dev/null; }

mkdir -p "$work/forms"
cp -r "$root/resources/art" "$work/forms/art"
cp "$root/resources/Form_Main.form" "$work/forms/main.form"

qf_xvfb_start
qf_wm_start
qf_wine_prefix_ensure
wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
qf_wine_session_start

open_designer "$work/forms/main.form"
check_drag_and_save "$work/forms/main.form"
check_place_and_type "$work/forms/main.form"
check_paste_from "$form_win" "$form_win" "$work/forms/main.form"

msaa() {
  wine "$a11y_client" --title "qf_designer - main.form" --class QfDesignerForm --wait 5000 "$@" \
    </dev/null 2>&1 | tr -d '\r' >"$work/msaa" || fail "the MSAA client: $(cat "$work/msaa")"
}
msaa
for cls in TEncartaButton TAOLButton TImageButton TSelButton TSquareButton; do
  grep -q "push button \"$cls\" .* action=\"press\"" "$work/msaa" || fail "no palette entry $cls: $(cat "$work/msaa")"
done
grep -q ' "Name" .* value="ImageButton4"' "$work/msaa" || fail "no property row Name with its value: $(cat "$work/msaa")"
echo "MSAA: the palette's classes by name, the properties with their values"
msaa --press TSelButton
cp "$work/forms/main.form" "$work/before.form"
click_in "$form_win" 300 200
keys_to "$form_win" ctrl+s
wait_saved "$work/before.form" "$work/forms/main.form"
grep -q '^  TSelButton SelButton1 {$' "$work/forms/main.form" || fail "the press did not choose TSelButton"
echo "MSAA: pressing a palette entry chose its class"
echo "qf_designer.exe end to end: all passed"
