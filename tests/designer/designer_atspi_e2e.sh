#!/usr/bin/env bash
# The designer as a screen reader's client (pyatspi) meets it, on a desktop with an accessibility
# bus (run inside tests/linux/a11y_session.sh): the palette's five classes are push buttons named
# by their class, each property a text entry named by the property with its value as its text;
# "press" on a palette entry chooses it, and a click on the form then places that class.
#   tests/designer/designer_atspi_e2e.sh QF_DESIGNER   (DISPLAY and the session's buses set)
set -euo pipefail
program=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/out" ] && sed "s/^/  read: /" "$work/out" >&2; exit 1; }
client() { /usr/bin/python3 "$root/tests/linux/a11y_client.py" "$pid" "$@" >"$work/out" 2>&1; }

mkdir -p "$work/forms"
ln -s "$root/resources/art" "$work/forms/art"
cp "$root/resources/Form_Main.form" "$work/forms/main.form"
"$program" "$work/forms/main.form" 2>"$work/stderr" &
pid=$!
xdotool search --sync --onlyvisible --name '^qf_designer - main.form' >/dev/null
sleep 0.5

client || fail "the client could not read the designer"
for cls in TEncartaButton TAOLButton TImageButton TSelButton TSquareButton; do
  grep -q "^    push button \"$cls\" .* actions: press$" "$work/out" || fail "no palette entry $cls"
done
for row in 'Name" .* text "Form_Main"' 'Left" .* text "407"' 'Caption" .* text ""Form_Main""'; do
  grep -q "^    entry \"$row" "$work/out" || fail "no property row $row"
done
echo "listing: the palette's five classes by name, the properties by name with their values"

client --press TSquareButton || fail "the press on TSquareButton failed"
sleep 0.3
form=$(xdotool search --onlyvisible --name '^Form_Main$' | head -n1)
read -r x y < <(xwininfo -id "$form" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
xdotool mousemove --sync $((x + 420)) $((y + 120)) click 1
sleep 0.3
xdotool key ctrl+s
for _ in $(seq 1 30); do grep -q 'TSquareButton SquareButton1' "$work/forms/main.form" && break; sleep 0.1; done
grep -q '^  TSquareButton SquareButton1 {$' "$work/forms/main.form" ||
  fail "pressing the palette entry did not choose its class"
echo "press: the palette entry chosen, and its class placed by a click"
