#!/usr/bin/env bash
# Builds the Release programs and writes dist/Tarnwick-<version>-win64.zip, holding a
# folder Tarnwick/ with the three programs, the help page and its pictures,
# README.txt and LICENSE; beside it, from the templates in packaging/, the winget
# manifests (dist/winget/) and the Scoop manifest (dist/tarnwick.json) that name it.
#   scripts/package.sh [--build DIR] [--out DIR]   (defaults: build/cross, dist)
# Where the zip will be downloaded from, for a fork or another host:
#   TARNWICK_HOMEPAGE     (default https://github.com/tarnwick/tarnwick)
#   TARNWICK_RELEASE_URL  (default $TARNWICK_HOMEPAGE/releases/download/v<version>/<zip>)
# The same sources give the same bytes: the programs carry no link time, and every
# entry has one fixed time and fixed attributes, no extra fields, in sorted order;
# the manifests hold nothing but the version, the addresses and the zip's hash.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build/cross"
OUT="$ROOT/dist"
while (($#)); do
    case "$1" in
    --build) BUILD=$(realpath -m "$2"); shift 2 ;;
    --out) OUT=$(realpath -m "$2"); shift 2 ;;
    *) echo "usage: scripts/package.sh [--build DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

"$ROOT/scripts/setup.sh"
[ -f "$BUILD/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
if [ "$type" != Release ]; then
    echo "package: $BUILD is a '${type:-default}' build; packages come from a Release build" >&2
    exit 1
fi
cmake --build "$BUILD" --target Tarnwick ntlauncher keyhook >/dev/null
version=$(sed -n 's/^#define TARNWICK_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD/generated/Version.h")
[ -n "$version" ] || { echo "package: no version in $BUILD/generated/Version.h" >&2; exit 1; }
name="Tarnwick-$version-win64.zip"
homepage=${TARNWICK_HOMEPAGE:-https://github.com/tarnwick/tarnwick}
url=${TARNWICK_RELEASE_URL:-$homepage/releases/download/v$version/$name}
# Both go into YAML and JSON unquoted and unescaped: refuse what would need either.
address='^https?://[^][:space:]"\\<>{}|^`]+$'
for value in "$homepage" "$url"; do
    [[ $value =~ $address ]] || { echo "package: '$value' is not an http(s) address without quotes or spaces" >&2; exit 2; }
done

# Entry times: SOURCE_DATE_EPOCH when given, else the time of the last commit.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 1767225600)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/Tarnwick"
mkdir -p "$folder/help"
cp "$BUILD/bin/Tarnwick.exe" "$BUILD/bin/ntlauncher.exe" "$BUILD/bin/keyhook.dll" "$folder/"
cp "$ROOT/docs/TWHELP.html" "$folder/"
cp "$ROOT"/docs/help/*.png "$folder/help/"
# Notepad before Windows 10 shows a text without CR as one long line.
sed 's/\r*$/\r/' "$ROOT/docs/README.txt" >"$folder/README.txt"
sed 's/\r*$/\r/' "$ROOT/LICENSE" >"$folder/LICENSE"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -d "@$epoch" {} +

mkdir -p "$OUT"
zipfile="$OUT/$name"
rm -f "$zipfile" "$zipfile.new"
# zip keeps times as local time: UTC, so that the bytes do not depend on where it runs.
(cd "$stage" && find Tarnwick -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$zipfile.new" -@)
mv "$zipfile.new" "$zipfile"
echo "$zipfile"

# winget writes the hash in upper case, Scoop in lower case.
sha256=$(sha256sum "$zipfile" | cut -d' ' -f1)
fill() {
    local text
    text=$(<"$1")
    # Quoted replacements: an "&" in an address stays an "&".
    text=${text//@VERSION@/"$version"}
    text=${text//@HOMEPAGE@/"$homepage"}
    text=${text//@INSTALLER_URL@/"$url"}
    text=${text//@SHA256@/"$sha256"}
    text=${text//@SHA256_UPPER@/"${sha256^^}"}
    if [[ $text =~ @[A-Z0-9_]+@ ]]; then
        echo "package: $1 asks for ${BASH_REMATCH[0]}, which package.sh does not fill" >&2
        return 1
    fi
    printf '%s\n' "$text" >"$2"
}
mkdir -p "$stage/winget"
for template in "$ROOT"/packaging/winget/*.yaml; do
    fill "$template" "$stage/winget/${template##*/}"
done
fill "$ROOT/packaging/scoop/tarnwick.json" "$stage/tarnwick.json"
# A folder of its own, which winget reads whole: nothing of an earlier package stays in it.
rm -rf "$OUT/winget" "$OUT/tarnwick.json"
mv "$stage/winget" "$stage/tarnwick.json" "$OUT/"
echo "$OUT/winget"
echo "$OUT/tarnwick.json"
