#!/usr/bin/env bash
# A pupil takes both topics' quizzes with real pointer clicks on the real
# program under a virtual display: full marks, a name typed (and edited with
# keys, a click and the clipboard) and a certificate printed through the
# default print queue; then, in the first topic, seven right, the score and
# the three wrong answers, and "Exit" back to the topic page. What the pupil
# sees is read back from the screen with OCR; the certificate from the PDF.
#   pointer_quiz.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
folder=$(dirname "$program")
own_print_server

start_at_menu "$program"

# The name box (Text1) after full marks, edited with real keys, the pointer
# and the clipboard; the certificate then shows what the box holds.
xclip_pid=
cleanup_more() { [[ -n $xclip_pid ]] && kill "$xclip_pid" 2>/dev/null || true; }
keys() {
    xdotool key --delay 60 "$@"
    sleep 0.2
}
edit_name() {
    case $1 in
    "Ada Pennyworth")
        xdotool type --delay 40 "Pennyworthh"
        keys BackSpace
        click "$mx" "$my" 3120 6600 90 615 # the box's left edge: the caret to the start
        xdotool type --delay 40 "Adx "
        keys Left shift+Left         # "x" selected
        xdotool type --delay 40 "a"  # and replaced
        keys End
        xdotool type --delay 40 "XYZ"
        keys shift+Left shift+Left shift+Left Delete
        keys ctrl+a ctrl+c Delete ctrl+v # through the system clipboard and back
        ;;
    "Tom Bramblewick")
        xdotool type --delay 40 "Someone"
        # A line break in the clipboard is dropped; the paste replaces all.
        printf 'Tom Bramble\nwick\n' | xclip -selection clipboard -quiet >/dev/null 2>&1 &
        xclip_pid=$!
        sleep 0.5
        keys Home shift+End ctrl+v
        kill "$xclip_pid" 2>/dev/null || true
        xclip_pid=
        ;;
    *) xdotool type --delay 40 "$1" ;;
    esac
}

# answer FILE WRONG...: answers the ten questions, the right option except
# for the questions listed; then "Check Score >>".
answer() {
    local file=$1 q right option
    shift
    for q in $(seq 10); do
        right=$(sed -n "$((8 + 7 * (q - 1)))p" "$file" | tr -d '\r ')
        option=$right
        for w in "$@"; do
            [[ $w == "$q" ]] && option=$(( right % 4 + 1 ))
        done
        click "$mx" "$my" 2400 $((5400 + 600 * (option - 1))) 6975 525
        click "$mx" "$my" 6000 7920 3765 495
    done
    sleep 0.5
}

# take_quizzes ENTRY-TOP TITLE FILE NAME [seven]: full marks and a
# certificate; with "seven", a second go with three wrong answers.
take_quizzes() {
    local entry_top=$1 title=$2 file=$3 name=$4 seven=${5:-}
    click "$mx" "$my" 3360 "$entry_top" 3075 375 # the topic's menu entry
    expect_text 240 0 6120 900 "$title" "the topic page of $title"

    click "$mx" "$my" 120 7920 3195 495 # Multiple Choice
    expect_text 960 3960 9840 1455 "$(sed -n 3p "$file" | tr -d '\r' | tr '&' ',')" "question 1 of $title"
    answer "$file"
    expect_text 0 5400 12000 855 "Excellent work. You have scored 10 out of 10." "full marks in $title"
    edit_name "$name"
    print_certificate "$name" "scored 10 out of 10"
    click "$mx" "$my" 10560 7920 1245 495 # Exit
    expect_text 240 0 6120 900 "$title" "back on the topic page of $title"
    if [[ -z $seven ]]; then
        click "$mx" "$my" 10560 7920 1245 495 # the topic page's Exit
        return 0
    fi

    click "$mx" "$my" 120 7920 3195 495 # Multiple Choice
    answer "$file" 2 5 9
    expect_text 0 5400 12000 855 "You have scored 7 out of 10." "seven right in $title"
    click "$mx" "$my" 240 1800 3765 495 # Check Wrong Answers
    local q
    for r in 0 1 2; do
        q=$(( r == 0 ? 2 : r == 1 ? 5 : 9 ))
        expect_text 120 $((1680 + 600 * r)) 11880 540 "$(sed -n "$((3 + 7 * (q - 1)))p" "$file" | tr -d '\r' | tr '&' ',')" "wrong answer row $r is question $q"
    done
    [[ -z $(ocr 120 $((1680 + 600 * 3)) 11880 540 | tr -d ' ') ]] || fail "a fourth wrong answer row is shown"
    echo "ok: no fourth row"
    click "$mx" "$my" 10560 7920 1245 495 # Exit
    expect_text 240 0 6120 900 "$title" "Exit returns to the topic page of $title"
    click "$mx" "$my" 10560 7920 1245 495 # the topic page's Exit
}

take_quizzes 5400 "Edmund Quellmore" "$folder/multiple/Edmund Quellmore.txt" "Ada Pennyworth" seven
take_quizzes 3960 "Oravian Inventions" "$folder/multiple/Oravian Inventions.txt" "Tom Bramblewick"
echo "ok: both quizzes taken"
