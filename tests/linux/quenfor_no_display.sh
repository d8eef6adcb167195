#!/usr/bin/env bash
# Without an X display the program has no window to show its error in: it says why on the error
# stream and ends with the documented code 1, without "terminate called" or a core dump.
#   tests/linux/quenfor_no_display.sh QUENFOR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
code=0
env -u DISPLAY XDG_RUNTIME_DIR="$work" timeout 10 "$1" >"$work/out" 2>"$work/err" || code=$?
cat "$work/err"
[ "$code" = 1 ] || { echo "FAIL: exit code $code, not 1" >&2; exit 1; }
grep -qx 'quenfor: cannot open the X display (is DISPLAY set?)' "$work/err" ||
  { echo "FAIL: no message on the error stream" >&2; exit 1; }
if grep -q 'terminate called' "$work/err"; then echo "FAIL: terminate called" >&2; exit 1; fi
echo "no display: exit 1 with the reason on stderr"
