#!/usr/bin/env bash
# Runs a command on a private Xvfb (no window manager), which is stopped afterwards.
#   tests/linux/x_session.sh COMMAND [ARG...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
trap qf_xvfb_stop EXIT
qf_xvfb_start
"$@"
