#!/usr/bin/env bash
# The same sources give the same disc: a second, clean build folder (no compiler cache) makes the
# image again, and it must equal the tested one byte for byte.
#   tests/e2e/disc_rebuild_test.sh SOURCE_DIR DISC_IMAGE REBUILD_DIR [cmake -D options...]
set -euo pipefail
source_dir=$1
image=$2
rebuild=$3
shift 3
trap 'rm -rf "$rebuild"' EXIT
export CCACHE_DISABLE=1

rm -rf "$rebuild"
(cd "$source_dir" && cmake --preset win32 -B "$rebuild" -DQF_BUILD_TESTS=OFF "$@" >/dev/null)
cmake --build "$rebuild" -j2 --target disc >"$rebuild.log" 2>&1 || { cat "$rebuild.log" >&2; exit 1; }
rm -f "$rebuild.log"
if ! cmp -s "$image" "$rebuild/disc/quenfor.iso"; then
  root=$(dirname "$image")/root
  if diff -rq "$root" "$rebuild/disc/root" >&2; then
    echo "FAIL: the same files give another image than $image (dates, owners, order?)" >&2
  else
    echo "FAIL: the clean rebuild's image differs from $image" >&2
  fi
  exit 1
fi
echo "ok: a clean rebuild gives the same image, $(stat -c %s "$image") bytes"
