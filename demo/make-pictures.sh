#!/usr/bin/env bash
# Draws the demo menu's pictures with ImageMagick and writes them as PNG files
# into demo/menu/. The results are committed; run this again only after
# changing the look. The buttons and the check box carry an alpha channel:
# ctrpack cuts away every pixel that is less than half opaque, so their shape
# is drawn as transparency, as any drawing program would.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/menu}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Stripped of time stamps and other chunks, so a run gives the same bytes again.
save() { convert "$1" -strip -define png:exclude-chunks=date,time "PNG32:$out/$2"; }
save_opaque() { convert "$1" -strip -alpha off -define png:exclude-chunks=date,time "PNG24:$out/$2"; }

font=DejaVu-Sans
bold=DejaVu-Sans-Bold

# Background: 640 x 480, night-blue gradient with a soft glow behind the title,
# a thin double frame and the title lettering.
convert -size 640x480 gradient:'#0a1430'-'#1f4274' "$tmp/bg0.png"
# The glow is cut from a larger radial gradient, centred behind the title.
convert -size 1000x700 radial-gradient:'#3b6fb0'-'#000000' \
  -crop 640x480+180+180 +repage -evaluate multiply 0.6 "$tmp/glow.png"
convert "$tmp/bg0.png" "$tmp/glow.png" -compose screen -composite "$tmp/bg1.png"
convert "$tmp/bg1.png" \
  -fill none -stroke '#6d9ad8' -strokewidth 2 -draw 'roundrectangle 10,10 629,469 18,18' \
  -stroke '#2c4f85' -strokewidth 1 -draw 'roundrectangle 16,16 623,463 14,14' \
  -stroke '#6d9ad8' -strokewidth 1 -draw 'line 170,122 470,122' \
  -stroke none \
  -font "$bold" -pointsize 54 -gravity north \
  -fill '#04080f' -annotate +3+37 'OVALYN' \
  -fill '#e8f1ff' -annotate +0+34 'OVALYN' \
  -font "$font" -pointsize 16 -fill '#a9c4ec' -annotate +0+96 'D E M O   A D V E N T U R E' \
  -font "$font" -pointsize 11 -gravity south -fill '#6f8db8' \
  -annotate +0+26 'Version 1.0  -  built with the Ovalyn skin library' \
  "$tmp/bg.png"
save_opaque "$tmp/bg.png" background.png

# Buttons: 160 x 36 rounded pills; the outline is the alpha channel.
w=160 h=36
convert -size ${w}x${h} xc:black -fill white \
  -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 17,17" "$tmp/pill.png"
convert -size ${w}x${h} xc:black -fill white \
  -draw "roundrectangle 2,2 $((w - 3)),$((h - 3)) 15,15" "$tmp/inner.png"

# pill TOP BOTTOM RIM GLOSS_OPACITY OUT
pill() {
  convert -size ${w}x${h} gradient:"$1"-"$2" "$tmp/face.png"
  # Gloss: a lighter upper half, faded towards the middle.
  convert -size ${w}x$((h / 2)) gradient:white-black -evaluate multiply "$4" \
    -background black -extent ${w}x${h} "$tmp/gloss.png"
  convert "$tmp/face.png" "$tmp/gloss.png" -compose screen -composite "$tmp/lit.png"
  convert -size ${w}x${h} xc:"$3" "$tmp/lit.png" "$tmp/inner.png" -composite "$tmp/rim.png"
  convert "$tmp/rim.png" "$tmp/pill.png" -alpha off -compose copy-opacity -composite "$5"
}
pill '#4a82e6' '#1a3c8c' '#0c1c44' 0.45 "$tmp/normal.png"
pill '#6ea4ff' '#2b5cc4' '#bfe0ff' 0.60 "$tmp/over.png"
pill '#173474' '#3566c8' '#08122c' 0.15 "$tmp/pressed.png"
save "$tmp/normal.png" button.png
save "$tmp/pressed.png" button-pressed.png
save "$tmp/over.png" button-over.png

# Check box: a 230 x 24 plate; the caption is drawn from its left edge, the box
# sits at the right end.
cw=230 ch=24
convert -size ${cw}x${ch} xc:black -fill white \
  -draw "roundrectangle 0,0 $((cw - 1)),$((ch - 1)) 5,5" "$tmp/plate.png"
convert -size ${cw}x${ch} gradient:'#24406e'-'#152a4c' \
  -fill none -stroke '#5d86c4' -draw "roundrectangle 0,0 $((cw - 1)),$((ch - 1)) 5,5" \
  -stroke '#9fc0ee' -fill '#0b1730' -draw "rectangle $((cw - 21)),4 $((cw - 6)),19" \
  "$tmp/plate-face.png"
convert "$tmp/plate-face.png" "$tmp/plate.png" -alpha off -compose copy-opacity -composite \
  "$tmp/box.png"
convert "$tmp/box.png" -fill none -stroke '#7cf29a' -strokewidth 3 \
  -draw "polyline $((cw - 18)),11 $((cw - 14)),16 $((cw - 8)),6" "$tmp/box-checked.png"
save "$tmp/box.png" checkbox.png
save "$tmp/box-checked.png" checkbox-ticked.png
echo "pictures written to $out"
