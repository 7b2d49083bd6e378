#!/usr/bin/env bash
# Builds the settings-file fuzzer natively with clang (libFuzzer, ASan, UBSan) in
# build/fuzz and runs it for the given number of seconds (default 60).
# Usage: scripts/fuzz.sh [seconds] [extra libFuzzer options...]
# A failing input is saved as build/fuzz/crash-*; rerun it with
#   build/fuzz/store/SettingsFileFuzz build/fuzz/crash-<id>
set -euo pipefail

seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake -S "$root" -B "$build" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNWICK_FUZZ=ON
cmake --build "$build" --target SettingsFileFuzz -j "$(nproc)"

# The fuzzer reads a section name, a key and a value, each ended by a backslash
# and one other character, and then the file's bytes. Seed it with the usual file.
corpus="$build/corpus"
mkdir -p "$corpus"
if [ ! -e "$corpus/typical" ]; then
    printf '%s' 'paths\;M\;d:\\work\\new\;' > "$corpus/typical"
    printf '[paths]\r\nA=d:\\work\\reports\r\nM=d:\\work\\minutes.doc\r\n[contents]\r\nB=Kind regards,{}The support desk\r\n[graphics]\r\nF2=d:\\tools\\images\\logo.bmp\r\n' >> "$corpus/typical"
fi

"$build/store/SettingsFileFuzz" \
    -max_total_time="$seconds" \
    -dict="$root/store/fuzz/settings.dict" \
    -artifact_prefix="$build/" \
    -print_final_stats=1 \
    "$@" "$corpus"
