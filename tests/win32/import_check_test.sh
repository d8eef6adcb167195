#!/usr/bin/env bash
# Quenfor.exe imports nothing that Windows 2000 SP4 lacks; and the check finds a function that
# the list does not name, with its DLL and the object that brought it in.
#   tests/win32/import_check_test.sh QF_PE EXE LIST MAP
set -euo pipefail
pe=$1 exe=$2 list=$3 map=$4
"$pe" --check-imports "$exe" "$list" "$map"

short=$(mktemp)
trap 'rm -f "$short"' EXIT
grep -v '^CoCreateInstance\b' "$list" >"$short"
if out=$("$pe" --check-imports "$exe" "$short" "$map"); then
  echo "FAIL: a list without CoCreateInstance passed" >&2
  exit 1
fi
want='CoCreateInstance from ole32.dll is not on the list .*(brought in by .*endpoint_mute'
if ! grep -q "$want" <<<"$out"; then
  echo "FAIL: the refusal does not name the function, the DLL and its object:" >&2
  echo "$out" >&2
  exit 1
fi
echo "ok: the check refuses what the list lacks"
