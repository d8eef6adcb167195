#!/usr/bin/env bash
# The demo, from a fresh Debian 12 machine: installs what is missing, builds the demo disc's image
# (build/win32/disc/quenfor.iso), unpacks it to .cache/demo-disc and starts the launcher from it
# under Wine as AUTORUN.INF says, with the disc as the CD-ROM drive D:.
#   tools/run-demo.sh                 on your X display ($DISPLAY)
#   tools/run-demo.sh --screenshot F  on a private Xvfb: waits for the fade-in, hovers the
#                                     driver button, saves the screen's window area to F (PNG)
#                                     and leaves through the exit button
# Without $DISPLAY it runs as with --screenshot .cache/demo-screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
shot=""
case "${1:-}" in
  --screenshot) shot=$(realpath -m "$2") ;;
  "") ;;
  *) echo "run-demo.sh: unknown option $1" >&2; exit 2 ;;
esac
[ -z "${DISPLAY:-}" ] && [ -z "$shot" ] && shot="$root/.cache/demo-screenshot.png"

tools/setup.sh --win32
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target disc
disc="$root/.cache/demo-disc"

# shellcheck source=tools/xvfb.sh
source tools/xvfb.sh
export QF_WINE_DIR="$root/.cache/wine-demo"
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
# shellcheck source=tools/wine-disc.sh
source tools/wine-disc.sh
trap 'qf_wine_session_stop; qf_xvfb_stop' EXIT
[ -n "$shot" ] && qf_xvfb_start
qf_wine_prefix_ensure
# On a desktop, let its window manager manage the window, so that the taskbar brings it back
# after an action has minimised it; a bare Xvfb has no window manager.
managed=Y; [ -n "$shot" ] && managed=N
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f </dev/null >/dev/null 2>&1
qf_disc_extract build/win32/disc/quenfor.iso "$disc"
qf_disc_mount "$disc"
launcher=$(qf_disc_autorun "$disc")
cd "$disc"
if [ -z "$shot" ]; then
  echo "Quenfor runs from build/win32/disc/quenfor.iso as D:\\ ; the exit button ends it."
  exec wine "$launcher"
fi

wine "$launcher" &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Form_Main$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
sleep 3  # the fade-in
xdotool mousemove --sync $(( X + 481 )) $(( Y + 271 )) sleep 0.5
import -window root -crop "600x400+$X+$Y" +repage "$shot"
xdotool mousemove --sync $(( X + 55 )) $(( Y + 356 )) sleep 0.3 click 1
code=0
wait "$pid" || code=$?
echo "screenshot: $shot; Quenfor.exe ended with code $code"
