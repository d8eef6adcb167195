#!/usr/bin/env bash
# The disc target's guard: content that lacks a file the launcher opens, or names it in another
# case, stops it with a message naming each such file, and nothing is written; so does a volume
# label too long for the disc.
#   tests/e2e/disc_guard_test.sh MAKE_DISC_CMAKE CONTENT_LIST LAUNCHER_EXE
set -euo pipefail
script=$1
list=$2
launcher=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

make_disc() {
  cmake -DCONTENT="$work/content" -DLIST="$list" -DLAUNCHER="$launcher" -DROOT="$work/root" \
        -DIMAGE="$work/disc.iso" -DLABEL="${label:-TEST}" -DXORRISO="$(command -v xorriso)" \
        -DSOURCE_DIR="$work" -P "$script" >"$work/out" 2>&1
}

# Every listed file (and a name that differs only in case beside one), then one missing, one in
# the wrong case and one a folder.
while IFS= read -r path; do
  mkdir -p "$work/content/$(dirname "$path")"
  echo x >"$work/content/$path"
done < <(grep -v '^#' "$list")
echo x >"$work/content/DRIVER/setup.exe"
make_disc || fail "complete content refused: $(cat "$work/out")"
[ -s "$work/disc.iso" ] && [ -f "$work/root/AUTORUN.INF" ] || fail "complete content gave no disc"
rm -rf "$work/root" "$work/disc.iso"
if label=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456 make_disc; then fail "a 33-character label accepted"; fi
tr -s " \n" " " <"$work/out" | grep -q "must have 1 to 32 characters" || fail "no word on the label: $(cat "$work/out")"
[ ! -e "$work/root" ] && [ ! -e "$work/disc.iso" ] || fail "written despite the label"

rm "$work/content/DRIVER/SETUP.EXE"
mv "$work/content/USER MANUAL/QRV512LD3T8.pdf" "$work/content/USER MANUAL/qrv512ld3t8.PDF"
rm "$work/content/ACROBAT READER/Setup8.exe"
mkdir "$work/content/ACROBAT READER/Setup8.exe"
if make_disc; then fail "incomplete content accepted"; fi
out=$(tr -s ' \n' ' ' <"$work/out")
for want in "missing: DRIVER/SETUP.EXE" \
            "missing: USER MANUAL/QRV512LD3T8.pdf (there is USER MANUAL/qrv512ld3t8.PDF: the case differs)" \
            "a folder, not a file: ACROBAT READER/Setup8.exe" "Nothing was written"; do
  grep -qF "$want" <<<"$out" || fail "the message lacks '$want': $out"
done
grep -qF "ACROBAT READER/SETUP.EXE" <<<"${out%%Nothing*}" && fail "a present file was reported: $out"
[ ! -e "$work/root" ] && [ ! -e "$work/disc.iso" ] || fail "something was written"
echo "ok: the guard names each missing file and writes nothing"
