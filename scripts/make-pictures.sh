#!/usr/bin/env bash
# Regenerates the program's pictures and icons in resources/ from the Tango
# icon theme (public domain; Debian package tango-icon-theme) plus a few
# shapes drawn here (battery levels, tick, cross, star, shield).
#
#   scripts/make-pictures.sh            writes resources/pictures/*.bmp and
#                                       resources/kdw3.ico, resources/kdwsetup.ico
#
# Needs: tango-icon-theme, imagemagick (convert), librsvg2-bin (rsvg-convert).
# The outputs are kept in the repository, so the build never runs this.
# Every bitmap is a 24-bit BMP (BITMAPINFOHEADER, uncompressed), which both
# windres and LoadImage take as it is; where a picture would need a
# transparent colour it stands on the button face grey instead.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
tango="${TANGO_DIR:-/usr/share/icons/Tango}"
out="$root/resources/pictures"
icons="$root/resources"

face='rgb(212,208,200)'   # COLOR_BTNFACE of the classic scheme

for tool in convert rsvg-convert; do
  command -v "$tool" >/dev/null || {
    echo "make-pictures: $tool is missing (apt-get install imagemagick librsvg2-bin)" >&2
    exit 1
  }
done
[ -d "$tango/32x32" ] || {
  echo "make-pictures: no Tango theme in $tango (apt-get install tango-icon-theme)" >&2
  exit 1
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# tango NAME SIZE -> path of a PNG with alpha. The theme's hand-drawn bitmaps
# are used where that size exists; other sizes are rendered from the SVG.
tango() {
  local name="$1" size="$2" png="$work/t-${1//\//_}-$2.png"
  if [ -f "$tango/${size}x${size}/$name.png" ]; then
    cp "$tango/${size}x${size}/$name.png" "$png"
  else
    rsvg-convert -w "$size" -h "$size" "$tango/scalable/$name.svg" -o "$png"
  fi
  echo "$png"
}

# svg NAME SIZE (SVG text on stdin) -> path of the rendered PNG.
svg() {
  local src="$work/$1.svg" png="$work/$1-$2.png"
  cat >"$src"
  rsvg-convert -w "$2" -h "$2" "$src" -o "$png"
  echo "$png"
}

# badge BASE BADGE SIZE -> BASE with BADGE (SIZE pixels) at its lower right.
badge() {
  local png
  png="$work/b-$(basename "$1" .png)-$(basename "$2" .png).png"
  convert "$1" \( "$2" -resize "$3x$3" \) -gravity southeast -composite "$png"
  echo "$png"
}

# bmp PNG OUT.bmp [BACKGROUND] -> 24-bit BMP with the PNG flattened on BACKGROUND.
bmp() {
  convert "$1" -background "${3:-$face}" -flatten -alpha off \
    -type TrueColor -compress none "BMP3:$2"
}

# --- Shapes drawn here --------------------------------------------------------

shield_svg() {
  cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
    <linearGradient id="g" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#729fcf"/><stop offset="1" stop-color="#204a87"/>
    </linearGradient>
  </defs>
  <path d="M24,2.5 L42.5,8.5 C42.5,26 36,38.5 24,45.5 C12,38.5 5.5,26 5.5,8.5 Z"
        fill="url(#g)" stroke="#1c3a6b" stroke-width="2" stroke-linejoin="round"/>
  <path d="M24,5.5 L39.5,10.6 C39.3,25 34,35.5 24,42" fill="none"
        stroke="#ffffff" stroke-opacity="0.35" stroke-width="1.5"/>
</svg>
EOF
}

# shield_gear SIZE -> the program's own mark: a blue shield carrying a gear.
shield_gear() {
  local size="$1" gear=$(( $1 * 9 / 16 )) shield gearpng png="$work/mark-$1.png"
  shield="$(shield_svg | svg shield "$size")"
  gearpng="$work/gear-$gear.png"
  rsvg-convert -w "$gear" -h "$gear" "$tango/scalable/emblems/emblem-system.svg" -o "$gearpng"
  convert "$shield" "$gearpng" -gravity center -geometry +0-$(( size / 24 )) -composite "$png"
  echo "$png"
}

star_svg() {
  cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#fce94f"/><stop offset="1" stop-color="#edd400"/>
    </linearGradient>
  </defs>
  <polygon points="16,2 19.53,11.65 29.79,12.02 21.71,18.35 24.52,28.23 16,22.5
                   7.48,28.23 10.29,18.35 2.21,12.02 12.47,11.65"
           fill="url(#g)" stroke="#c4a000" stroke-width="1.2" stroke-linejoin="round"/>
</svg>
EOF
}

tick_svg() {
  cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <path d="M6,17 L13,24 L26,8" fill="none" stroke="#4e9a06" stroke-width="7"
        stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M6,17 L13,24 L26,8" fill="none" stroke="#8ae234" stroke-width="4"
        stroke-linecap="round" stroke-linejoin="round"/>
</svg>
EOF
}

cross_svg() {
  cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <path d="M8,8 L24,24 M24,8 L8,24" fill="none" stroke="#a40000" stroke-width="7"
        stroke-linecap="round"/>
  <path d="M8,8 L24,24 M24,8 L8,24" fill="none" stroke="#ef2929" stroke-width="4"
        stroke-linecap="round"/>
</svg>
EOF
}

# play_badge / stop_badge: the small marks on the DVD pictures.
play_badge_svg() {
  cat <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <circle cx="8" cy="8" r="7" fill="#73d216" stroke="#4e9a06"/>
  <polygon points="6,4.5 12,8 6,11.5" fill="#ffffff"/>
</svg>
EOF
}

# battery BARS -> a 32x16 battery, BARS of five cells filled (0: no battery).
battery() {
  local bars="$1" colour body='#2e3436' cells="" i
  case "$bars" in
    1) colour='#ef2929' ;;
    2) colour='#f57900' ;;
    3) colour='#edd400' ;;
    *) colour='#73d216' ;;
  esac
  for (( i = 0; i < bars; i++ )); do
    cells+="<rect x=\"$(( 2 + i * 5 ))\" y=\"4\" width=\"4\" height=\"8\" fill=\"$colour\"/>"
    cells+="<rect x=\"$(( 2 + i * 5 ))\" y=\"4\" width=\"4\" height=\"3\" fill=\"#ffffff\" fill-opacity=\"0.35\"/>"
  done
  if [ "$bars" = 0 ]; then
    body='#888a85'
    cells='<path d="M9,3.5 L19,12.5 M19,3.5 L9,12.5" stroke="#cc0000" stroke-width="2.5" stroke-linecap="round"/>'
  fi
  cat >"$work/battery$bars.svg" <<EOF
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="16" viewBox="0 0 32 16">
  <defs>
    <linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#babdb6"/>
    </linearGradient>
  </defs>
  <rect x="0.5" y="2.5" width="27" height="11" rx="2" fill="url(#g)" stroke="$body"/>
  <rect x="28" y="5" width="3" height="6" fill="$body"/>
  $cells
</svg>
EOF
  rsvg-convert -w 32 -h 16 "$work/battery$bars.svg" -o "$work/battery$bars.png"
  echo "$work/battery$bars.png"
}

# --- frmAdd: Image1 .. Image20 -------------------------------------------------

stop16="$(tango actions/process-stop 16)"
play16="$(play_badge_svg | svg play 16)"
disc="$(tango devices/media-optical 32)"

bmp "$(badge "$disc" "$stop16" 16)"                   "$out/add01.bmp"  # DVD play: disable
bmp "$(badge "$disc" "$play16" 16)"                   "$out/add02.bmp"  # DVD play: enable
bmp "$(tango emblems/emblem-system 32)"               "$out/add03.bmp" white  # window shape
bmp "$(tango categories/preferences-system 32)"       "$out/add04.bmp"  # Control Panel
bmp "$(tango devices/drive-harddisk 32)"              "$out/add05.bmp"  # Drives
bmp "$(tango apps/internet-web-browser 32)"           "$out/add06.bmp"  # Internet Explorer
bmp "$(tango apps/system-users 32)"                   "$out/add07.bmp"  # Logon
bmp "$(tango devices/computer 32)"                    "$out/add08.bmp"  # Computer Info
bmp "$(badge "$(tango mimetypes/application-x-executable 32)" "$stop16" 16)" \
                                                      "$out/add09.bmp"  # Programs Rest.
bmp "$(tango apps/preferences-system-windows 32)"     "$out/add10.bmp"  # Start Menu
bmp "$(tango actions/go-home 32)"                     "$out/add11.bmp"  # Welcome
bmp "$(tango categories/applications-multimedia 32)"  "$out/add12.bmp"  # Media Player
bmp "$(tango mimetypes/x-office-document 32)"         "$out/add13.bmp"  # Office
bmp "$(tango categories/applications-system 32)"      "$out/add14.bmp"  # Other Functions
bmp "$(battery 4)"                                    "$out/add15.bmp"  # charge 61..80 %
bmp "$(battery 0)"                                    "$out/add16.bmp"  # no battery
bmp "$(battery 5)"                                    "$out/add17.bmp"  # charge 81..100 %
bmp "$(battery 3)"                                    "$out/add18.bmp"  # charge 41..60 %
bmp "$(battery 2)"                                    "$out/add19.bmp"  # charge 21..40 %
bmp "$(battery 1)"                                    "$out/add20.bmp"  # charge 0..20 %

# --- Buttons and form pictures -------------------------------------------------

bmp "$(tango apps/help-browser 32)"                   "$out/btn_help.bmp"
bmp "$(tango actions/system-shutdown 32)"             "$out/btn_power.bmp"
bmp "$(star_svg | svg star 32)"                       "$out/btn_recommended.bmp"
bmp "$(tick_svg | svg tick 32)"                       "$out/btn_ok.bmp"
bmp "$(cross_svg | svg cross 32)"                     "$out/btn_cancel.bmp"
bmp "$(tango actions/system-lock-screen 32)"          "$out/pic_lock.bmp"
bmp "$(shield_gear 32)"                               "$out/pic_welcome1.bmp"
bmp "$(tango devices/computer 32)"                    "$out/pic_welcome2.bmp"

# --- Drive kinds: ImageCombo1's image list on frmDrives, 16 x 16 ----------------
# Drawn here with ImageMagick alone, on the button face grey the list masks.

# drive_kind OUT.bmp DRAW... -> a 16 x 16 picture of the drawing primitives.
drive_kind() {
  local file="$1"
  shift
  convert -size 16x16 "xc:$face" -strokewidth 1 "$@" -alpha off \
    -type TrueColor -compress none "BMP3:$file"
}

drive_kind "$out/drv_fixed.bmp" -fill '#babdb6' -stroke '#555753' -draw 'rectangle 1,5 14,11' \
  -stroke none -fill '#eeeeec' -draw 'rectangle 2,6 13,7' -fill '#73d216' -draw 'rectangle 11,9 12,10'
drive_kind "$out/drv_cd.bmp" -fill '#d3d7cf' -stroke '#555753' -draw 'circle 7.5,7.5 7.5,1' \
  -fill '#729fcf' -stroke none -draw 'circle 7.5,7.5 7.5,4.5' -fill "$face" -draw 'circle 7.5,7.5 7.5,6.5'
drive_kind "$out/drv_net.bmp" -fill '#babdb6' -stroke '#555753' -draw 'rectangle 1,1 14,7' \
  -stroke none -fill '#73d216' -draw 'rectangle 11,4 12,5' -fill '#2e3436' \
  -draw 'rectangle 7,8 8,11' -draw 'rectangle 1,12 14,13' -fill '#3465a4' -draw 'rectangle 6,11 9,14'
drive_kind "$out/drv_floppy.bmp" -fill '#3465a4' -stroke '#204a87' -draw 'rectangle 1,1 14,14' \
  -stroke none -fill '#eeeeec' -draw 'rectangle 3,8 12,14' -fill '#babdb6' -draw 'rectangle 4,1 11,5' \
  -fill '#3465a4' -draw 'rectangle 9,2 10,4'
drive_kind "$out/drv_none.bmp" -fill none -stroke '#888a85' -draw 'rectangle 1,5 14,11' \
  -stroke '#cc0000' -strokewidth 2 -draw 'line 4,3 11,13' -draw 'line 11,3 4,13'

# --- Icons ---------------------------------------------------------------------
# 32-bit entries with alpha; Windows XP draws them as they are.

convert "$(shield_gear 16)" "$(shield_gear 32)" "$(shield_gear 48)" \
  "ICO:$icons/kdw3.ico"

box16="$(tango mimetypes/package-x-generic 16)"
box32="$(badge "$(tango mimetypes/package-x-generic 32)" "$(shield_svg | svg shield 14)" 14)"
box48="$(badge "$(tango mimetypes/package-x-generic 48)" "$(shield_svg | svg shield 20)" 20)"
convert "$box16" "$box32" "$box48" "ICO:$icons/kdwsetup.ico"

count=$(find "$out" -name '*.bmp' | wc -l)
echo "make-pictures: wrote $count pictures to $out and two icons to $icons"
