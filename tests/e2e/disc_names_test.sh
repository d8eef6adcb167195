#!/usr/bin/env bash
# The disc image as Windows reads it, listed with xorriso: its Joliet tree holds every file the
# launcher opens under its exact name, the launcher and AUTORUN.INF at the root, and AUTORUN.INF
# starts a program on the disc, shows an icon from a file on it and names the drive.
#   tests/e2e/disc_names_test.sh DISC_IMAGE CONTENT_LIST VOLUME_LABEL
set -euo pipefail
image=$1
list=$2
label=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# One path a line, without the quotes xorriso puts around them.
joliet=$(xorriso -no_rc -report_about SORRY -read_fs norock -indev "$image" -find / -type f 2>/dev/null |
         sed "s/^'\/\(.*\)'$/\1/")
on_disc() { grep -qxF "$1" <<<"$joliet"; }

missing=()
while IFS= read -r path; do
  on_disc "$path" || missing+=("$path")
done < <(grep -v '^#' "$list")
[ ${#missing[@]} -eq 0 ] || fail "not in the Joliet tree: ${missing[*]} (it holds: $(tr '\n' ',' <<<"$joliet"))"

volume=$(xorriso -no_rc -indev "$image" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: //p')
[ "$volume" = "$label" ] || fail "volume label '$volume', want '$label'"

on_disc AUTORUN.INF || fail "no AUTORUN.INF at the root"
xorriso -no_rc -report_about SORRY -read_fs norock -osirrox on -indev "$image" \
  -extract /AUTORUN.INF "$work/AUTORUN.INF" >/dev/null 2>&1
autorun=$(tr -d '\r' <"$work/AUTORUN.INF")
[ "$(head -n1 <<<"$autorun")" = "[autorun]" ] || fail "AUTORUN.INF does not start with [autorun]"
open=$(sed -n 's/^open=//p' <<<"$autorun")
icon=$(sed -n 's/^icon=//p' <<<"$autorun")
drive=$(sed -n 's/^label=//p' <<<"$autorun")
on_disc "$open" || fail "open=$open is not a file on the disc"
on_disc "${icon%,*}" || fail "icon=$icon is not a file on the disc"
[ "${icon#*,}" = 0 ] || fail "icon=$icon: want the first icon"
[ "$drive" = "$label" ] || fail "label=$drive, want $label"
grep -q $'\r$' "$work/AUTORUN.INF" || fail "AUTORUN.INF lines do not end with CR LF"
echo "ok: $(grep -vc '^#' "$list") launcher targets, open=$open, icon=$icon, label=$drive"
