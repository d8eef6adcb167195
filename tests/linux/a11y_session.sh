#!/usr/bin/env bash
# Runs a command on a private desktop: a private Xvfb, a private D-Bus session and, unless told
# not to, at-spi2-core's accessibility bus launcher in it (which publishes the bus on the root
# window's AT_SPI_BUS property; the registry starts on the first client's call).
# XDG_RUNTIME_DIR is a fresh folder, removed afterwards.
#   tests/linux/a11y_session.sh [--no-accessibility-bus] COMMAND [ARG...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
launcher=1
if [ "${1:-}" = --no-accessibility-bus ]; then
  launcher=0
  shift
fi
work=$(mktemp -d)
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
cleanup() {
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
qf_xvfb_start
export XDG_RUNTIME_DIR="$work" QF_A11Y_LAUNCHER="$launcher"
# Only the private bus: not one the caller's desktop names.
unset AT_SPI_BUS_ADDRESS NO_AT_BRIDGE
# dbus-daemon says "Failed to set fd limit" when run as root: harmless.
dbus-run-session -- bash -c '
  if [ "$QF_A11Y_LAUNCHER" = 1 ]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    trap "kill $launcher 2>/dev/null || true; wait $launcher 2>/dev/null || true" EXIT
    for _ in $(seq 1 100); do
      xprop -root AT_SPI_BUS 2>/dev/null | grep -q "=" && break
      sleep 0.05
    done
    xprop -root AT_SPI_BUS | grep -q "=" || { echo "no accessibility bus" >&2; exit 1; }
  fi
  "$@"
' a11y-session "$@" 2> >(grep -v "Failed to set fd limit" >&2)
