#!/usr/bin/env bash
# The release zip, packaged from the Release build this test belongs to (packaging
# rebuilds nothing there: it takes the programs the build made):
#  - packaging twice, seconds apart, gives the same bytes;
#  - the programs carry no link time, so a rebuild of the same sources matches too;
#  - the listing is exactly the shipped files, in order, without extra fields, and
#    every picture the help page shows is among them;
#  - the winget and Scoop manifests written with it agree on the version and the
#    address, name it by its SHA-256, point at programs it holds, and Scoop keeps
#    keyset.ini; packaging twice gives the same manifests too;
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
differences=$(diff -r "$work/first" "$work/second") || fail "two packages of the same sources differ:"$'\n'"$differences"

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

# winget: three files of one package, version and schema; its installer names the zip.
sha256=$(sha256sum "$zip" | cut -d' ' -f1)
types="" ids="" schemas=""
for manifest in "$work/first"/winget/*.yaml; do
    file=${manifest##*/}
    fields=$(yq -r '[.ManifestType, .PackageIdentifier, .PackageVersion, .ManifestVersion] | @tsv' "$manifest") ||
        { fail "$file is not YAML"; continue; }
    IFS=$'\t' read -r type id version schema <<<"$fields"
    types+="$type " ids+="$id"$'\n' schemas+="$schema"$'\n'
    [ "$version" = "$VERSION" ] || fail "$file gives the version $version, the zip $VERSION"
    comment="# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$type.$schema.schema.json"
    [ "$(head -n1 "$manifest")" = "$comment" ] || fail "$file does not begin with $comment"
done
[ "$(tr ' ' '\n' <<<"$types" | LC_ALL=C sort | xargs)" = "defaultLocale installer version" ] ||
    fail "the winget folder holds the manifests '$types' instead of one version, defaultLocale and installer"
[ "$(sort -u <<<"$ids" | grep -c .)" = 1 ] || fail "the winget manifests name the packages"$'\n'"${ids%$'\n'}"
[ "$(sort -u <<<"$schemas" | grep -c .)" = 1 ] || fail "the winget manifests use the schemas"$'\n'"${schemas%$'\n'}"
installer="$work/first/winget/Tarnwick.Tarnwick.installer.yaml"
IFS=$'\t' read -r architecture winget_hash winget_url < <(yq -r '.Installers[0] | [.Architecture, .InstallerSha256, .InstallerUrl] | @tsv' "$installer")
[ "$architecture" = x64 ] || fail "the winget installer is for $architecture"
[ "$winget_hash" = "${sha256^^}" ] || fail "winget expects the SHA-256 $winget_hash, the zip has ${sha256^^}"
for program in $(yq -r '.NestedInstallerFiles[].RelativeFilePath' "$installer"); do
    grep -qxF "$program" <<<"$listing" || fail "winget starts $program, which is not in the zip"
done

# Scoop: the same zip and address; the shortcut's program in the folder it unpacks.
scoop="$work/first/tarnwick.json"
if fields=$(jq -r '[.version, .architecture."64bit".hash, .architecture."64bit".url, .extract_dir] | @tsv' "$scoop"); then
    IFS=$'\t' read -r version scoop_hash scoop_url folder <<<"$fields"
    [ "$version" = "$VERSION" ] || fail "tarnwick.json gives the version $version, the zip $VERSION"
    [ "$scoop_hash" = "$sha256" ] || fail "Scoop expects the SHA-256 $scoop_hash, the zip has $sha256"
    [ "$scoop_url" = "$winget_url" ] || fail "Scoop downloads $scoop_url, winget $winget_url"
    for program in $(jq -r '.shortcuts[][0]' "$scoop"); do
        grep -qxF "$folder/$program" <<<"$listing" || fail "Scoop's shortcut starts $folder/$program, which is not in the zip"
    done
    jq -e '[.persist] | flatten | any(.[]; . == "keyset.ini")' "$scoop" >/dev/null ||
        fail "Scoop does not keep keyset.ini across updates: persist is $(jq -c .persist "$scoop")"
else
    fail "tarnwick.json is not JSON"
fi

unzip -q "$zip" -d "$work/unpacked"
for picture in $(grep -o 'src="[^"]*"' "$work/unpacked/Tarnwick/TWHELP.html" | sed 's/^src="//; s/"$//'); do
    [ -f "$work/unpacked/Tarnwick/$picture" ] || fail "the help page shows $picture, which is not in the zip"
done

folder=$(winepath -w "$work/unpacked/Tarnwick" 2>/dev/null)
wine "$BUILD/bin/unpackedcheck.exe" "$folder" || fail "the unpacked programs did not run"

((failures == 0)) && echo "package: $name is reproducible, complete and runs; its winget and Scoop manifests name it"
exit $((failures > 0))
