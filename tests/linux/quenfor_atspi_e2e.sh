#!/usr/bin/env bash
# The native launcher on a desktop with an accessibility bus (run inside a11y_session.sh), as a
# screen reader's client (pyatspi) meets it: the application, its window named by the program's
# title and active (it has the focus), the four choices as push buttons with their names and their
# places on the screen, the driver focused; one Tab moves the focus to the manual, which the
# client hears of; "press": on the driver it opens the installer as a click does; on the exit
# button it ends the program with 0.
#   tests/linux/quenfor_atspi_e2e.sh QUENFOR   (DISPLAY and the session's buses set)
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/out" ] && sed "s/^/  read: /" "$work/out" >&2; exit 1; }
client() { /usr/bin/python3 "$here/a11y_client.py" "$pid" "$@" >"$work/out" 2>&1; }

mkdir -p "$work/disc/DRIVER" "$work/bin"
cp "$program" "$work/disc/quenfor"
echo x >"$work/disc/DRIVER/SETUP.EXE"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/record.txt" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

xdotool mousemove --sync 0 0
(cd "$work/disc" && exec ./quenfor 2>"$work/stderr") &
pid=$!
xdotool search --sync --onlyvisible --classname '^quenfor$' >/dev/null
sleep 2.6  # the fade-in ends

client || fail "the client could not read the program"
# The window is centred on the 1024 x 768 screen: its client area starts at 212,184.
cat >"$work/expected" <<'LISTING'
  frame "quenfor" at 212,184 600x400 [active,enabled,sensitive,showing,visible] actions: 
    push button "Install Driver & Utility" at 601,442 185x27 [enabled,focusable,focused,sensitive,showing,visible] actions: press
    push button "User's Manual" at 600,487 184x25 [enabled,focusable,sensitive,showing,visible] actions: press
    push button "Install PDF Reader" at 599,535 184x23 [enabled,focusable,sensitive,showing,visible] actions: press
    push button "Exit" at 237,524 60x33 [enabled,focusable,sensitive,showing,visible] actions: press
LISTING
sed -n '2,$p' "$work/out" | diff "$work/expected" - >&2 || fail "the listing differs"
head -n1 "$work/out" | grep -q '^application "quenfor"' || fail "no application named quenfor"
echo "listing: the window, focused, and its four choices, named and placed, the driver focused"

client --listen focus: --listen object:state-changed:focused --run "xdotool key Tab" ||
  fail "the client could not listen"
cat >"$work/expected" <<'HEARD'
heard object:state-changed:focused 0 push button "Install Driver & Utility"
heard object:state-changed:focused 1 push button "User's Manual"
heard focus: 0 push button "User's Manual"
HEARD
grep '^heard ' "$work/out" | diff "$work/expected" - >&2 || fail "after a Tab, heard otherwise"
grep -q '"User'"'"'s Manual" .*\[enabled,focusable,focused,' "$work/out" ||
  fail "the manual is not focused after a Tab"
echo "Tab: the manual focused, and the focus heard"

client --press "Install Driver & Utility" || fail "the press on the driver failed"
for _ in $(seq 1 50); do [ -s "$work/record.txt" ] && break; sleep 0.1; done
[ "$(cat "$work/record.txt" 2>/dev/null)" = "$work/disc/DRIVER/SETUP.EXE" ] ||
  fail "xdg-open got '$(cat "$work/record.txt" 2>/dev/null)'"
grep -q 'TForm_Main::ImageButton3Click( 109) : Orvandel' "$work/stderr" || fail "no banner"
echo "press on the driver: opened DRIVER/SETUP.EXE, banner written"
sleep 1.5  # the launch pause, after which the window takes input again

client --press Exit || fail "the press on the exit button failed"
code=0
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || code=$?
pid=""
[ "$code" = 0 ] || fail "exit code $code after the press on Exit, want 0"
echo "ok: quenfor read and pressed by a screen reader's client"
