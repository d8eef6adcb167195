#!/usr/bin/env bash
# Drives xdotool_probe.exe, a form read from a form description, from the X side: the window
# appears borderless, centred and of its exact size, its opacity steps show on the X window, and a
# real X click on its button reaches the button's handlers and ends the program with code 0.
#   xdotool_test.sh PROBE.exe      (DISPLAY set, the Wine session started: tools/test-win32.sh)
set -euo pipefail
probe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/trace" ] && sed 's/^/  trace: /' "$work/trace" >&2; exit 1; }

xdotool mousemove --sync 0 0  # away from where the window will appear
WINEDEBUG=-all,warn+debugstr "$root/tools/wine-run.sh" "$probe" 2>"$work/trace" &
pid=$!

wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Quenfor probe$' | head -n1) ||
  fail "no window named 'Quenfor probe'"

read -r sw sh < <(xdotool getdisplaygeometry)
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT
[ "$WIDTH" = 300 ] && [ "$HEIGHT" = 200 ] || fail "size ${WIDTH}x${HEIGHT}, want 300x200"
[ "$X" = $(( (sw - 300) / 2 )) ] && [ "$Y" = $(( (sh - 200) / 2 )) ] ||
  fail "at $X,$Y, want centred on ${sw}x${sh}"

# Each fade step sets _NET_WM_WINDOW_OPACITY to alpha x 0x01010101; full opacity removes it.
# The probe starts fading when the pointer first moves over it.
xdotool mousemove --sync $(( X + 10 )) $(( Y + 10 ))
seen=""
for _ in $(seq 1 200); do
  value=$(xprop -id "$wid" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p')
  if [ -z "$value" ]; then
    [ -n "$seen" ] && break
  elif [[ " $seen " != *" $value "* ]]; then
    seen="$seen $value"
  fi
  sleep 0.02
done
steps=$(echo $seen | wc -w)
[ "$steps" -ge 5 ] || fail "opacity steps seen: '$seen'"
for value in $seen; do
  [ $(( value % 0x01010101 )) = 0 ] || fail "opacity $value is not alpha x 0x01010101"
done
[ -z "$(xprop -id "$wid" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p')" ] ||
  fail "the opacity property stays at full opacity"

xdotool mousemove --sync $(( X + 120 )) $(( Y + 80 )) click 1
code=0
wait "$pid" || code=$?
pid=""
[ "$code" = 0 ] || fail "exit code $code, want 0"
grep -q ':debugstr:OutputDebugStringA "probe: click\\n"' "$work/trace" || fail "no click trace"
# The button lies at (100, 60): the release reaches it in its own coordinates, after the click.
grep -A1 ':debugstr:OutputDebugStringA "probe: click\\n"' "$work/trace" |
  grep -q ':debugstr:OutputDebugStringA "probe: release at 20,20\\n"' || fail "no release trace"
echo "ok: centred ${WIDTH}x${HEIGHT}, opacity steps$seen, click, exit 0"
