#!/usr/bin/env bash
# Builds with CMake and Ninja into build/cross (mingw-w64: the programs in
# build/cross/bin, and the tests that run under Wine) and build/native (the logic tests
# under ASan/UBSan, the fuzz target, the benchmarks).
#   scripts/build.sh              everything
#   scripts/build.sh --programs   only Tarnwick.exe, ntlauncher.exe and keyhook.dll
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
PROGRAMS=(Tarnwick ntlauncher keyhook)

configure() {   # folder, cmake arguments...
    local folder=$1
    shift
    if [ ! -f "$folder/build.ninja" ]; then
        echo "build: configuring $folder"
        cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
    fi
}

configure build/cross -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
if [ "${1:-}" = "--programs" ]; then
    echo "build: building ${PROGRAMS[*]} into build/cross/bin"
    cmake --build build/cross --target "${PROGRAMS[@]}"
    exit 0
fi
echo "build: building build/cross"
cmake --build build/cross
configure build/native -DCMAKE_BUILD_TYPE=Debug
echo "build: building build/native"
cmake --build build/native
