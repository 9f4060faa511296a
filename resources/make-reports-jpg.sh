#!/usr/bin/env bash
# Draws the menu's background picture, resources/Reports.Jpg, with
# ImageMagick.  Run it again after changing the look; the picture is kept in
# the repository so the build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
SANS=/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
SANS_REGULAR=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
W=1600 H=1120

convert -size ${W}x${H} gradient:'#e8f4f9-#8cc9e0' \
    \( -size ${W}x${H} xc:none -fill 'rgba(255,255,255,0.35)' \
       -draw "circle 1240,300 1240,40" -draw "circle 260,980 260,820" \) -composite \
    \( -size ${W}x${H} xc:none -fill 'rgba(4,134,183,0.16)' \
       -draw "roundrectangle 1130,190 1350,410 18,18" \
       -fill 'rgba(255,255,255,0.9)' \
       -draw "rectangle 1215,215 1265,385" -draw "rectangle 1155,275 1325,325" \) -composite \
    -fill '#04587a' -font "$SANS" -pointsize 96 -gravity west -annotate +120-60 'Pelmar Reports' \
    -fill '#0486b7' -font "$SANS_REGULAR" -pointsize 40 -annotate +126+40 'Hospital Information System' \
    -stroke '#0486b7' -strokewidth 4 -draw "line 126,655 900,655" -stroke none \
    -fill '#2f6f88' -pointsize 30 -annotate +126+220 'Choose a category on the left, then a report.' \
    -quality 90 Reports.Jpg
echo "wrote $(pwd)/Reports.Jpg"
