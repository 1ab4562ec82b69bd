#!/usr/bin/env bash
# Redraws the pictures in this folder with ImageMagick 6 and the DejaVu fonts.
# The results are committed; the build only copies them. Run from anywhere:
#   bash data/Images/make-images.sh
set -euo pipefail
cd "$(dirname "$0")"

IM=${IM:-/usr/bin/convert}
FONTS=/usr/share/fonts/truetype/dejavu
BOLD=$FONTS/DejaVuSans-Bold.ttf
REGULAR=$FONTS/DejaVuSans.ttf
OBLIQUE=$FONTS/DejaVuSans-Oblique.ttf

# Writes through a temporary name so a failed run never leaves half a picture.
emit() {
    local target=$1; shift
    local tmp=".tmp-$$-$target"
    "$IM" "$@" "$tmp"
    mv -f "$tmp" "$target"
}

# The mark: a sun disc, a "V" made of two strokes and a small diamond, drawn at (x,y) with size s.
mark() {
    local x=$1 y=$2 s=$3
    local r=$((s * 45 / 100))
    echo "-stroke none -fill #f5a623 -draw circle_$((x + s / 2)),$((y + s / 2))_$((x + s / 2 + r)),$((y + s / 2))" \
         "-stroke #ffffff -strokewidth $((s / 10)) -fill none" \
         "-draw stroke-linejoin_round_stroke-linecap_round_polyline_$((x + s * 27 / 100)),$((y + s * 30 / 100))_$((x + s / 2)),$((y + s * 78 / 100))_$((x + s * 73 / 100)),$((y + s * 30 / 100))" \
         "-stroke none -fill #2bb3c0" \
         "-draw polygon_$((x + s / 2)),$((y + s * 5 / 100))_$((x + s * 62 / 100)),$((y + s / 5))_$((x + s / 2)),$((y + s * 35 / 100))_$((x + s * 38 / 100)),$((y + s / 5))"
}
# Turns the words from mark() into arguments (underscores stand for the spaces inside -draw).
mark_args() {
    local word
    for word in $(mark "$@"); do printf '%s\n' "${word//_/ }"; done
}

mapfile -t SPLASH_MARK < <(mark_args 30 80 140)
emit Splash.gif -size 480x300 gradient:'#16213e-#1f6f8b' \
    "${SPLASH_MARK[@]}" \
    -stroke none -fill '#ffffff' -font "$BOLD" -pointsize 34 -annotate +195+140 'Vantamorph' \
    -fill '#f5a623' -pointsize 28 -annotate +195+178 '7.0' \
    -fill '#d8e9f0' -font "$OBLIQUE" -pointsize 15 -annotate +195+212 'Logos made simple.' \
    -fill '#9fc3d1' -font "$REGULAR" -pointsize 11 -annotate +20+285 'Copyright (c) 2026 the Vantamorph developers' \
    -fill '#f5a623' -draw 'rectangle 0,292 480,300' \
    +dither -colors 64

mapfile -t ABOUT_MARK < <(mark_args 20 30 90)
emit ABOUT_LOGO.gif -size 360x150 gradient:'#16213e-#1f6f8b' \
    "${ABOUT_MARK[@]}" \
    -stroke none -fill '#ffffff' -font "$BOLD" -pointsize 30 -annotate +130+70 'Vantamorph' \
    -fill '#f5a623' -font "$REGULAR" -pointsize 16 -annotate +130+98 'Version 7.0' \
    -fill '#d8e9f0' -font "$OBLIQUE" -pointsize 12 -annotate +130+124 'Design a logo in minutes.' \
    +dither -colors 64

emit COPYRIGHT.gif -size 360x120 xc:'#f4f7f9' \
    -fill '#1f6f8b' -draw 'rectangle 0,0 360,6' \
    -fill '#16213e' -font "$BOLD" -pointsize 16 -annotate +18+40 'Vantamorph 7.0' \
    -font "$REGULAR" -pointsize 12 -annotate +18+68 'Copyright (c) 2026 the Vantamorph developers' \
    -fill '#4a5a66' -pointsize 11 -annotate +18+92 'All rights reserved.' \
    +dither -colors 32

# 16x16 menu icons, 24-bit BMP as the menus expect; magenta-free so no colour key is needed.
icon() {
    local target=$1; shift
    local tmp=".tmp-$$-$target"
    "$IM" -size 16x16 xc:'#f0f0f0' "$@" -type TrueColor "BMP3:$tmp"
    mv -f "$tmp" "$target"
}
# new: a page with a folded corner
icon new.bmp -fill white -stroke '#404040' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
    -fill '#d0d0d0' -draw 'polygon 10,1 10,4 13,4'
# open: a yellow folder
icon open.bmp -fill '#e8b93a' -stroke '#8a6510' -draw 'polygon 1,4 6,4 7,5 14,5 14,13 1,13' \
    -fill '#f7d56b' -draw 'polygon 3,8 15,8 13,13 1,13'
# save: a floppy disk
icon save.bmp -fill '#2f5d9b' -stroke '#1b365c' -draw 'rectangle 1,1 14,14' \
    -fill white -stroke none -draw 'rectangle 4,2 11,6' -fill '#c8c8c8' -draw 'rectangle 4,9 11,14' \
    -fill '#2f5d9b' -draw 'rectangle 9,3 10,5'
# cut: scissors
icon cut.bmp -stroke '#404040' -strokewidth 1 -draw 'line 5,1 10,10' -draw 'line 10,1 5,10' \
    -fill none -stroke '#c02020' -draw 'circle 4,12 4,14' -draw 'circle 11,12 11,14'
# copy: two pages
icon copy.bmp -fill white -stroke '#404040' -draw 'rectangle 1,1 9,11' -draw 'rectangle 6,4 14,14' \
    -stroke '#8090a0' -draw 'line 8,7 12,7' -draw 'line 8,9 12,9' -draw 'line 8,11 12,11'
# paste: a clipboard with a page
icon paste.bmp -fill '#b07a3a' -stroke '#6b4518' -draw 'rectangle 2,2 12,14' \
    -fill '#c0c0c0' -stroke '#606060' -draw 'rectangle 5,1 9,3' \
    -fill white -stroke '#404040' -draw 'rectangle 7,6 14,15'
# delete: a red cross
icon delete.bmp -stroke '#c62020' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12'
