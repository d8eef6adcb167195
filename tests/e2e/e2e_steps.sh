# shellcheck shell=bash
# The steps of quenfor_e2e.sh and copied_disc_e2e.sh. They share: $work (the disc and the
# record), $art, $launcher (the command that starts it, a path on D:), $launcher_pid,
# $listener_pid, and, per run, $wid, $X, $Y (the window's client origin on screen) and $trace.

declare -A rect=([driver]="389 258 185 27" [manual]="388 303 184 25" [reader]="387 351 184 23"
                 [exit]="25 340 60 33")
# Button centres in client coordinates.
declare -A centre=([driver]="481 271" [manual]="480 315" [reader]="479 362" [exit]="55 356")
declare -A picture=([driver]=hl_driver [manual]=hl_manual [reader]=hl_reader [exit]=hl_exit)
# What a screen reader says of each: the caption the artwork shows.
declare -A spoken=([driver]="Install Driver & Utility" [manual]="User's Manual"
                   [reader]="Install PDF Reader" [exit]="Exit")

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${trace:-}" ] && [ -f "$trace" ]; then grep -a ':debugstr:' "$trace" | sed 's/^/  trace: /' >&2; fi
  exit 1
}

# ---- the executable -------------------------------------------------------------------

check_executable() {
  local dlls rc want
  # KnownDLLs only: winmm and oleacc are loaded at run time from the system folder.
  want="GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL "
  dlls=$(i686-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
  [ "$dlls" = "$want" ] ||
    fail "imports: $dlls"
  rc=$(i686-w64-mingw32-windres -i "$1" -O rc 2>/dev/null)
  grep -q '^1 24 ' <<<"$rc" || fail "the executable carries no manifest"
  grep -q 'VALUE "FileDescription", "Installation Application"' <<<"$rc" || fail "no file description"
  grep -q 'FILEVERSION 1, 0, 0, 0' <<<"$rc" || fail "file version is not 1.0.0.0"
  grep -q '"FORM_MAIN" RCDATA' <<<"$rc" || fail "no form description resource"
}

# ---- the drive -----------------------------------------------------------------------

# What GetDriveType answers for D: (Win32_LogicalDisk's DriveType 5 is DRIVE_CDROM). Wine's wmic
# writes UTF-16 and knows no where clause.
check_cdrom() {
  local type
  type=$(wine wmic logicaldisk get DeviceID,DriveType </dev/null 2>/dev/null | iconv -f UTF-16 -t UTF-8 |
         tr -d '\r' | awk '$1 == "D:" { print $2 }') || true
  [ "$type" = 5 ] || fail "D: has drive type '$type', want 5 (CD-ROM)"
  echo "D: is a CD-ROM drive"
}

# ---- one run of the launcher ----------------------------------------------------------

# start_launcher RUN: from the disc's folder, or $launch_dir; Wine traces the debugger channel,
# the mixer, the endpoint and what $trace_more adds.
start_launcher() {
  trace="$work/trace.$1"
  xdotool mousemove --sync 0 0
  pushd "${launch_dir:-$work/disc}" >/dev/null
  WINEDEBUG=-all,warn+debugstr,trace+winmm,trace+mmdevapi${trace_more:+,$trace_more} \
    wine "$launcher" 2>"$trace" &
  launcher_pid=$!
  popd >/dev/null
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Form_Main$' | head -n1) ||
    fail "no window named Form_Main"
  local WINDOW SCREEN WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}

# After an action the launcher stays minimised until someone restores it: end it.
stop_launcher() {
  sleep 1.5  # the pause of the launch sequence
  kill "$launcher_pid" 2>/dev/null || true
  wait "$launcher_pid" 2>/dev/null || true
  launcher_pid=""
}

click() {
  local cx cy
  read -r cx cy <<<"${centre[$1]}"
  xdotool mousemove --sync $(( X + cx )) $(( Y + cy )) sleep 0.3 click 1
}

# ---- the window -----------------------------------------------------------------------

check_window() {
  local WINDOW SCREEN WIDTH HEIGHT sw sh
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  read -r sw sh < <(xdotool getdisplaygeometry)
  [ "$WIDTH" = 600 ] && [ "$HEIGHT" = 400 ] || fail "window ${WIDTH}x${HEIGHT}, want 600x400 without a frame"
  [ "$X" = $(( (sw - 600) / 2 )) ] && [ "$Y" = $(( (sh - 400) / 2 )) ] || fail "window at $X,$Y, not centred on ${sw}x${sh}"
}

opacity() { xprop -id "$wid" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p'; }

# Each step sets alpha x 0x01010101; full opacity removes the property.
check_fade_in() {
  local seen="" value last=0
  for _ in $(seq 1 300); do
    value=$(opacity)
    if [ -z "$value" ]; then
      [ -n "$seen" ] && break
    elif [ "$value" != "$last" ]; then
      [ $(( value % 0x01010101 )) = 0 ] || fail "opacity $value is not alpha x 0x01010101"
      [ "$value" -gt "$last" ] || fail "opacity went down from $last to $value"
      seen="$seen $(( value / 0x01010101 ))"
      last=$value
    fi
    sleep 0.01
  done
  [ "$(echo $seen | wc -w)" -ge 10 ] || fail "opacity steps seen: $seen"
  [ -z "$(opacity)" ] || fail "the window did not reach full opacity"
  sleep 0.5
  [ -z "$(opacity)" ] || fail "the opacity changed after the fade-in"
  echo "fade-in steps seen:$seen, then 255"
}

# The window's pixels now.
shot() {
  import -window root "$work/root.png"
  convert "$work/root.png" -crop "600x400+$X+$Y" +repage "$1"
}

# Exact comparison; a mismatch keeps both pictures.
same_pixels() {
  local diff
  diff=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  if [ "$diff" != 0 ]; then
    local out="${QF_TEST_OUTPUT:-$PWD}"
    cp "$1" "$out/e2e_expected_$3.png"; cp "$2" "$out/e2e_actual_$3.png"
    fail "$3: $diff pixels differ (pictures in $out)"
  fi
}

check_pixels() {
  convert "$art/background.jpg" "$work/background.png"
  shot "$work/window.png"
  same_pixels "$work/background.png" "$work/window.png" window
}

# The pointer onto the button's centre: its highlight shows, exactly.
check_lit() {
  local left top width height cx cy
  read -r left top width height <<<"${rect[$1]}"
  read -r cx cy <<<"${centre[$1]}"
  # Straight to the spot: after a restore that may be where Wine last saw the pointer on the
  # window, and Wine sends no move there; the launcher looks where the pointer is all the same.
  xdotool mousemove --sync $(( X + cx )) $(( Y + cy ))
  sleep 0.4
  convert "$work/background.png" "$art/${picture[$1]}.bmp" -geometry "+$left+$top" -composite \
    "$work/hover_expected.png"
  shot "$work/hover.png"
  same_pixels "$work/hover_expected.png" "$work/hover.png" "hover_$1"
}

check_hover() {
  check_lit "$1"
  xdotool mousemove --sync $(( X + 300 )) $(( Y + 40 ))
  sleep 0.4
  shot "$work/left.png"
  same_pixels "$work/background.png" "$work/left.png" "left_$1"
}

check_second_copy() {
  local code=0 windows
  pushd "$work/disc" >/dev/null
  timeout 20 wine "$launcher" </dev/null >/dev/null 2>&1 || code=$?
  popd >/dev/null
  [ "$code" = 0 ] || fail "the second copy ended with $code"
  windows=$(xdotool search --onlyvisible --name '^Form_Main$' | wc -l)
  [ "$windows" = 1 ] || fail "$windows windows named Form_Main"
}

# ---- the keyboard ---------------------------------------------------------------------

# The focus rectangle one pixel round a button, as the raster device draws it: walking from the
# top right corner leftwards, down the left edge, rightwards along the bottom, up the right edge,
# each edge short of the next corner, every second pixel inverted, the first included. As
# ImageMagick points.
ring_points() {
  local l t w h left top last_x last_y x y step=0 points=""
  read -r l t w h <<<"${rect[$1]}"
  left=$(( l - 1 )) top=$(( t - 1 )) last_x=$(( l + w )) last_y=$(( t + h ))
  walk() { if (( step++ % 2 == 0 )); then points+="point $1,$2 "; fi; }
  for (( x = last_x; x > left; x-- )); do walk "$x" "$top"; done
  for (( y = top; y < last_y; y++ )); do walk "$left" "$y"; done
  for (( x = left; x < last_x; x++ )); do walk "$x" "$last_y"; done
  for (( y = last_y; y > top; y-- )); do walk "$last_x" "$y"; done
  echo "$points"
}

# The artwork with the ring's pixels inverted round the button, and nothing else changed.
check_focus_ring() {
  convert "$work/background.png" -negate "$work/negated.png"
  convert -size 600x400 xc:black -fill white -draw "$(ring_points "$1")" "$work/ring.png"
  convert "$work/background.png" "$work/negated.png" "$work/ring.png" -composite \
    "$work/ring_expected.png"
  shot "$work/ring_actual.png"
  same_pixels "$work/ring_expected.png" "$work/ring_actual.png" "focus_ring_$1"
  echo "focus rectangle round $1, exactly"
}

# ---- what an action did ---------------------------------------------------------------

# The debugger lines of this run, as Wine's trace shows them (C-escaped).
debug_lines() { sed -n 's/^[0-9a-f]*:warn:debugstr:OutputDebugStringA "\(.*\)"$/\1/p' "$trace"; }

banner() {
  local messages=("Orvandel - This is a program for the modem driver install"
                  "Copyright (C) Tolvane Corporation. All rights reserved."
                  "Program name        : Orvandel.exe"
                  "Version             : V1.0")
  local i
  for i in 0 1 2 3; do printf 'TForm_Main::%s(%4d) : %s\\n\n' "$1" $(( $2 + i )) "${messages[$i]}"; done
}

# expect_launch RUN HANDLER FIRST_NUMBER TARGET_AS_TRACED RECORDED_LINE
expect_launch() {
  local before=0 line
  before=$(grep -c . "$work/record.txt" 2>/dev/null || true)
  for _ in $(seq 1 150); do
    [ "$(grep -c . "$work/record.txt" 2>/dev/null || echo 0)" -gt "${before:-0}" ] && break
    sleep 0.1
  done
  line=$(tail -n1 "$work/record.txt" 2>/dev/null | tr -d '\r')
  [ "$line" = "$5" ] || fail "$1: started '$line', want '$5'"
  [ "$(debug_lines)" = "$(banner "$2" "$3")"$'\n'"$4" ] || fail "$1: debugger output differs"
  echo "$1: banner, target $4, started $5"
}

check_exit() {
  local code=0 calls
  for _ in $(seq 1 100); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$launcher_pid" || code=$?
  launcher_pid=""
  [ "$code" = 0 ] || fail "exit code $code, want 0"
  # The calls the program makes; the W functions are Wine's own forwarding.
  calls=$(sed -n 's/^[0-9a-f]*:trace:winmm:\(mixer[A-Za-z]*\) .*/\1/p' "$trace" | grep -v 'W$' | uniq | tr '\n' ' ')
  [ "$calls" = "mixerGetNumDevs mixerOpen mixerGetLineInfoA mixerGetLineControlsA mixerGetControlDetailsA mixerSetControlDetails mixerClose " ] ||
    fail "mixer calls: $calls"
  echo "exit: code 0, mixer: $calls"
}

# After the mixer, the default output's own mute is cleared (Vista and later: Wine reports 10).
check_endpoint_unmuted() {
  local closed unmuted
  closed=$(grep -an ':trace:winmm:mixerClose ' "$trace" | tail -n1 | cut -d: -f1)
  unmuted=$(grep -an ':trace:mmdevapi:AEV_SetMute (.*)->(0,(null))' "$trace" | tail -n1 | cut -d: -f1)
  [ -n "$unmuted" ] || fail "the endpoint's mute was not cleared"
  [ "${closed:-0}" -lt "$unmuted" ] || fail "the endpoint was unmuted before the mixer was closed"
  echo "exit: the endpoint's mute cleared with FALSE after the mixer"
}

# ---- a screen reader ------------------------------------------------------------------

# What an MSAA client in another process reads: the window, named by the program's title, and
# the four choices as push buttons where their pixels are, in the keyboard's order, the first the
# focus.
check_accessible_listing() {
  local out expected b left top width height states="focused,focusable"
  out=$(wine "$a11y_client" --title Form_Main --class QuenforForm --wait 15000 2>&1 | tr -d '\r') ||
    fail "the screen reader's client could not read the window"
  expected="0 client \"Quenfor\" at $X,$Y size 600x400 states=focused,focusable action=none"
  local i=1
  for b in driver manual reader exit; do
    read -r left top width height <<<"${rect[$b]}"
    expected+=$'\n'"$i push button \"${spoken[$b]}\" at $(( X + left )),$(( Y + top )) size ${width}x${height} states=$states action=\"press\""
    states=focusable
    i=$(( i + 1 ))
  done
  [ "$out" = "$expected" ] || { echo "$out" | sed 's/^/  read: /' >&2; fail "the screen reader's listing differs"; }
  echo "screen reader: the window and its four choices, named and placed"
}

# A screen reader following the focus: the client, in the background, says what get_accFocus
# names, then each focus event, into $work/heard.
start_listening() {
  : >"$work/heard"
  wine "$a11y_client" --title Form_Main --class QuenforForm --wait 15000 --listen 30000 \
    >"$work/heard" 2>&1 &
  listener_pid=$!
}

stop_listening() {
  kill "$listener_pid" 2>/dev/null || true
  wait "$listener_pid" 2>/dev/null || true
  listener_pid=""
}

# Waits up to 5 s for the line among what the client heard.
expect_heard() {
  for _ in $(seq 1 50); do
    tr -d '\r' <"$work/heard" | grep -qxF "$1" && { echo "screen reader: $1"; return 0; }
    sleep 0.1
  done
  sed 's/^/  heard: /' "$work/heard" >&2
  fail "the screen reader did not hear: $1"
}

# The client's "press" on a choice: accepted at once; the launcher runs it from its loop.
press_accessible() {
  local out
  out=$(wine "$a11y_client" --title Form_Main --class QuenforForm --wait 15000 --press "$1" 2>&1 |
        tr -d '\r') || fail "press \"$1\": $out"
  grep -q "^press \"$1\": 0x00000000 " <<<"$out" || fail "press \"$1\": $out"
  echo "screen reader: pressed \"$1\""
}