#!/usr/bin/env bash
# Builds the win32 preset and runs its whole test suite under Wine, in a private prefix and a
# private Xvfb that are both stopped at the end, whatever happens.
#   tools/test-win32.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=tools/xvfb.sh
source tools/xvfb.sh

now() { echo "$EPOCHREALTIME"; }
lap() { awk -v what="$1" -v t0="$2" -v t1="$(now)" 'BEGIN { printf "%s: %.1f s\n", what, t1 - t0 }'; }

t0=$(now)
cmake --preset win32 >/dev/null
lap "win32 configure" "$t0"
t1=$(now)
cmake --build --preset win32 -j2
lap "win32 build" "$t1"

(
  # shellcheck source=tools/wine-env.sh
  source tools/wine-env.sh
  cleanup() { qf_wine_session_stop; qf_xvfb_stop; }
  trap cleanup EXIT
  t2=$(now)
  qf_xvfb_start
  qf_wine_prefix_ensure
  qf_wine_session_start
  lap "wine start" "$t2"
  t3=$(now)
  ctest --preset win32 --timeout 60 "$@"
  lap "win32 tests" "$t3"
)
