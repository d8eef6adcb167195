#!/usr/bin/env bash
# Valgrind's memcheck over the headless test suites and a scripted session of the native Linux
# program (start, fade-in, hover, leave through the exit button) under a private Xvfb. Fails on
# any memory error or any definitely lost byte; the logs stay in build/linux/memcheck/.
#   tools/memcheck.sh [NAME...]    NAME: a suite below or `quenfor`; all of them by default
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
all=(qf_support_tests qf_device_tests qf_raster_tests qf_graphics_tests qf_streaming_tests
     qf_ui_tests qf_buttoncomps_tests qf_image_button_tests qf_app_tests qf_designer_tests quenfor)
names=("${@:-${all[@]}}")
suites=()
for name in "${names[@]}"; do [ "$name" = quenfor ] || suites+=("$name"); done
build=build/linux
logs="$PWD/$build/memcheck"
cmake --preset linux >/dev/null
cmake --build --preset linux -j"$(nproc)" --target "${suites[@]}" quenfor >/dev/null
rm -rf "$logs"
mkdir -p "$logs"
vg=(valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite
    --errors-for-leak-kinds=definite --num-callers=30)
failed=0

verdict() {  # NAME EXIT_CODE
  local summary
  summary=$(grep -E 'ERROR SUMMARY|definitely lost' "$logs/$1.log" | sed 's/^==[0-9]*== *//' | paste -sd ';' - || true)
  if [ "$2" -eq 0 ]; then
    echo "memcheck $1: clean ($summary)"
  else
    echo "memcheck $1: FAILED, exit $2 ($summary); see $logs/$1.log" >&2
    failed=1
  fi
}

for suite in "${suites[@]+"${suites[@]}"}"; do
  exe=$(find "$build/tests" -type f -name "$suite" -perm -u+x | head -n1)
  code=0
  "${vg[@]}" --log-file="$logs/$suite.log" "$exe" --gtest_brief=1 >"$logs/$suite.out" 2>&1 || code=$?
  verdict "$suite" "$code"
done

[[ " ${names[*]} " == *" quenfor "* ]] || exit $failed

# The native program: a private display, its own runtime folder for the single-instance marker.
# shellcheck source=tools/xvfb.sh
source tools/xvfb.sh
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
qf_xvfb_start
cp "$build/app/quenfor" "$work/quenfor"
xdotool mousemove --sync 0 0
code=0
# Without an accessibility bus, even where the caller's desktop names one: what ATK's bridge
# allocates is not ours to check.
(cd "$work" && XDG_RUNTIME_DIR="$work" exec env -u AT_SPI_BUS_ADDRESS "${vg[@]}" \
  --log-file="$logs/quenfor.log" ./quenfor >/dev/null 2>&1) &
pid=$!
if wid=$(timeout 120 xdotool search --sync --onlyvisible --classname '^quenfor$' | head -n1); then
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  sleep 4  # the fade-in, slowed down by valgrind
  xdotool mousemove --sync $((X + 481)) $((Y + 271)) sleep 1  # onto the driver button
  xdotool mousemove --sync $((X + 300)) $((Y + 100)) sleep 1  # off again
  xdotool mousemove --sync $((X + 55)) $((Y + 356)) sleep 1 click 1  # the exit button
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
fi
kill -0 "$pid" 2>/dev/null && { echo "memcheck quenfor: the session did not end" >&2; kill "$pid"; }
wait "$pid" || code=$?
pid=""
verdict quenfor "$code"
exit $failed
