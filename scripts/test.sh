#!/usr/bin/env bash
# Runs every test: the native logic tests under ASan/UBSan, a short fuzzing run,
# and the tests that drive the real programs under Wine on a private Xvfb.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
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
trap 'wine_session_stop; print_session_stop' EXIT
ctest --test-dir "$ROOT/build/cross" --output-on-failure "$@"
