#!/usr/bin/env bash
# The release zip, packaged from the Release build this test belongs to (packaging
# rebuilds nothing there: it takes the programs the build made):
#  - packaging twice, seconds apart, gives the same bytes;
#  - the programs carry no link time, so a rebuild of the same sources matches too;
#  - the listing is exactly the shipped files, in order, without extra fields, and
#    every picture the help page shows is among them;
#  - unpacked, the programs start under Wine and Help opens the page beside them.
#   package-check.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1 VERSION=$2
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$BUILD/package-check"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$ROOT/scripts/package.sh" --build "$BUILD" --out "$work/first" >/dev/null
sleep 2   # a new DOS time (two-second steps), should any entry take the clock's
"$ROOT/scripts/package.sh" --build "$BUILD" --out "$work/second" >/dev/null
name="Tarnwick-$VERSION-win64.zip"
zip="$work/first/$name"
[ -f "$zip" ] || { echo "FAIL: no $name in $(ls "$work/first")"; exit 1; }
cmp -s "$zip" "$work/second/$name" || fail "two packages of the same sources differ"

# The COFF header's TimeDateStamp, and for the DLL its export directory's.
for program in Tarnwick.exe ntlauncher.exe keyhook.dll; do
    file="$BUILD/bin/$program"
    pe=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
    stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$file" | tr -d ' ')
    [ "$stamp" = 0 ] || fail "$program carries the link time $stamp"
done
exports=$(x86_64-w64-mingw32-objdump -p "$BUILD/bin/keyhook.dll" | sed -n 's/^Time\/Date stamp[[:space:]]*//p')
[ "$exports" = 0 ] || fail "keyhook.dll's exports carry the time $exports"

expected="Tarnwick/LICENSE
Tarnwick/README.txt
Tarnwick/TWHELP.html
Tarnwick/Tarnwick.exe
Tarnwick/help/edit-dialog.png
Tarnwick/help/main-dialog.png
Tarnwick/help/popup.png
Tarnwick/help/printout.png
Tarnwick/keyhook.dll
Tarnwick/ntlauncher.exe"
listing=$(unzip -Z1 "$zip")
[ "$listing" = "$expected" ] || fail "the zip holds"$'\n'"$listing"$'\n'"instead of"$'\n'"$expected"
details=$(zipinfo -v "$zip")
grep -q 'length of extra field: *[1-9]' <<<"$details" && fail "entries carry extra fields"

unzip -q "$zip" -d "$work/unpacked"
for picture in $(grep -o 'src="[^"]*"' "$work/unpacked/Tarnwick/TWHELP.html" | sed 's/^src="//; s/"$//'); do
    [ -f "$work/unpacked/Tarnwick/$picture" ] || fail "the help page shows $picture, which is not in the zip"
done

folder=$(winepath -w "$work/unpacked/Tarnwick" 2>/dev/null)
wine "$BUILD/bin/unpackedcheck.exe" "$folder" || fail "the unpacked programs did not run"

((failures == 0)) && echo "package: $name is reproducible, complete and runs"
exit $((failures > 0))
