#!/usr/bin/env bash
# Draws the program's icon, a white T on a blue rounded square, at each size Windows
# asks for (16 and 20 px for the tray at 100 and 125 %, 24 at 150 %, 32 and 48 for the
# title bar and Explorer), each drawn at its own size rather than scaled from
# another, so that no size is blurred. Writes res/Tarnwick.ico; the result is committed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
blue='#1F5FA8'
images=()
for size in 16 20 24 32 48; do
    # The square fills the icon less one pixel on each side (two from 32 px); the T's
    # bar and stem are whole pixels.
    margin=$(( size >= 32 ? 2 : 1 ))
    radius=$(( size / 5 ))
    bar=$(( size * 3 / 16 > 2 ? size * 3 / 16 : 2 ))
    stem=$(( size / 5 > 2 ? size / 5 : 2 ))
    top=$(( size * 4 / 16 ))
    left=$(( size * 4 / 16 ))
    right=$(( size - left - 1 ))
    bottom=$(( size - size * 4 / 16 - 1 ))
    stemLeft=$(( (size - stem) / 2 ))
    convert -size "${size}x${size}" xc:none \
        -fill "$blue" -draw "roundrectangle $margin,$margin $((size - margin - 1)),$((size - margin - 1)) $radius,$radius" \
        -fill white -draw "rectangle $left,$top $right,$((top + bar - 1))" \
        -draw "rectangle $stemLeft,$top $((stemLeft + stem - 1)),$bottom" \
        "$work/$size.png"
    images+=("$work/$size.png")
done
convert "${images[@]}" "$ROOT/res/Tarnwick.ico"
echo "$ROOT/res/Tarnwick.ico"
