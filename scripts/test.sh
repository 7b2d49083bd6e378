#!/usr/bin/env bash
# Runs every test: the native logic tests under ASan/UBSan, a short fuzzing run,
# and the tests that drive the real programs under Wine on a private Xvfb, printing
# to a private CUPS scheduler. The run fails if it leaves the system's printing set-up
# (/etc/cups, the default printer) other than it found it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/session-exit.sh"

# Every file under /etc/cups with its checksum, and the system scheduler's default.
# Files we may not read are listed with their size, so that a change still shows.
system_printing_state() {
    if [ -d /etc/cups ]; then
        (cd /etc/cups && find . -printf '%y %m %u:%g %s %p\n' | sort -k5) || true
        (cd /etc/cups && find . -type f -readable -exec sha256sum {} + | sort -k2) || true
    fi
    env -u CUPS_SERVER lpstat -d 2>&1 || true
}
# Both states are kept in build/ for whoever wants to see them.
system_printing_unchanged() {
    system_printing_state >"$ROOT/build/printing-after.txt"
    if ! diff "$ROOT/build/printing-before.txt" "$ROOT/build/printing-after.txt"; then
        echo "== FAILED: the system's printing set-up changed during the run (above: before <, after >)"
        exit 1
    fi
    echo "== /etc/cups and the system's default printer are as they were"
}

# Set-up may install CUPS itself: what it leaves is what the run must keep.
"$ROOT/scripts/setup.sh"
mkdir -p "$ROOT/build"
system_printing_state >"$ROOT/build/printing-before.txt"
# Registered first, so that it runs last on exit: after the sessions have stopped.
at_session_exit system_printing_unchanged
"$ROOT/scripts/build.sh"

echo "== native logic tests (ASan/UBSan)"
ctest --test-dir "$ROOT/build/native" --output-on-failure

if [ -x "$ROOT/scripts/fuzz.sh" ]; then
    echo "== fuzzing the settings reader"
    "$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-30}"
fi

echo "== tests under Wine"
source "$ROOT/scripts/wine-session.sh"
source "$ROOT/scripts/print-session.sh"
print_session_start
wine_session_start
ctest --test-dir "$ROOT/build/cross" --output-on-failure "$@"
