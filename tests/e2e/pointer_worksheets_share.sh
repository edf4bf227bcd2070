#!/usr/bin/env bash
# Worksheets shared with a learning platform, with real clicks and typing on
# the real program under a virtual display: a GIFT file imported through the
# catalogue's "Import…" and Qt's file dialog is listed and runs as a quiz;
# "Export…" writes every worksheet as Aiken text into a folder chosen in the
# dialog; the worksheet prints with its answer key through the default print
# queue (two pages, the second listing the right answers).
#   pointer_worksheets_share.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
folder=$(dirname "$program")
own_print_server

export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME" "$work/export"
title="Tarn Birds $$"
register_backup=
[[ -f $folder/multiple/track.txt ]] && cp "$folder/multiple/track.txt" "$work/track.backup" && register_backup=1
cleanup_more() {
    find "$folder/multiple" "$HOME" -name "$title*.txt" -delete 2>/dev/null || true
    if [[ -n $register_backup ]]; then cp "$work/track.backup" "$folder/multiple/track.txt"
    else rm -f "$folder/multiple/track.txt"; fi
}

# Ten questions whose right answer is always the first option.
gift=$work/birds.gift
{
    echo "\$CATEGORY: $title"
    for q in $(seq 10); do
        echo "Which bird nests on cliff $q? {=Gannet $q ~Heron $q ~Swift $q ~Crane $q}"
        echo
    done
} >"$gift"

# in_dialog NAME TEXT: waits for Qt's file dialog titled NAME, types TEXT
# into its file name field and presses Enter.
in_dialog() {
    dialog_up() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
    until_true 30 dialog_up "$1" || fail "the dialog \"$1\" did not come up"
    sleep 0.5
    xdotool type --delay 12 "$2"
    sleep 0.3
    xdotool key Return
    dialog_gone() { ! dialog_up "$1"; }
    until_true 30 dialog_gone "$1" || fail "the dialog \"$1\" stayed up"
}

start_at_menu "$program"
click "$mx" "$my" 6960 6720 4635 495 # Worksheet Catalogue
click "$mx" "$my" 9300 7920 1155 240 # Import…
in_dialog "Import Worksheets" "$gift"
answer_box "the import report"
store=$(dirname "$(find "$folder/multiple" "$HOME" -name "$title.txt" 2>/dev/null | head -n1)")
[[ -f $store/$title.txt ]] || fail "no question file \"$title.txt\" was written"
place=$(tail -n +2 "$store/track.txt" | tr -d '\r' | grep -nxF "$title" | cut -d: -f1)
[[ -n $place ]] && ((place <= 24)) || fail "the register lists $title at \"$place\""
slot_x=$((place <= 12 ? 120 : 6120)) slot_y=$((720 + 600 * ((place - 1) % 12)))
expect_text "$slot_x" "$slot_y" 5715 375 "$title" "the imported worksheet is listed at once"
open_slot() { click "$mx" "$my" "$slot_x" "$slot_y" 5715 375; }

# As a quiz: three right answers, the rest left blank.
open_slot
expect_text 960 3960 9840 1455 "Which bird nests on cliff 1" "the imported worksheet opens as a quiz"
for q in $(seq 10); do
    ((q <= 3)) && click "$mx" "$my" 2400 5400 6975 525
    click "$mx" "$my" 6000 7920 3765 495 # Next Question / Check Score
done
expect_text 0 5400 12000 855 "You have scored 3 out of 10." "the score of the imported worksheet"
click "$mx" "$my" 10560 7920 1245 495 # the score window's Exit

# Exported as Aiken ("No" to GIFT) into a folder typed into the dialog.
click "$mx" "$my" 9300 8175 1155 240 # Export…
for _ in $(seq 100); do (($(boxes) >= 2)) && break; sleep 0.1; done
(($(boxes) >= 2)) || fail "no format question came up"
xdotool key alt+n
in_dialog "Export Worksheets" "$work/export"
answer_box "the export report"
out=$work/export/$title.txt
[[ -f $out ]] || fail "no $title.txt in the export folder: $(ls "$work/export")"
[[ $(grep -c '^ANSWER: A' "$out") == 10 ]] || fail "the Aiken file does not give ten answers A: $(cat "$out")"
grep -qxF "Which bird nests on cliff 7?" <(tr -d '\r' <"$out") || fail "question 7 is not in the Aiken file: $(cat "$out")"
grep -qxF "B. Heron 7" <(tr -d '\r' <"$out") || fail "option B of question 7 is not in the Aiken file"
"$program" --import "$out" >"$work/again.txt" || fail "the Aiken file does not import again: $(cat "$work/again.txt")"
cmp -s <(tail -n +2 "$store/$title.txt") <(tail -n +2 "$store/$title 2.txt") \
    || fail "imported again, the worksheet differs: $(cat "$work/again.txt")"
echo "ok: the worksheet reads back from its Aiken file"

# Printed with its answer key.
open_slot
expect_text 960 3960 9840 1455 "Which bird nests on cliff 1" "the worksheet opens again"
click "$mx" "$my" 7920 2520 3045 375 # With answers
mark_printed
click "$mx" "$my" 7920 1920 3045 495 # Print Worksheet
answer_box "\"Your worksheet is now printing.\""
pdf=$(next_printed) || fail "no worksheet came out of the print queue"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
[[ $pages == 2 ]] || fail "the worksheet with its answers has $pages pages"
pdftotext -layout -f 2 -l 2 "$pdf" "$work/key.txt"
[[ $(grep -m1 -v '^[[:space:]]*$' "$work/key.txt" | tr -d ' ') == Answers ]] \
    || fail "the second page does not start with \"Answers\": $(cat "$work/key.txt")"
for q in $(seq 10); do
    grep -qE "Question $q +A\. Gannet $q\$" "$work/key.txt" || fail "answer $q is not on the key: $(cat "$work/key.txt")"
done
echo "ok: the second page lists the ten answers"
click "$mx" "$my" 10560 7920 1245 495 # the quiz's Exit
click "$mx" "$my" 10560 7920 1245 495 # the catalogue's Exit
expect_text 6960 6720 4635 495 "Worksheet Catalogue" "back at the main menu"
