#!/usr/bin/env bash
# Remakes the artwork from its sources, then cuts the plain button pictures from the background at
# the places resources/Form_Main.form gives the buttons, on purpose. Review the pictures, then
# commit them. (The form itself is edited by hand; the build reads the pictures it names.)
#   resources/regenerate.sh [build preset, default linux]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-linux}
resources/make_artwork.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target regenerate-button-pictures -j2
echo "regenerated: resources/art"
