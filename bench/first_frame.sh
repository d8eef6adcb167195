#!/usr/bin/env bash
# The first-frame tool under a private Xvfb (no window manager): the reference program and each
# given program start alternately; see bench/first_frame/first_frame.cpp for what is reported.
#
#   bench/first_frame.sh TOOLS_DIR [--runs N] --program "NAME=PATH [ARG...]" [--program ...]...
#
# TOOLS_DIR holds qf_first_frame and qf_reference_window (build/<preset>/bench/first_frame).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tools=$(realpath "$1")
shift
work=$(mktemp -d)
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
cleanup() {
  qf_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
# Each start takes the single-instance marker afresh; nothing opens a real sound card.
export XDG_RUNTIME_DIR="$work"
qf_xvfb_start
"$tools/qf_first_frame" --jpeg "$root/resources/art/background.jpg" \
  --reference "$tools/qf_reference_window" "$@"
