#!/usr/bin/env bash
# Draws the launcher's artwork with ImageMagick and the Liberation fonts (tools/setup.sh installs
# both) into resources/art/:
#   background.jpg         600 x 400 baseline JPEG, 3 components, exactly 49,754 bytes
#   hl_driver.bmp ...      the highlighted caption of each button, 24-bit, at the button's size
#   form_icon.ico          32 x 32, 16 colours (the window's icon)
#   program_icon.ico       32 x 32, 256 colours (the executable's icon)
#   background.png         the same background without compression, for viewing (with
#                          PREVIEW=folder, into that folder, with lit.png: every caption lit)
# The plain button pictures are cut from the decoded JPEG by qf_cut_button_pictures at the places
# Form_Main.form gives the buttons, so that they match the background behind them pixel for pixel.
# Run resources/regenerate.sh, not this.
set -euo pipefail
cd "$(dirname "$0")"
out=art
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fonts=/usr/share/fonts/truetype/liberation
bold=$fonts/LiberationSans-Bold.ttf
regular=$fonts/LiberationSans-Regular.ttf
narrow_bold=$fonts/LiberationSansNarrow-Bold.ttf

# The buttons: name and caption. Each caption is drawn where Form_Main.form places the button
# whose plain picture is art/plain_<name>.bmp, so that moving a button there moves its caption.
captions=(
  "driver Install Driver & Utility"
  "manual User's Manual"
  "reader Install PDF Reader"
  "exit Exit"
)
place_in_form() {
  awk -v picture="\"art/plain_$1.bmp\"" '
    / \{$/ { left = top = width = height = "" }
    $1 == "Left" { left = $3 }
    $1 == "Top" { top = $3 }
    $1 == "Width" { width = $3 }
    $1 == "Height" { height = $3 }
    $1 == "Bitmap.Data" && $4 == picture { found = 1 }
    found && /^ *}$/ { print left, top, width, height; exit }' Form_Main.form
}
# Each: name, left, top, width, height, caption.
buttons=()
for c in "${captions[@]}"; do
  place=$(place_in_form "${c%% *}")
  # shellcheck disable=SC2086
  [ "$(echo $place | wc -w)" -eq 4 ] || { echo "Form_Main.form does not place ${c%% *}" >&2; exit 1; }
  buttons+=("${c%% *} $place ${c#* }")
done

# ---- the backdrop: deep blue, a glow behind the adapter, radio waves -----------------------
backdrop() {
  convert -size 600x400 gradient:'#06152e'-'#0d3a63' \
    \( -size 600x400 radial-gradient:'#2a7bbf'-'#06152e' -crop 600x400+0+0 \) \
    -compose screen -composite \
    \( -size 600x400 xc:none -fill none -strokewidth 2 \
       -stroke 'rgba(120,210,255,0.60)' -draw "arc 222,188 302,268 232,308" \
       -stroke 'rgba(120,210,255,0.45)' -draw "arc 197,163 327,293 234,306" \
       -stroke 'rgba(120,210,255,0.30)' -draw "arc 172,138 352,318 236,304" \
       -stroke 'rgba(120,210,255,0.18)' -draw "arc 147,113 377,343 238,302" \) \
    -compose over -composite \
    \( -size 600x400 xc:none -fill 'rgba(255,255,255,0.05)' \
       -draw "polygon 0,400 600,230 600,400" \
       -fill 'rgba(255,255,255,0.04)' -draw "polygon 0,400 600,300 600,400" \) \
    -compose over -composite "$work/backdrop.png"
}

# ---- the adapter: a USB stick with its connector, a status light and a shadow ---------------
adapter() {
  convert -size 300x120 xc:none \
    -fill '#9aa7b4' -draw "roundrectangle 8,40 70,80 4,4" \
    -fill '#c9d3dc' -draw "rectangle 12,44 66,76" \
    -fill '#4a5561' -draw "rectangle 22,52 32,58" -draw "rectangle 44,52 54,58" \
    \( -size 190x64 gradient:'#ffffff'-'#b9c6d3' \
       \( -size 190x64 xc:black -fill white -draw "roundrectangle 0,0 189,63 18,18" \) \
       -alpha off -compose copy_opacity -composite \) \
    -geometry +66+28 -compose over -composite \
    -fill '#1b4f86' -draw "roundrectangle 110,40 226,80 8,8" \
    -fill '#67c8ff' -draw "circle 238,60 238,55" \
    -fill 'rgba(255,255,255,0.35)' -draw "roundrectangle 80,32 240,40 4,4" \
    -font "$bold" -pointsize 15 -fill '#e8f4ff' -annotate +124+66 'ORVANDEL' \
    "$work/adapter_flat.png"
  convert "$work/adapter_flat.png" -background none -rotate -18 \
    \( +clone -background '#000814' -shadow 70x7+8+10 \) +swap -background none -layers merge \
    +repage "$work/adapter.png"
}

# ---- words that belong to the background -----------------------------------------------------
titles() {
  convert "$work/backdrop.png" \
    "$work/adapter.png" -geometry +10+150 -compose over -composite \
    -font "$bold" -pointsize 22 -fill white -annotate +28+44 'TOLVANE' \
    -fill '#4fc3f7' -draw "rectangle 28,52 132,54" \
    -font "$regular" -pointsize 11 -fill '#9fc4e4' -annotate +28+68 'Wireless Networking' \
    -font "$bold" -pointsize 50 -fill '#0a1a30' -annotate +331+128 'Orvandel' \
    -fill white -annotate +328+125 'Orvandel' \
    -font "$regular" -pointsize 16 -fill '#bfe3ff' -annotate +331+152 'Wireless USB Adapter' \
    -font "$regular" -pointsize 12 -fill '#86b5dc' -annotate +331+172 '54 Mbps  |  802.11g  |  Model QRV512' \
    -fill 'rgba(120,200,255,0.45)' -draw "rectangle 380,240 578,240" \
    -font "$regular" -pointsize 11 -fill '#86b5dc' -annotate +388+232 'Installation CD  -  Version 1.0' \
    -font "$regular" -pointsize 10 -fill '#7b9cbb' \
    -annotate +200+393 'Copyright (C) Tolvane Corporation. All rights reserved.' \
    "$work/titled.png"
}

# A caption in its button's rectangle; $1 plain|lit, then the button's fields.
caption_layer() {
  local look=$1 name=$2 left=$3 top=$4 width=$5 height=$6; shift 6
  local text="$*"
  local fg='#d4e8fa' arrow='#4fc3f7' bar='none'
  if [ "$look" = lit ]; then fg='#ffffff'; arrow='#ffd54f'; bar='rgba(79,195,247,0.38)'; fi
  local cy=$((height / 2))
  if [ "$name" = exit ]; then
    # A power sign and the word.
    convert -size "${width}x${height}" xc:none \
      -fill "$bar" -stroke none -draw "roundrectangle 0,0 $((width - 1)),$((height - 1)) 8,8" \
      -fill none -stroke "$arrow" -strokewidth 2 -draw "arc 5,$((cy - 8)) 21,$((cy + 8)) 300,600" \
      -draw "line 13,$((cy - 10)) 13,$((cy - 1))" \
      -stroke none -fill "$fg" -font "$bold" -pointsize 15 -annotate "+26+$((cy + 5))" "$text" \
      "$work/cap_${look}_$name.png"
  else
    convert -size "${width}x${height}" xc:none \
      -fill "$bar" -draw "roundrectangle 0,0 $((width - 1)),$((height - 1)) 6,6" \
      -fill "$arrow" -draw "polygon 7,$((cy - 5)) 13,$cy 7,$((cy + 5))" \
      -fill "$fg" -font "$narrow_bold" -pointsize 15 -annotate "+20+$((cy + 5))" "$text" \
      "$work/cap_${look}_$name.png"
  fi
}

compose_captions() {
  local look=$1 target=$2
  cp "$work/titled.png" "$target"
  for b in "${buttons[@]}"; do
    # shellcheck disable=SC2086
    set -- $b
    caption_layer "$look" "$@"
    convert "$target" "$work/cap_${look}_$1.png" -geometry "+$2+$3" -compose over -composite "$target"
  done
}

# ---- the JPEG: baseline, no chroma subsampling for crisp captions, padded to its size ------
write_jpeg() {
  local png=$1 jpg=$2 size=49754 quality=95 base
  while :; do
    convert "$png" -strip -interlace none -sampling-factor 1x1 -quality "$quality" "$work/try.jpg"
    base=$(stat -c %s "$work/try.jpg")
    [ "$base" -le $((size - 64)) ] && break
    quality=$((quality - 1))
  done
  # A comment segment (marker, length, text) fills the rest.
  local pad=$((size - base - 4))
  local note="Orvandel installation disc artwork. Tolvane Corporation."
  while [ ${#note} -lt $pad ]; do note="$note "; done
  convert "$png" -strip -interlace none -sampling-factor 1x1 -quality "$quality" \
    -set comment "${note:0:$pad}" "$jpg"
  [ "$(stat -c %s "$jpg")" -eq $size ] || { echo "background.jpg is not $size bytes" >&2; exit 1; }
  echo "background.jpg: quality $quality"
}

# ---- icons: a blue tile with a white signal sign; the program's own is shaded -----------------
icon_art() {
  local tile=$1 target=$2
  convert -size 32x32 xc:none \
    \( -size 30x30 "$tile" \( -size 30x30 xc:black -fill white \
       -draw "roundrectangle 0,0 29,29 6,6" \) -alpha off -compose copy_opacity -composite \) \
    -geometry +1+1 -compose over -composite \
    -fill none -stroke '#4fc3f7' -strokewidth 2 \
    -draw "arc 6,10 26,30 215,325" -draw "arc 10,14 22,26 215,325" \
    -stroke none -fill white -draw "circle 16,22 16,19" \
    -fill '#ffd54f' -draw "rectangle 4,4 8,8" "$target"
}

# An icon file of one 32 x 32 image with `bits` bits per pixel and a transparency mask.
write_icon() {
  local png=$1 colours=$2 bits=$3 ico=$4
  convert "$png" -colors "$colours" "$ico"
  local got
  got=$(od -An -tu2 -j12 -N2 "$ico" | tr -d ' ')
  [ "$got" -eq "$bits" ] || { echo "$ico has $got bits per pixel, not $bits" >&2; exit 1; }
}

backdrop
adapter
titles
compose_captions plain "$work/plain.png"
compose_captions lit "$work/lit.png"
# Without PREVIEW the pictures already are where they would go: copying them onto themselves fails.
if [ -n "${PREVIEW:-}" ]; then
  cp "$work/plain.png" "$PREVIEW/background.png"
  cp "$work/lit.png" "$PREVIEW/lit.png"
fi
write_jpeg "$work/plain.png" "$out/background.jpg"
for b in "${buttons[@]}"; do
  # shellcheck disable=SC2086
  set -- $b
  convert "$work/lit.png" -crop "$4x$5+$2+$3" +repage -alpha off -type TrueColor \
    "BMP3:$out/hl_$1.bmp"
done
icon_art xc:'#0d3a63' "$work/icon16.png"
icon_art gradient:'#2a7bbf'-'#06152e' "$work/icon256.png"
write_icon "$work/icon16.png" 16 4 "$out/form_icon.ico"
write_icon "$work/icon256.png" 256 8 "$out/program_icon.ico"
echo "artwork written to resources/$out"
