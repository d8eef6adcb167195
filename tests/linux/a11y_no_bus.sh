#!/usr/bin/env bash
# Without an accessibility bus, a window with a description costs nothing: neither program links
# ATK, GLib or D-Bus, and the fixture (a window with a description, tests/linux/a11y_fixture.cpp)
# shown on a desktop with a session bus but no accessibility bus maps none of them and says
# nothing, nor with a root window property left by a bus that is gone. As a control, the same
# look finds them once the environment names a bus.
#   tests/linux/a11y_no_bus.sh FIXTURE QUENFOR
set -euo pipefail
fixture=$(realpath "$1")
program=$(realpath "$2")
libs='libatk-1|libatk-bridge|libatspi|libglib-2|libgobject-2|libdbus-1'
fail() { echo "FAIL: $*" >&2; exit 1; }

for exe in "$fixture" "$program"; do
  if readelf -d "$exe" | grep NEEDED | grep -E "$libs"; then fail "$exe links them"; fi
done
echo "ok: neither program links them"

export QF_FIXTURE="$fixture" QF_LIBS="$libs"
# shellcheck disable=SC2016
exec bash "$(dirname "${BASH_SOURCE[0]}")/a11y_session.sh" --no-accessibility-bus bash -c '
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
dir=$XDG_RUNTIME_DIR
# Shows the fixture, lets its loop wait a while, and prints what of them it maps. The fixture
# leaves at the end of its input.
mapped() {
  rm -f "$dir/in"
  mkfifo "$dir/in"
  "$QF_FIXTURE" <"$dir/in" >/dev/null 2>"$dir/err" &
  local pid=$!
  exec 3>"$dir/in"
  timeout 10 xdotool search --sync --onlyvisible --name "^Fixture app$" >/dev/null ||
    fail "no window"
  sleep 0.5
  grep -oE "/[^ ]*($QF_LIBS)[^ /]*" "/proc/$pid/maps" | sort -u || true
  exec 3>&-
  wait "$pid" || fail "the fixture ended with $?"
}
seen=$(mapped)
[ -z "$seen" ] || fail "loaded with a session bus but no accessibility bus: $seen"
[ -s "$dir/err" ] && fail "said: $(cat "$dir/err")"
echo "ok: a session bus without an accessibility bus: nothing loaded, nothing said"
xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "unix:path=$dir/gone,guid=0"
seen=$(mapped)
[ -z "$seen" ] || fail "loaded for a bus that is gone: $seen"
[ -s "$dir/err" ] && fail "said: $(cat "$dir/err")"
echo "ok: the property of a bus that is gone: nothing loaded, nothing said"
xprop -root -remove AT_SPI_BUS
seen=$(AT_SPI_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" mapped)
[ -n "$seen" ] || fail "the control: a bus named in the environment loaded nothing"
echo "ok: control: a bus named in the environment loads" $(echo "$seen" | xargs -n1 basename)
'
