#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix; CTest uses it as the
# emulator of the cross build. The exit code is the program's.
set -euo pipefail
# shellcheck source=tools/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ -f "$QF_WINE_STAMP" ] || qf_wine_prefix_ensure
exec wine "$@"
