#!/usr/bin/env bash
# Builds the benchmark programs (bench/*Bench.cpp, Release) and runs them under a
# private Wine session on a private Xvfb; each prints medians and its ratio to a
# baseline measured in the same run. Usage: scripts/bench.sh [NameBench ...]
# TARNWICK_BENCH_SCREEN=3840x2160 runs them on a screen of that size.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TARNWICK_BENCH_BUILD:-$ROOT/build/cross}"
export TARNWICK_WINEPREFIX="${TARNWICK_WINEPREFIX:-$ROOT/build/bench-wineprefix}"
"$ROOT/scripts/setup.sh"
[ -f "$BUILD/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null

benches=("$@")
if ((${#benches[@]} == 0)); then
    for f in "$ROOT"/bench/*Bench.cpp; do benches+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$BUILD" --target "${benches[@]}"

source "$ROOT/scripts/wine-session.sh"
wine_session_start "${TARNWICK_BENCH_SCREEN:-1024x768}"
status=0
for b in "${benches[@]}"; do
    echo "== $b"
    out="$(mktemp)"
    # Output goes to a file: Wine's background services would hold a pipe open.
    wine "$BUILD/bin/$b.exe" >"$out" 2>&1 || status=$?
    grep -v '^wine: ' "$out" | tr -d '\r' || true
    rm -f "$out"
done
exit "$status"
