#!/usr/bin/env bash
# Holds the sheets that PrintoutTest printed against what they must show. For each
# NAME.expect in $TARNWICK_PDF_DIR/sheets, NAME.pdf must have the pages it names
# ("pages 3", or "pages 2+" for at least two), and the text of its pages, in the
# order it was drawn, must be its entries in order: every page starts with an entry
# and holds whole entries only; a "cut" entry (a row taller than a page) stands alone
# from the top of its page, as much of it as fitted.
set -uo pipefail
[ -n "${TARNWICK_PDF_DIR:-}" ] || { echo "no PDF printer: run the tests through scripts/test.sh"; exit 77; }
sheets="$TARNWICK_PDF_DIR/sheets"

normalized() { tr -s ' \t\r\n\f' ' ' | sed -e 's/^ //' -e 's/ $//'; }

check_sheet() {   # pdf expect
    local pdf=$1 expect=$2 pages want p i=0 text entry kind
    [ -f "$pdf" ] || { echo "  $pdf is missing"; return 1; }
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
    want=$(sed -n 's/^pages //p' "$expect")
    if [[ $want == *+ ]]; then (( pages >= ${want%+} )); else (( pages == want )); fi ||
        { echo "  $pages pages, expected $want"; return 1; }

    local -a kinds entries
    mapfile -t kinds < <(sed -n -E 's/^(entry|cut) .*/\1/p' "$expect")
    mapfile -t entries < <(sed -n -E 's/^(entry|cut) //p' "$expect")
    for ((p = 1; p <= pages; p++)); do
        text=$(pdftotext -q -raw -f "$p" -l "$p" "$pdf" - | normalized)
        [ -n "$text" ] || { echo "  page $p is empty"; return 1; }
        local top=1
        while [ -n "$text" ]; do
            (( i < ${#entries[@]} )) || { echo "  page $p goes on after the last entry: ${text:0:80}"; return 1; }
            entry=${entries[i]} kind=${kinds[i]}
            i=$((i + 1))
            if [ "$kind" = cut ]; then
                [[ $top == 1 && $entry == "$text"* ]] ||
                    { echo "  page $p: expected the start of \"${entry:0:60}\" alone, found \"${text:0:80}\""; return 1; }
                text=""
            else
                [[ $text == "$entry" || $text == "$entry "* ]] ||
                    { echo "  page $p: expected \"$entry\", found \"${text:0:80}\""; return 1; }
                text=${text#"$entry"}
                text=${text# }
            fi
            top=0
        done
    done
    (( i == ${#entries[@]} )) || { echo "  missing from the sheet: \"${entries[i]}\""; return 1; }
}

shopt -s nullglob
expects=("$sheets"/*.expect)
(( ${#expects[@]} )) || { echo "no printed sheets in $sheets"; exit 1; }
status=0
for expect in "${expects[@]}"; do
    name=$(basename "$expect" .expect)
    if check_sheet "$sheets/$name.pdf" "$expect"; then echo "ok   $name"; else echo "FAIL $name"; status=1; fi
done
exit $status
