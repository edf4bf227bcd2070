#!/usr/bin/env bash
# A teacher's worksheet from start to end with real clicks and typing on the
# real program under a virtual display: written in the wizard and saved (the
# question file and the register checked on disk), found in the catalogue and
# taken as a quiz with full marks, edited and saved again, printed through
# the default print queue (a PDF with the changed question), and deleted
# (the register no longer lists it).
#   pointer_worksheets.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
folder=$(dirname "$program")
own_print_server

# A home of its own, so that worksheets kept per user start empty; worksheets
# kept beside the program are put back as they were.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"
title="Pond Life $$"
register_backup=
[[ -f $folder/multiple/track.txt ]] && cp "$folder/multiple/track.txt" "$work/track.backup" && register_backup=1
cleanup_more() {
    rm -f "$folder/multiple/$title.txt"
    if [[ -n $register_backup ]]; then cp "$work/track.backup" "$folder/multiple/track.txt"
    else rm -f "$folder/multiple/track.txt"; fi
}

# wait_file PATH: polls for a file to exist.
wait_file() {
    for _ in $(seq 100); do [[ -f $1 ]] && return 0; sleep 0.1; done
    return 1
}

start_at_menu "$program"
write_worksheet "$title"

# Where the worksheets are kept: beside the program or in the user's data.
sheet=$(find "$folder/multiple" "$HOME" -name "$title.txt" 2>/dev/null | head -n1)
[[ -n $sheet ]] || fail "no question file \"$title.txt\" was written"
store=$(dirname "$sheet")
[[ $(sed -n 1p "$sheet" | tr -d '\r') == "$title" ]] || fail "the file's title line is $(sed -n 1p "$sheet")"
[[ $(sed -n 3p "$sheet" | tr -d '\r') == "$(question_text 1)" ]] || fail "question 1 is $(sed -n 3p "$sheet")"
[[ $(sed -n 71p "$sheet" | tr -d '\r') == "$(right_for 10)" ]] || fail "question 10's answer line is $(sed -n 71p "$sheet")"
[[ $(wc -l <"$sheet") == 72 ]] || fail "the question file has $(wc -l <"$sheet") lines"
grep -qxF "$title"$'\r' "$store/track.txt" || fail "track.txt does not list $title"
echo "ok: the question file and the register are on disk ($store)"
click "$mx" "$my" 10560 7920 1245 495 # the wizard's Exit

# The catalogue: the title's slot from its place in the register.
click "$mx" "$my" 6960 6720 4635 495 # Worksheet Catalogue
place=$(tail -n +2 "$store/track.txt" | tr -d '\r' | grep -nxF "$title" | cut -d: -f1)
((place <= 24)) || fail "the register lists $title at $place, beyond the first page"
slot_x=$((place <= 12 ? 120 : 6120)) slot_y=$((720 + 600 * ((place - 1) % 12)))
expect_text "$slot_x" "$slot_y" 5715 375 "$title" "the catalogue lists the worksheet"
open_slot() { click "$mx" "$my" "$slot_x" "$slot_y" 5715 375; }

# As a quiz: full marks.
open_slot
expect_text 960 3960 9840 1455 "$(question_text 1)" "the worksheet opens as a quiz"
for q in $(seq 10); do
    click "$mx" "$my" 2400 $((5400 + 600 * ($(right_for "$q") - 1))) 6975 525
    click "$mx" "$my" 6000 7920 3765 495 # Next Question / Check Score
done
expect_text 0 5400 12000 855 "Excellent work. You have scored 10 out of 10." "full marks in the worksheet"
click "$mx" "$my" 10560 7920 1245 495 # the score window's Exit

# Edited: question 1 rewritten, saved again under the same title.
click "$mx" "$my" 120 120 2535 375 # Edit Worksheet
open_slot
click "$mx" "$my" 240 840 5655 375 # question 1's field
xdotool key ctrl+a
xdotool type --delay 12 "Which pond animal has webbed feet"
click "$mx" "$my" 240 7920 3165 495 # Save Worksheet
answer_box "saved again"
[[ $(sed -n 3p "$sheet" | tr -d '\r') == "Which pond animal has webbed feet" ]] \
    || fail "the edit did not reach the file: $(sed -n 3p "$sheet")"
[[ $(grep -cxF "$title"$'\r' "$store/track.txt") == 1 ]] || fail "saving again registered the title twice"
echo "ok: the edit is in the file, the title registered once"
click "$mx" "$my" 10560 7920 1245 495 # the wizard's Exit
click "$mx" "$my" 120 120 2535 375 # Edit Worksheet off

# Printed from the quiz window.
open_slot
expect_text 960 3960 9840 1455 "Which pond animal has webbed feet" "the edited worksheet opens as a quiz"
mark_printed
click "$mx" "$my" 7920 1920 3045 495 # Print Worksheet
answer_box "\"Your worksheet is now printing.\""
pdf=$(next_printed) || fail "no worksheet came out of the print queue"
pdftotext -layout "$pdf" "$work/sheet.txt"
grep -qE "Question 1 +Which pond animal has webbed feet" "$work/sheet.txt" || fail "the printed worksheet: $(cat "$work/sheet.txt")"
grep -qE "A\. Reeds 10 +B\. Mud 10" "$work/sheet.txt" || fail "options A and B do not share a line: $(cat "$work/sheet.txt")"
echo "ok: the worksheet came out of the default queue"
click "$mx" "$my" 10560 7920 1245 495 # the quiz's Exit

# Deleted: gone from the register; the question file stays.
click "$mx" "$my" 9240 120 2535 375 # Delete Worksheet
open_slot
answer_box "the deletion confirmed"
for _ in $(seq 50); do
    grep -qxF "$title"$'\r' "$store/track.txt" || break
    sleep 0.1
done
! grep -qxF "$title"$'\r' "$store/track.txt" || fail "track.txt still lists $title"
[[ -f $sheet ]] || fail "deleting from the catalogue removed the question file"
echo "ok: the worksheet is no longer registered"
click "$mx" "$my" 10560 7920 1245 495 # the catalogue's Exit
expect_text 6960 6720 4635 495 "Worksheet Catalogue" "back at the main menu"
