#!/usr/bin/env bash
# The disc image, unpacked (no mounting) under its Joliet names and put in Wine as the CD-ROM
# drive D:, with the real Quenfor.exe started as AUTORUN.INF's open= says, driven from the X side
# with xdotool:
#   - D: is a CD-ROM drive to Windows programs;
#   - the executable: its imports, its version record, and its manifest;
#   - a borderless 600 x 400 window centred on the screen, pixel for pixel the artwork;
#   - the fade-in's opacity steps up to full opacity, then none;
#   - a hovered button shows its highlight, exactly;
#   - a second copy exits 0 at once and shows no window;
#   - each action button starts its target (a recorder stands in for every program) and the
#     debugger channel shows the four banner lines and the target;
#   - the exit button ends the process with code 0 after the speakers' mute was cleared, the
#     mixer's and then the output device's own; without any audio driver it still ends with 0;
#   - Windows XP and 2000 get the reader installers made for them;
#   - a screen reader's client in another process (MSAA) lists the four choices with their names,
#     roles, places (those of their pixels) and states, in the keyboard's order, and its "press"
#     on the manual starts it as a click does; its "press" on the exit button ends the launcher
#     with 0;
#   - by keyboard alone: the client hears the driver as the focus once the window shows, the
#     manual after a Tab, which draws the focus rectangle round it (and nothing else), and Enter
#     starts the manual as a click does.
#
# With `desktop`, on a managed desktop instead (openbox on a private Xvfb, Wine's windows managed,
# in a prefix of its own, .cache/wine-desktop): each action minimises the launcher, which stays
# so until the user activates its taskbar entry and comes back the same; leaving the window
# straight from a lit button unlights it, before and after a restore; a missing target brings
# the shell's box, which closes with Return; back from the taskbar the form has the keyboard, and
# Esc ends the launcher with 0 after the speakers' mute was cleared.
#
#   tests/e2e/quenfor_e2e.sh DISC_IMAGE STANDIN_EXE A11Y_CLIENT_EXE [desktop]
# Uses $DISPLAY, or a private Xvfb when there is none, and its own Wine prefix (.cache/wine-e2e),
# set to report Windows 10 as a current machine would. The stand-in is the PDF viewer.
set -euo pipefail
image=$(realpath "$1")
standin=$(realpath "$2")
a11y_client=$(realpath "$3")
mode=${4:-bare}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
art="$root/resources/art"
work=$(mktemp -d)
launcher_pid=""
listener_pid=""

# shellcheck source=tools/xvfb.sh
source "$root/tools/xvfb.sh"
if [ "$mode" = desktop ]; then
  export QF_WINE_DIR="$root/.cache/wine-desktop"
else
  export QF_WINE_DIR="$root/.cache/wine-e2e"
fi
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
# shellcheck source=tools/wine-disc.sh
source "$root/tools/wine-disc.sh"
# shellcheck source=tests/e2e/e2e_steps.sh
source "$root/tests/e2e/e2e_steps.sh"
# shellcheck source=tests/e2e/desktop_steps.sh
source "$root/tests/e2e/desktop_steps.sh"

cleanup() {
  [ -n "$listener_pid" ] && kill "$listener_pid" 2>/dev/null
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  qf_wine_session_stop
  qf_wm_stop
  qf_xvfb_stop
  qf_disc_remove "$work/disc"
  rm -rf "$work"
}
trap cleanup EXIT

qf_disc_extract "$image" "$work/disc"
launcher=$(qf_disc_autorun "$work/disc")
check_executable "$work/disc/${launcher#D:\\}"
if [ "$mode" = desktop ]; then
  # Always its own display: the window manager must be the only one there.
  qf_xvfb_start
  qf_wm_start
  qf_wine_prefix_ensure
  # Managed windows: the window manager minimises, restores and activates them.
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
else
  [ -n "${DISPLAY:-}" ] || qf_xvfb_start
  qf_wine_prefix_ensure
fi
wine winecfg -v win10 </dev/null >/dev/null 2>&1
qf_disc_mount "$work/disc"
qf_pdf_viewer "$standin"
qf_wine_session_start
check_cdrom
QF_STANDIN_LOG=$(winepath -w "$work/record.txt" 2>/dev/null)
export QF_STANDIN_LOG

# The launcher's taskbar entry: the application window, the managed window that is not the form.
taskbar_entry() {
  xprop -root _NET_CLIENT_LIST | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
    while read -r w; do [ $(( w )) != "$wid" ] && echo "$w"; done | head -n1
}
activate() { xdotool windowactivate "$(taskbar_entry)"; }

if [ "$mode" = desktop ]; then
  start_launcher desktop
  check_window
  name=$(xdotool getwindowname "$(taskbar_entry)")
  [ "$name" = Quenfor ] || fail "the taskbar entry is named '$name', want Quenfor"
  check_fade_in
  check_pixels
  check_leave driver "first show"
  click driver
  expect_launch desktop ImageButton3Click 109 'D:\\DRIVER\\SETUP.EXE' 'D:\DRIVER\SETUP.EXE'
  check_stays_minimised driver
  check_restore driver
  check_leave driver "after a restore"
  chmod u+w "$work/disc/DRIVER"  # unpacked read-only, as on a disc
  rm -f "$work/disc/DRIVER/SETUP.EXE"
  click driver
  check_missing_target_box '^Error$'
  check_stays_minimised "missing driver"
  check_restore "missing driver"
  xdotool key Escape
  check_exit
  check_endpoint_unmuted
  echo "ok: Quenfor.exe on a managed desktop"
  exit 0
fi

start_launcher first
check_window
check_fade_in
check_pixels
for b in driver manual reader exit; do check_hover "$b"; done
check_second_copy
click driver
expect_launch first ImageButton3Click 109 'D:\\DRIVER\\SETUP.EXE' 'D:\DRIVER\SETUP.EXE'
stop_launcher

start_launcher manual
start_listening
expect_heard 'focus 1 "Install Driver & Utility"'
xdotool key Tab
expect_heard "event focus 2 \"User's Manual\""
check_focus_ring manual
xdotool key Return
expect_launch manual ImageButton2Click 89 'D:\\\\USER MANUAL\\QRV512LD3T8.pdf' \
  'C:\qf\viewer.exe|D:\USER MANUAL\QRV512LD3T8.pdf'
stop_launcher
stop_listening

start_launcher reader
click reader
# Windows 10 reports 6.2 to a program whose manifest names no supported versions: the newer
# installer.
expect_launch reader ImageButton1Click 174 'D:\\ACROBAT READER\\Setup8.exe' 'D:\ACROBAT READER\Setup8.exe'
stop_launcher

start_launcher a11y
sleep 2.6  # the fade-in ends
check_accessible_listing
press_accessible "User's Manual"
expect_launch a11y ImageButton2Click 89 'D:\\\\USER MANUAL\\QRV512LD3T8.pdf' \
  'C:\qf\viewer.exe|D:\USER MANUAL\QRV512LD3T8.pdf'
stop_launcher

start_launcher exit
sleep 2.6  # the fade-in ends
press_accessible Exit
check_exit
check_endpoint_unmuted

# No audio driver at all: no mixer device, no endpoint; the exit is as quiet and as clean.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv=d" start_launcher no-audio
click exit
for _ in $(seq 1 100); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
code=0
wait "$launcher_pid" || code=$?
launcher_pid=""
[ "$code" = 0 ] || fail "without audio the exit code is $code, want 0"
echo "no audio: exit code 0"

# The reader's installer as Windows XP and Windows 2000 would have it chosen (the manifest
# declares no supported versions, so each reports its own).
for version in winxp:Setup8.exe win2k:SETUP.EXE; do
  wine winecfg -v "${version%%:*}" </dev/null >/dev/null 2>&1
  start_launcher "reader-${version%%:*}"
  click reader
  expect_launch "reader-${version%%:*}" ImageButton1Click 174 'D:\\ACROBAT READER\\'"${version#*:}" \
    'D:\ACROBAT READER\'"${version#*:}"
  stop_launcher
done
echo "ok: Quenfor.exe end to end"
