#!/usr/bin/env bash
# Builds the `fuzz` preset and runs one libFuzzer target for SECONDS, on its seeds (remade from
# the resources and test data) and the corpus it has grown in build/fuzz/corpus/NAME before.
# Fails on any finding: a crash, a sanitizer report, a leak, an uncaught exception, a broken
# check, an input slower than 10 s or one that needs more than 2 GB. The input that found it is
# kept in build/fuzz/findings/NAME/.
#   tools/fuzz.sh NAME SECONDS     NAME: form, bitmap, jpeg or icon
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
[ $# -eq 2 ] || { echo "usage: tools/fuzz.sh NAME SECONDS" >&2; exit 2; }
name=$1
seconds=$2
case "$name" in
  form | bitmap | jpeg | icon) ;;
  *) echo "fuzz.sh: no target $name (form, bitmap, jpeg, icon)" >&2; exit 2 ;;
esac

build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null
fuzz/make_seeds.sh "$build" "$build/seeds"

corpus="$build/corpus/$name"
findings="$build/findings/$name"
mkdir -p "$corpus" "$findings"
options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384
         -print_final_stats=1 -artifact_prefix="$findings/")
[ "$name" = form ] && options+=(-dict="$build/seeds/form.dict")
log="$build/fuzz-$name.log"
code=0
"$build/fuzz/qf_fuzz_$name" "${options[@]}" "$corpus" "$build/seeds/$name" >"$log" 2>&1 || code=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 || true)
echo "fuzz $name: ${runs:-?} runs in $seconds s, ${cov:-cov: ?} edges, corpus $(ls "$corpus" | wc -l) inputs"
if [ "$code" -ne 0 ]; then
  tail -n 60 "$log" >&2
  echo "fuzz $name: FINDING (exit $code), input in $findings/" >&2
  exit 1
fi
