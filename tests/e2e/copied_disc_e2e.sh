#!/usr/bin/env bash
# The disc copied to a folder of the user's own, named in Cyrillic and Chinese
# (C:\Загрузки\驱动光盘\, Wine's ANSI code page 1252), with a library planted beside the launcher
# under the name of every DLL its process loads by name once it runs, each loaded native-first as
# Windows loads a DLL that is not a KnownDLL:
#   - none of the planted libraries is loaded through a whole run (start, a launch pressed by a
#     screen reader's client, the exit), and every DLL the run loads is a KnownDLL, one of them,
#     or one that Wine loads before the program's first instruction;
#   - the run goes as it does without them: the driver's installer starts, the mixer's and the
#     endpoint's mutes are cleared at the exit, the exit code is 0;
#   - each of the three targets starts from that folder (the stand-ins say where they were
#     started from; the shell passes on the doubled backslash of the manual's and the reader's
#     target as one), and the trace line shows the path in the ANSI code page;
#   - COM: the program's own apartment (COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) is
#     joined once, before the first shell request, and every apartment its thread entered is
#     left, the last after the endpoint's mute is cleared.
#   tests/e2e/copied_disc_e2e.sh DISC_IMAGE STANDIN_EXE A11Y_CLIENT_EXE PLANTED_DLL KNOWN_DLLS
set -euo pipefail
image=$(realpath "$1")
standin=$(realpath "$2")
a11y_client=$(realpath "$3")
planted_dll=$(realpath "$4")
known_dlls=$(realpath "$5")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
launcher_pid=""
export LC_ALL=C.UTF-8  # Unix names in UTF-8; Wine's locale stays English: code page 1252

# Loaded by name once the program runs, under Wine: each is planted.
planted=(winmm.dll oleacc.dll uxtheme.dll msacm32.dll dwmapi.dll mmdevapi.dll winex11.drv
         winealsa.drv winepulse.drv)
# Loaded by Wine before the program's first instruction, as imports of its own system DLLs (or
# Wine's own, as zlib1 and its user32's version and imm32): nothing the program does can change
# where they come from. Windows lists them as KnownDLLs, or has none of that name.
before_program=(kernelbase.dll ucrtbase.dll sechost.dll zlib1.dll version.dll win32u.dll
                combase.dll shcore.dll shlwapi.dll imm32.dll)

export QF_WINE_DIR="$root/.cache/wine-e2e"
# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
# shellcheck source=tools/wine-disc.sh
source "$root/tools/wine-disc.sh"
# shellcheck source=tests/e2e/e2e_steps.sh
source "$root/tests/e2e/e2e_steps.sh"

folder="$WINEPREFIX/drive_c/Загрузки/驱动光盘"
win_folder='C:\Загрузки\驱动光盘'
cleanup() {
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  qf_wine_session_stop
  qf_xvfb_stop
  rm -rf "$work" "$WINEPREFIX/drive_c/Загрузки"
}
trap cleanup EXIT

qf_disc_extract "$image" "$work/disc"
[ -n "${DISPLAY:-}" ] || qf_xvfb_start
qf_wine_prefix_ensure
wine winecfg -v win10 </dev/null >/dev/null 2>&1
rm -rf "$WINEPREFIX/drive_c/Загрузки"
mkdir -p "$folder"
cp -r "$work/disc/." "$folder/"
chmod -R u+w "$folder"
overrides=""
for dll in "${planted[@]}"; do
  cp "$planted_dll" "$folder/$dll"
  overrides+="${overrides:+,}${dll%.*}"
done
qf_pdf_viewer "$standin"
qf_wine_session_start
acp=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP </dev/null 2>/dev/null |
      tr -d '\r' | awk '$1 == "ACP" { print $3 }')
[ "$acp" = 1252 ] || fail "Wine's ANSI code page is '$acp', want 1252"
QF_STANDIN_LOG=$(winepath -w "$work/record.txt" 2>/dev/null)
export QF_STANDIN_LOG

# The launcher from the copied folder, its DLLs native-first; the trace says too what it loads,
# its COM apartments and its shell requests.
launcher=Quenfor.exe
launch_dir=$folder
trace_more=trace+loaddll,trace+ole,trace+exec
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"

loads() { sed -n 's/^[0-9a-f]*:trace:loaddll:build_module Loaded L"\([^"]*\)".*/\1/p' "$trace"; }

check_nothing_planted_loaded() {
  local from_folder
  from_folder=$(loads | grep -iv '^C:\\\\windows\\\\' | grep -iv '\.exe$' || true)
  [ -z "$from_folder" ] || fail "$1: loaded beside the launcher: $from_folder"
  ! grep -aq 'planted library loaded' "$trace" || fail "$1: a planted library ran"
}

# Every DLL the run loaded: a KnownDLL, a planted name, or one Wine loads before the program.
check_loads_accounted() {
  local name unknown=""
  while read -r name; do
    grep -qix "$name" <(printf '%s\n' "${planted[@]}" "${before_program[@]}") && continue
    grep -v '^#' "$known_dlls" | sed 's/#.*//; s/[[:space:]]*$//' | grep -qix "$name" && continue
    unknown+=" $name"
  done < <(loads | grep -iv '\.exe$' | sed 's/.*\\\\//' | sort -fu)
  [ -z "$unknown" ] || fail "loaded and neither known, planted nor Wine's before the program:$unknown"
}

# The launcher's thread: the one that loaded Quenfor.exe.
check_apartment() {
  local tid lines joined shell unmute last
  tid=$(grep -a 'trace:loaddll:build_module Loaded L".*Quenfor.exe"' "$trace" | head -n1 | cut -d: -f1)
  lines=$(grep -an "^$tid:trace:\(ole:CoInitializeEx [0-9a-f]*, \|ole:CoUninitialize\|exec:SHELL_execute mask\|mmdevapi:AEV_SetMute\)" "$trace")
  joined=$(grep -c 'CoInitializeEx [0-9a-f]*, 0x6$' <<<"$lines" || true)
  [ "$joined" = 1 ] || fail "the program's apartment (0x6) was joined $joined times"
  shell=$(grep -m1 'SHELL_execute' <<<"$lines" | cut -d: -f1)
  [ -n "$shell" ] && [ "$(grep -m1 ', 0x6$' <<<"$lines" | cut -d: -f1)" -lt "$shell" ] ||
    fail "the shell was asked before the apartment was joined"
  [ "$(grep -c 'CoInitializeEx' <<<"$lines")" = "$(grep -c 'CoUninitialize' <<<"$lines")" ] ||
    fail "the thread's apartments were not each left once: $lines"
  unmute=$(grep 'AEV_SetMute' <<<"$lines" | tail -n1 | cut -d: -f1)
  last=$(grep 'CoUninitialize' <<<"$lines" | tail -n1 | cut -d: -f1)
  [ -n "$unmute" ] && [ "$last" -gt "$unmute" ] || fail "the apartment was left before the unmute"
  echo "COM: the program's apartment joined once before the shell, the last left after the unmute"
}

# Run 1: a screen reader presses the driver's choice (the launcher serves it through oleacc),
# then the exit (the taskbar's close: the window stays minimised after a launch).
start_launcher driver
sleep 2.6  # the fade-in ends
press_accessible "Install Driver & Utility"
expect_launch driver ImageButton3Click 109 'C:\\????????\\????\\DRIVER\\SETUP.EXE' \
  "$win_folder\\DRIVER\\SETUP.EXE"
sleep 1.5  # the launch pause
wine taskkill /im Quenfor.exe </dev/null >/dev/null 2>&1
check_exit
check_endpoint_unmuted
check_nothing_planted_loaded driver
check_loads_accounted
check_apartment

start_launcher manual
click manual
expect_launch manual ImageButton2Click 89 'C:\\????????\\????\\\\USER MANUAL\\QRV512LD3T8.pdf' \
  "C:\\qf\\viewer.exe|$win_folder\\USER MANUAL\\QRV512LD3T8.pdf"
stop_launcher
check_nothing_planted_loaded manual

start_launcher reader
click reader
expect_launch reader ImageButton1Click 174 'C:\\????????\\????\\\\ACROBAT READER\\Setup8.exe' \
  "$win_folder\\ACROBAT READER\\Setup8.exe"
stop_launcher
check_nothing_planted_loaded reader
echo "ok: the copied disc in $win_folder opens its three targets and loads nothing planted"
