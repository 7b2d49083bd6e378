#!/usr/bin/env bash
# Takes a picture of the help page as a browser shows it, with Debian's Chromium
# (installed here when missing; nothing else needs it), into docs/help-page.png.
#   scripts/help-screenshot.sh [WIDTH]   (default 1000 pixels; as tall as the page)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
width="${1:-1000}"
tall=12000   # more than the page needs: the white below it is cut off afterwards
if ! command -v chromium >/dev/null; then
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq chromium >/dev/null
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
shot="$ROOT/docs/help-page.png"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size="$width,$tall" \
    --screenshot="$shot" "file://$ROOT/docs/TWHELP.html" 2>/dev/null
# The bottom of the page's content, plus a margin; the width stays as shown.
bottom=$(convert "$shot" -trim -format '%[fx:page.y+h]' info:)
convert "$shot" -crop "${width}x$((bottom + 24))+0+0" +repage -strip -colors 256 "PNG8:$shot"
echo "$shot"
