#!/usr/bin/env bash
# Builds the Windows programs (build/cross/bin) and the native logic tests (build/native).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
[ -f build/cross/build.ninja ] || cmake -S . -B build/cross -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/cross
if [ "${1:-}" != "--cross-only" ]; then
    [ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build/native
fi
