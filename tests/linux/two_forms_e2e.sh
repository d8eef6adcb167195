#!/usr/bin/env bash
# A program that makes a document form before its main form, on a managed desktop (openbox on a
# private Xvfb): both framed, each named by its caption; the window manager's close of the
# document hides it and the program goes on; the main form's close ends it with 0.
#   tests/linux/two_forms_e2e.sh QF_TWO_FORMS
set -euo pipefail
program=$(realpath "$1")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
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
fail() { echo "FAIL: $*" >&2; exit 1; }

qf_xvfb_start
qf_wm_start
"$program" >"$work/out" 2>&1 &
pid=$!
# Framed (a form's BorderStyle unless it says bsNone), each is named by its own caption.
window() {
  local w
  for _ in $(seq 1 100); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
# The window manager frames it for moving, minimising and closing, and offers no resize.
framed() {
  local actions
  actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
  [[ "$actions" == *_NET_WM_ACTION_MOVE* && "$actions" == *_NET_WM_ACTION_CLOSE* ]] || return 1
  [[ "$actions" != *_NET_WM_ACTION_RESIZE* ]]
}
close_window() {  # as the user does: activate it, then openbox's Alt+F4
  xdotool windowactivate --sync "$1" && xdotool key --clearmodifiers alt+F4
}
document=$(window Document) || fail "no document window"
main=$(window Main) || fail "no main window"
framed "$document" || fail "the document's frame: $(xprop -id "$document" _NET_WM_ALLOWED_ACTIONS)"
close_window "$document"
for _ in $(seq 1 50); do grep -q 'Document closes' "$work/out" && break; sleep 0.1; done
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "closing the document ended the program: $(cat "$work/out")"
xwininfo -id "$document" | grep -q 'IsViewable' && fail "the document is still shown"
close_window "$main"
rc=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "closing the main form did not end the program"
wait "$pid" || rc=$?
pid=""
[ "$rc" = 0 ] || fail "exit code $rc"
expected=$'Document closes\nMain closes\nended, the document hidden'
[ "$(cat "$work/out")" = "$expected" ] || fail "it said: $(cat "$work/out")"
echo "two forms: the document's close hid it, the main form's ended the program with 0"
