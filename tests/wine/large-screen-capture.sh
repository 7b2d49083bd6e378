#!/usr/bin/env bash
# Runs the capture test's selections on a 3840 x 2160 screen. Wine takes the screen
# size from its X display, and the test session's is 1024 x 768, so this starts an
# Xvfb of that size and a wineserver of its own on a copy of the prepared prefix (one
# wineserver serves one prefix; the session's stays as it is), runs the test program
# there and stops everything again.
# Usage: large-screen-capture.sh FOLDER   (the folder of ScreenCaptureTest.exe)
set -euo pipefail
bin=$1
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
prepared="${WINEPREFIX:-$root/build/wineprefix}"
[ -f "$prepared/system.reg" ] || { echo "no prepared Wine prefix at $prepared: run scripts/setup.sh"; exit 77; }

copy="$(mktemp -d)"
out="$(mktemp)"
cleanup() {
    wine_session_stop 2>/dev/null || true
    rm -rf "$copy" "$out"
}
trap cleanup EXIT
cp -a "$prepared/." "$copy/"
rm -f "$copy/wineserver"

export TARNWICK_WINEPREFIX="$copy"
source "$root/scripts/wine-session.sh"
wine_session_start 3840x2160
trap cleanup EXIT

status=0
# Output goes to a file: Wine's background services would hold a pipe open.
(cd "$bin" && wine ScreenCaptureTest.exe \
    --gtest_filter='ScreenCaptureTest.TheSelectedRectangleOfTheFrozenScreenGoesToTheClipboard') >"$out" 2>&1 || status=$?
grep -v '^wine: ' "$out" | tr -d '\r' || true
exit "$status"
