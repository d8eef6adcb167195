#!/usr/bin/env bash
# Quenfor.exe under Wine with no X display has no window to show its error in: it says why on the
# error stream and the debugger channel and ends with the documented code 1, without
# "terminate called" or a crash dialog. Runs in the Wine session of tools/test-win32.sh.
#   tests/e2e/quenfor_no_display.sh QUENFOR_EXE
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Quenfor.exe"
code=0
env -u DISPLAY WINEDEBUG=-all,warn+debugstr timeout 60 wine "$work/Quenfor.exe" \
  </dev/null >"$work/out" 2>"$work/err" || code=$?
cat "$work/err"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$code" = 1 ] || fail "exit code $code, not 1"
reason='Quenfor: the application window was not created'
grep -q "^$reason" "$work/err" || fail "no message on the error stream"
grep -qF ":debugstr:OutputDebugStringA \"$reason\\n\"" "$work/err" || fail "no debugger line"
if grep -q 'terminate called' "$work/err"; then fail "terminate called"; fi
echo "no display: exit 1 with the reason on stderr and the debugger channel"
