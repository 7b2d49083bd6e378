#!/usr/bin/env bash
# Takes a picture of the help page as a browser shows it, with Debian's Chromium, cut
# with Netpbm, which takes pictures as tall as a long page at a phone's width (both
# installed here when missing; nothing else needs them).
#   scripts/help-screenshot.sh [WIDTH [OUT [light|dark]]]
# WIDTH in pixels, 1280 unless given; as tall as the page. OUT is docs/help-page.png
# unless given. "dark" shows the page as a browser set to a dark colour scheme does.
#   scripts/help-screenshot.sh 1280                            docs/help-page.png
#   scripts/help-screenshot.sh 400 docs/help-page-narrow.png   as a phone shows it
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
width="${1:-1280}"
shot="$(realpath -m "${2:-$ROOT/docs/help-page.png}")"
scheme="${3:-light}"
case "$scheme" in
    light) scheme_setting=1 ;;
    dark) scheme_setting=0 ;;
    *) echo "help-screenshot: the scheme is light or dark, not $scheme" >&2; exit 2 ;;
esac
tall=30000   # more than the page needs, even at a phone's width: the rest is cut off afterwards
missing=()
command -v chromium >/dev/null || missing+=(chromium)
command -v pnmcrop >/dev/null || missing+=(netpbm)
if ((${#missing[@]})); then
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# The page's background colour, for finding where its content ends.
background=white; [ "$scheme" = light ] || background=rgb:1d/1f/21
# preferredColorScheme is what the page's prefers-color-scheme sees: 0 dark, 1 light.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size="$width,$tall" \
    --blink-settings=preferredColorScheme=$scheme_setting \
    --screenshot="$shot" "file://$ROOT/docs/TWHELP.html" 2>/dev/null
# The bottom of the page's content, plus a margin; the width stays as shown. In 256
# colours, which keeps the file small.
pngtopnm "$shot" >"$profile/page.ppm"
pnmcrop -bottom -bg-color="$background" "$profile/page.ppm" >"$profile/content.ppm"
content=$(pnmfile "$profile/content.ppm")
[[ $content =~ by\ ([0-9]+) ]] || { echo "help-screenshot: $content" >&2; exit 1; }
bottom=${BASH_REMATCH[1]}
if ((bottom + 24 >= tall)); then
    echo "help-screenshot: the page is taller than $tall pixels at $width: make tall larger" >&2
    exit 1
fi
pamcut -height $((bottom + 24)) "$profile/page.ppm" | pnmquant 256 2>/dev/null | pnmtopng -compression 9 >"$shot"
echo "$shot"
