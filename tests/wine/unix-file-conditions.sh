#!/usr/bin/env bash
# keyset.ini where the tests under Wine cannot put it themselves: as a link of the file
# system under Wine (which shows it to programs as a plain file), and on a disk so small
# it fills up during a save. Prepares both, runs the cases of SettingsSafetyTest that
# use them, and looks from outside at what the save left. A disk needs the right to
# mount one; without it that case is left out and said so.
# Usage: unix-file-conditions.sh FOLDER   (the folder of SettingsSafetyTest.exe)
set -euo pipefail
bin=$1
work=$(mktemp -d)
mounted=""
cleanup() {
    [ -z "$mounted" ] || umount "$work/small" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

mkdir -p "$work/linked" "$work/elsewhere" "$work/small"
# In the code page of old, so that the save writes new bytes (UTF-8 after its mark).
printf '[paths]\r\nA=c:\\caf\xe9\r\n' >"$work/elsewhere/keyset.ini"
ln -s ../elsewhere/keyset.ini "$work/linked/keyset.ini"
export TARNWICK_LINKED_FOLDER
TARNWICK_LINKED_FOLDER=$(winepath -w "$work/linked" 2>/dev/null)
filter='SettingsOnUnixTest.ASymbolicLinkStaysALink'
if mount -t tmpfs -o size=1m tarnwick-small "$work/small" 2>/dev/null; then
    mounted=yes
    export TARNWICK_SMALL_DISK
    TARNWICK_SMALL_DISK=$(winepath -w "$work/small" 2>/dev/null)
    filter="$filter:SettingsOnUnixTest.AFullDiskLeavesNoHalfCopyAndSaysWhy"
else
    echo "note: no small disk could be mounted here; the full-disk case is left out"
fi

out=$(mktemp)
# Output goes to a file: Wine's background services would hold a pipe open.
(cd "$bin" && wine SettingsSafetyTest.exe --gtest_filter="$filter") >"$out" 2>&1 || status=$?
grep -v '^wine: ' "$out" | tr -d '\r' || true
rm -f "$out"

[ -L "$work/linked/keyset.ini" ] || fail "keyset.ini is no link any more"
head -c 3 "$work/elsewhere/keyset.ini" | cmp -s - <(printf '\xef\xbb\xbf') ||
    fail "the file the link leads to does not hold the saved text: $(od -c "$work/elsewhere/keyset.ini" | head -2)"
exit "$status"
