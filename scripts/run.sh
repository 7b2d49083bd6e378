#!/usr/bin/env bash
# Builds Tarnwick and starts it under Wine: on $DISPLAY when there is one, otherwise
# on a private Xvfb, where it takes a screenshot and says where it is.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --cross-only
BIN="$ROOT/build/cross/bin"

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="${TARNWICK_WINEPREFIX:-$ROOT/build/wineprefix}" WINEDEBUG=-all
    cd "$BIN" && exec wine ntlauncher.exe
fi

source "$ROOT/scripts/wine-session.sh"
wine_session_start
(cd "$BIN" && wine ntlauncher.exe </dev/null >/dev/null 2>&1 &)
sleep "${TARNWICK_SCREENSHOT_DELAY:-4}"
shot="$ROOT/build/screenshot.png"
xwd -root -silent | convert xwd:- "$shot"
echo "Tarnwick runs on a private display; screenshot: $shot"
echo "Press Enter to end it."
read -r _ || true
