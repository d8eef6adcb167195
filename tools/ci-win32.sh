#!/usr/bin/env bash
# The Windows part of CI: packages for the cross build and Wine, then build and test.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
start=$(date +%s)
bash tools/setup.sh --win32
bash tools/test-win32.sh
echo "ci-win32: $(( $(date +%s) - start )) s"
