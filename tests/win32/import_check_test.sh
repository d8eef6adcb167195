#!/usr/bin/env bash
# Quenfor.exe imports at load time only from KnownDLLs, and nothing that Windows 2000 SP4 lacks;
# the check refuses a DLL that the KnownDLLs list lacks, and a function that the export list
# lacks, naming the DLL (and the function) and the object that brought it in.
#   tests/win32/import_check_test.sh QF_PE EXE EXPORTS KNOWN MAP
set -euo pipefail
pe=$1 exe=$2 exports=$3 known=$4 map=$5
"$pe" --check-imports "$exe" "$exports" "$known" "$map"

short=$(mktemp)
trap 'rm -f "$short"' EXIT
# expect_refusal LIST_ARGS... -- PATTERN: the check fails and says PATTERN.
expect_refusal() {
  local out want=$1
  shift
  if out=$("$pe" --check-imports "$exe" "$@" "$map"); then
    echo "FAIL: the check passed with $*" >&2
    exit 1
  fi
  if ! grep -q "$want" <<<"$out"; then
    echo "FAIL: the refusal does not say '$want':" >&2
    echo "$out" >&2
    exit 1
  fi
}

grep -v '^CoCreateInstance\b' "$exports" >"$short"
expect_refusal 'CoCreateInstance from ole32.dll is not on the list .*(brought in by .*endpoint_mute' \
  "$short" "$known"
grep -iv '^ole32\.dll\b' "$known" >"$short"
expect_refusal 'imports ole32.dll at load time, and it is not on the list .*(brought in by ' \
  "$exports" "$short"
echo "ok: the check refuses a DLL and a function that its lists lack"
