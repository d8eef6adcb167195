#!/usr/bin/env bash
# The picture of the designer in README.md, made on purpose: qf_designer on the launcher's form
# under a private Xvfb with openbox, the manual's button selected.
#   tools/designer-screenshot.sh QF_DESIGNER OUT.png
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
pid=""
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
# shellcheck source=tests/e2e/desktop_steps.sh
source "$root/tests/e2e/desktop_steps.sh"
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  qf_wm_stop
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/forms"
ln -s "$root/resources/art" "$work/forms/art"
cp "$root/resources/Form_Main.form" "$work/forms/Form_Main.form"
qf_xvfb_start
qf_wm_start
"$program" "$work/forms/Form_Main.form" 2>/dev/null &
pid=$!
form=$(xdotool search --sync --onlyvisible --name '^Form_Main$' | head -n1)
sleep 0.5
read -r x y < <(xwininfo -id "$form" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
xdotool mousemove --sync $((x + 480)) $((y + 315)) click 1
sleep 0.5
# The two windows and no more of the screen.
import -window root -crop 820x600+0+0 +repage "$out"
echo "$out"
