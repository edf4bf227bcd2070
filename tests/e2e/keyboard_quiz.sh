#!/usr/bin/env bash
# A pupil without a mouse: real key presses only, never the pointer, on the
# real program under a virtual display. Title "OK" by Enter; the menu's
# "Edmund Quellmore" by Tab and Enter; the key facts paged forward and back;
# the quiz with full marks (arrows choose, Tab and Enter go on), a name typed
# and the certificate printed through the default print queue; the quiz
# again with three wrong answers and the wrong-answers window; Escape back to
# the topic page and the menu; and the program ended from the confirmation.
#   keyboard_quiz.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
folder=$(dirname "$program")
file="$folder/multiple/Edmund Quellmore.txt"
title="Edmund Quellmore"
own_print_server

keys() {
    xdotool key --delay 80 "$@"
    sleep 0.3
}
# tabs N: N presses of Tab.
tabs() {
    local i
    for ((i = 0; i < $1; i++)); do keys Tab; done
}

"$program" &
program_pid=$!
wait_for_window
mx=$(client_x 12000)
my=$(client_y 9000)

# The title's "OK" has the focus.
keys Return
expect_text 3360 5400 3075 375 "$title" "Enter on the title's OK shows the menu"

# The menu in reading order from the sound switch: Teachers' Guide, then the
# two columns of topics row by row; "Edmund Quellmore" is the eleventh stop on.
tabs 11
keys Return
expect_text 240 0 6120 900 "$title" "Tab and Enter open the topic page"

# The page viewer's page, as the screen shows it (the buttons left out).
page_shot() { import -window root -crop "$(region "$mx" "$my" 120 120 10400 7600)" +repage ppm:- | md5sum; }
page_is() { [[ $(page_shot) == "$1" ]]; }
page_is_not() { [[ $(page_shot) != "$1" ]]; }

keys space # "Key Facts", the topic page's first stop
sleep 1
first=$(page_shot)
tabs 1 # past "Print" to "Next Page" ("Previous Page" is disabled)
keys Return
until_true 20 page_is_not "$first" || fail "Next Page by Enter did not turn the page"
echo "ok: Enter on Next Page turns to page 2"
keys shift+Tab Return # "Previous Page"
until_true 20 page_is "$first" || fail "Previous Page by Enter did not go back to page 1"
echo "ok: Shift+Tab and Enter go back to page 1"
keys Escape
expect_text 240 0 6120 900 "$title" "Escape leaves the key facts for the topic page"

# answer WRONG...: the ten questions by keys, the right option except for
# those listed; Down from no answer chooses option 1, each more the next.
answer() {
    local q right option d
    for q in $(seq 10); do
        right=$(sed -n "$((8 + 7 * (q - 1)))p" "$file" | tr -d '\r ')
        option=$right
        for w in "$@"; do
            [[ $w == "$q" ]] && option=$((right % 4 + 1))
        done
        for ((d = 0; d < option; d++)); do keys Down; done
        tabs $((q == 1 ? 1 : 2)) # past "<< Previous Question" from question 2 on
        keys Return
    done
}

tabs 2 # "Teacher's Notes", "Multiple Choice"
keys Return
expect_text 960 3960 9840 1455 "$(sed -n 3p "$file" | tr -d '\r' | tr '&' ',')" "question 1 by keys"
answer
expect_text 0 5400 12000 855 "Excellent work. You have scored 10 out of 10." "full marks by keys"
sleep 1 # the name box takes the focus at the end of the score window's timers
xdotool type --delay 60 "Kit Marrowby"
print_certificate "Kit Marrowby" "scored 10 out of 10" shift+Tab Return
keys Escape
expect_text 240 0 6120 900 "$title" "Escape leaves the score window for the topic page"

keys Return # "Multiple Choice" still has the focus
expect_text 960 3960 9840 1455 "$(sed -n 3p "$file" | tr -d '\r' | tr '&' ',')" "question 1 again"
answer 2 5 9
expect_text 0 5400 12000 855 "You have scored 7 out of 10." "seven right by keys"
keys Return # "Check Wrong Answers", the score window's first stop
for r in 0 1 2; do
    q=$((r == 0 ? 2 : r == 1 ? 5 : 9))
    expect_text 120 $((1680 + 600 * r)) 11880 540 "$(sed -n "$((3 + 7 * (q - 1)))p" "$file" | tr -d '\r' | tr '&' ',')" "wrong answer row $r is question $q"
done
keys Escape
expect_text 240 0 6120 900 "$title" "Escape closes the wrong answers and the score window"
keys Escape
# (the focused entry's ring upsets the OCR: a neighbour is read)
expect_text 3360 3960 3075 375 "Oravian Inventions" "Escape on the topic page returns to the menu"

# "Exit" asks on the title screen; its "Exit" is the stop after "Cancel".
keys Escape
sleep 1
keys Tab Return
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
! kill -0 "$program_pid" 2>/dev/null || fail "the program did not end"
program_pid=
echo "ok: the whole way by keyboard"
