#!/usr/bin/env bash
# Runs the captions' proportion test at 144 dpi (150 %), against what HintEditTest
# measured at 96 dpi in the test session. Wine takes the scale from the registry
# (HKCU\Control Panel\Desktop, LogPixels) as each program starts, so this sets it in a
# copy of the prepared prefix before anything runs there, starts an Xvfb and a
# wineserver of its own on that copy (the session's prefix stays at 96 dpi), runs the
# test program there and stops everything again.
# Usage: high-dpi-captions.sh FOLDER   (the folder of HintEditTest.exe)
set -euo pipefail
bin=$1
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
prepared="${WINEPREFIX:-$root/build/wineprefix}"
dpi=144
[ -f "$prepared/system.reg" ] || { echo "no prepared Wine prefix at $prepared: run scripts/setup.sh"; exit 77; }
[ -f "$bin/caption-ink-96.txt" ] || { echo "nothing measured at 96 dpi: run HintEditTest first"; exit 77; }

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
# Before the session's first program, so that all of them, Wine's desktop among
# them, run at that scale. The wineserver this starts ends with the change written.
DISPLAY= wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
wineserver -w
wine_session_start
trap cleanup EXIT

rm -f "$bin/caption-ink-$dpi.txt"
status=0
# Output goes to a file: Wine's background services would hold a pipe open.
(cd "$bin" && wine HintEditTest.exe \
    --gtest_filter='HintEditTest.TheCaptionsKeepTheirProportionToTheDialogsText') >"$out" 2>&1 || status=$?
grep -v '^wine: ' "$out" | tr -d '\r' || true
# The test writes what it measured at the scale it ran at.
if [ "$status" -eq 0 ] && [ ! -f "$bin/caption-ink-$dpi.txt" ]; then
    echo "the test did not run at $dpi dpi"
    status=1
fi
exit "$status"
