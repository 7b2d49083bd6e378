#!/usr/bin/env bash
# Builds the fuzzers natively with clang (libFuzzer, ASan, UBSan) in build/fuzz and
# runs them for the given number of seconds in all (default 60): two thirds for the
# settings-file reader, the rest for the bitmap file check.
# Usage: scripts/fuzz.sh [seconds] [extra libFuzzer options...]
# A failing input is saved as build/fuzz/<target>-crash-*; rerun it with
#   build/fuzz/<folder>/<target> build/fuzz/<target>-crash-<id>
set -euo pipefail

seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake -S "$root" -B "$build" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNWICK_FUZZ=ON
cmake --build "$build" --target SettingsFileFuzz BitmapFileFuzz -j "$(nproc)"

settings_seconds=$((seconds * 2 / 3))
bitmap_seconds=$((seconds - settings_seconds))
((settings_seconds > 0)) || settings_seconds=1
((bitmap_seconds > 0)) || bitmap_seconds=1

# The settings fuzzer reads a section name, a key and a value, each ended by a
# backslash and one other character, and then the file's bytes. Seed it with the
# usual file.
corpus="$build/corpus"
mkdir -p "$corpus"
typical='[paths]\r\nA=d:\\work\\reports\r\nM=d:\\work\\minutes.doc\r\n[contents]\r\nB=Kind regards,{}The support desk\r\n[graphics]\r\nF2=d:\\tools\\images\\logo.bmp\r\n'
if [ ! -e "$corpus/typical" ]; then
    printf '%s' 'paths\;M\;d:\\work\\new\;' > "$corpus/typical"
    printf "$typical" >> "$corpus/typical"
fi
# ... and the same file as other programs write it: UTF-16 and UTF-8 with their marks.
if [ ! -e "$corpus/typical-utf16" ]; then
    { printf '%s' 'paths\;M\;d:\\work\\new\;'; printf '\xff\xfe'; printf "$typical" | iconv -f ASCII -t UTF-16LE; } \
        > "$corpus/typical-utf16"
    { printf '%s' 'paths\;M\;d:\\work\\new\;'; printf '\xef\xbb\xbf'; printf "$typical"; } > "$corpus/typical-utf8"
fi

# The bitmap fuzzer starts from a file as the image box writes it: 3 x 2 pixels at 24 bits.
bitmaps="$build/bitmap-corpus"
mkdir -p "$bitmaps"
if [ ! -e "$bitmaps/image-box" ]; then
    { printf 'BM\x4e\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0'
      head -c 48 /dev/zero; } > "$bitmaps/image-box"
fi

run() {  # folder target seconds dictionary corpus [libFuzzer options...]
    local folder=$1 target=$2 time=$3 dictionary=$4 seeds=$5
    shift 5
    "$build/$folder/$target" \
        -max_total_time="$time" \
        -dict="$dictionary" \
        -artifact_prefix="$build/$target-" \
        -print_final_stats=1 \
        "$@" "$seeds"
}
run store SettingsFileFuzz "$settings_seconds" "$root/store/fuzz/settings.dict" "$corpus" "$@"
run pictures BitmapFileFuzz "$bitmap_seconds" "$root/pictures/fuzz/bitmap.dict" "$bitmaps" "$@"
