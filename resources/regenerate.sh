#!/usr/bin/env bash
# Remakes the artwork and the form description from their sources, on purpose. Review the
# pictures and the diff, then commit them.
#   resources/regenerate.sh [build preset, default linux]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-linux}
resources/make_artwork.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target regenerate-form-main -j2
echo "regenerated: resources/art and resources/Form_Main.form"
