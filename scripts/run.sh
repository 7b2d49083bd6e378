#!/usr/bin/env bash
# Builds Tarnwick (the three programs, nothing else) and starts it under Wine: on
# $DISPLAY when there is one, otherwise inside Wine's desktop on a private Xvfb, where
# it takes a screenshot and says where it is.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --programs
BIN="$ROOT/build/cross/bin"

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="${TARNWICK_WINEPREFIX:-$ROOT/build/wineprefix}" WINEDEBUG=-all
    echo "run: starting ntlauncher.exe on $DISPLAY"
    cd "$BIN" && exec wine ntlauncher.exe
fi

source "$ROOT/scripts/wine-session.sh"
echo "run: starting a private display and Wine's desktop"
wine_session_start
echo "run: starting ntlauncher.exe"
(cd "$BIN" && wine ntlauncher.exe </dev/null >/dev/null 2>&1 &)
sleep "${TARNWICK_SCREENSHOT_DELAY:-4}"
shot="$ROOT/build/screenshot.png"
xwd -root -silent | convert xwd:- "$shot"
echo "Tarnwick runs on a private display; screenshot: $shot"
echo "Press Enter to end it."
read -r _ || true
