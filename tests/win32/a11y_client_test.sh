#!/usr/bin/env bash
# A screen reader's client and the window it reads in two processes under Wine: the client lists
# the probe's window, buttons and text field (names, roles, screen places, states, actions, the
# field's value), an unavailable button's action is refused, an accepted one returns at once while
# the probe runs it from its loop (pumping for 1.5 s), and the exit button's action ends the probe
# with 0. Every call reaches the probe's tree on its window's thread.
#   a11y_client_test.sh CLIENT.exe PROBE.exe   (DISPLAY set, the Wine session started)
set -euo pipefail
client=$1 probe=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/  out: /' "$work/out" >&2; exit 1; }

# The client's output, its lines' CRs dropped; its exit code in $rc.
read_probe() {
  rc=0
  "$root/tools/wine-run.sh" "$client" --title "Quenfor a11y probe" "$@" >"$work/raw" 2>&1 || rc=$?
  tr -d '\r' <"$work/raw" >"$work/out"
}

"$root/tools/wine-run.sh" "$probe" >"$work/probe" &
pid=$!

read_probe --wait 15000
[ "$rc" = 0 ] || fail "listing ended with $rc"
# Whether the window has the keyboard focus is the window manager's business, not the server's.
# The role names are Wine's oleacc's ("text" where Windows says "editable text").
sed -e 's/states=focused,/states=/' "$work/out" >"$work/listed"
diff - "$work/listed" <<'LISTING' || fail "listing differs"
0 client "Café Quenfor" at 100,100 size 300x200 states=focusable action=none
1 push button "Install Driver & Utility" at 250,120 size 140x30 states=none action="press"
2 push button "User's Manual" at 250,160 size 140x30 states=none action="press"
3 push button "Install PDF Reader" at 250,200 size 140x30 states=unavailable action="press"
4 push button "Exit" at 110,250 size 60x30 states=none action="press"
5 text "Caption" at 250,250 size 140x20 states=none action=none value="Café €"
LISTING

read_probe --press "Install PDF Reader"
[ "$rc" = 6 ] && grep -q '^press "Install PDF Reader": 0x80004005 ' "$work/out" ||
  fail "an unavailable button's action was not refused (exit $rc)"

read_probe --press "User's Manual"
[ "$rc" = 0 ] || fail "the manual's action ended with $rc"
ms=$(sed -n "s/^press \"User's Manual\": 0x00000000 in \([0-9]*\) ms$/\1/p" "$work/out")
[ -n "$ms" ] && [ "$ms" -lt 1000 ] || fail "the call did not return at once (${ms:-no answer} ms)"

read_probe --press "Nothing"
[ "$rc" = 5 ] || fail "a missing button ended with $rc, want 5"

read_probe --press "Exit"
[ "$rc" = 0 ] || fail "the exit button's action ended with $rc"
probe_rc=0
wait "$pid" || probe_rc=$?
pid=""
[ "$probe_rc" = 0 ] || fail "the probe ended with $probe_rc, want 0"
printf "pressed User's Manual\npressed Exit\n" | diff - <(tr -d '\r' <"$work/probe") >&2 ||
  fail "the probe ran other actions, or was called on another thread"
echo "ok: the client reads and presses across processes"
