#!/usr/bin/env bash
# A pupil drags labels with real pointer presses, moves and releases on the
# real program under a virtual display: the labelling activity of the author
# topic all right (full marks), the timeline with two events swapped (the
# score window reads 4 out of 6), then all right, and a certificate printed
# through the default print queue; both activities of the inventions topic
# all right. Last, a pupil without a mouse labels the author's pictures with
# keys alone, for the same full marks.
#   pointer_activities.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
own_print_server

# is_pixel L T COLOUR: the colour at (L, T) twips of the 12000 x 9000 window.
is_pixel() { [[ $(pixel "$(px "$(sum "$mx" "$1")")" "$(px "$(sum "$my" "$2")")") == "$3" ]]; }
# reads L T W H TEXT: OCR finds TEXT's words in the rectangle.
reads() {
    local got
    import -window root "$work/ocr.png"
    convert "$work/ocr.png" -crop "$(region "$mx" "$my" "$1" "$2" "$3" "$4")" +repage -resize 200% \
        -colorspace Gray -negate "$work/crop.png"
    got=$(tesseract "$work/crop.png" - --psm 6 2>/dev/null | tr -s ' \n' ' ')
    echo "read: $got" >"$work/read"
    [[ $got == *"$5"* ]]
}
# drag FROM_LEFT FROM_TOP WIDTH HEIGHT TO_LEFT TO_TOP: presses on the middle
# of a label, moves in two steps to the middle of the box and releases;
# waits until the label's black shows in the box's lower left corner.
drag() {
    local fx fy tx ty
    fx=$(px "$(sum "$mx" "$1" "$(($3 / 2))")")
    fy=$(px "$(sum "$my" "$2" "$(($4 / 2))")")
    tx=$(px "$(sum "$mx" "$5" "$(($3 / 2))")")
    ty=$(px "$(sum "$my" "$6" "$(($4 / 2))")")
    xdotool mousemove "$fx" "$fy" mousedown 1 mousemove $(((fx + tx) / 2)) $(((fy + ty) / 2)) \
        mousemove "$tx" "$ty" mouseup 1
    landed "$5" "$6" "$4" || fail "the label from $1,$2 did not land on $5,$6"
}
# landed LEFT TOP HEIGHT: a label's black shows in the lower left corner of
# the box at (LEFT, TOP), four pixels in, clear of the keyboard's focus ring
# (waited for).
landed() { until_true 10 is_pixel "$(sum "$1" 60)" "$(sum "$2" "$3" -60)" "0,0,0"; }
# The pointer over "Check Score" lights it black once it is there.
check_shown() {
    xdotool mousemove "$(px "$(sum "$mx" 7280)")" "$(px "$(sum "$my" 8160)")"
    is_pixel 6090 8000 "0,0,0"
}
# check_score TEXT [NAME]: the score window reads TEXT; with a name, the
# pupil types it and prints the certificate, which must name them.
check_score() {
    until_true 10 check_shown || fail "Check Score did not appear"
    click "$mx" "$my" 6000 7920 2565 495
    score_reads "$1"
    [[ -z ${2:-} ]] || certificate "$2" "$1"
    click "$mx" "$my" 10560 7920 1245 495 # the score window's Exit
}
score_reads() {
    until_true 15 reads 0 5400 12000 855 "$1" || fail "the score window: $(cat "$work/read"), expected \"$1\""
    echo "ok: $1"
}
# certificate NAME SCORE: the name into the box that has the keyboard at
# full marks, then the certificate printed.
certificate() {
    xdotool type --delay 40 "$1"
    print_certificate "$1" "$2"
}

start_at_menu "$program"
click "$mx" "$my" 3360 5400 3075 375 # Edmund Quellmore
click "$mx" "$my" 3600 7920 3195 495 # Labelling Activity
# Each title from its start onto its picture's box (the pointer crosses pictures drawn above it).
drag 3840 7080 2805 375 480 5040
drag 960 7080 2805 375 4500 4320
drag 3840 6600 2805 375 8580 3600
drag 960 6600 2805 375 8580 7365
check_score "scored 4 out of 4"
click "$mx" "$my" 10560 7920 1245 495 # the activity's Exit

click "$mx" "$my" 7080 7920 3195 495 # Ordering Activity
# Events 0 to 5 start down the left; their boxes by year, 2 and 3 swapped.
starts=(2040 2760 4920 5640 4200 3480)
boxes=(2880 480 1680 5280 4080 6480)
for i in 0 1 2 3 4 5; do
    drag 1200 "${starts[i]}" 3075 615 8400 "${boxes[i]}"
done
check_score "scored 4 out of 6"
click "$mx" "$my" 3360 7920 2565 495 # Start Again
boxes=(2880 480 5280 1680 4080 6480)
for i in 0 1 2 3 4 5; do
    drag 1200 "${starts[i]}" 3075 615 8400 "${boxes[i]}"
done
check_score "scored 6 out of 6" "Wren Ashcombe"
click "$mx" "$my" 10560 7920 1245 495 # the activity's Exit
click "$mx" "$my" 10560 7920 1245 495 # the topic page's Exit

click "$mx" "$my" 3360 3960 3075 375 # Oravian Inventions
click "$mx" "$my" 3600 7920 3195 495 # Labelling Activity
drag 240 6840 2775 375 7440 7260
drag 3120 7320 2775 375 360 5280
drag 3120 6840 2775 375 4410 3840
drag 240 7320 2775 375 8610 3840
check_score "scored 4 out of 4"
click "$mx" "$my" 10560 7920 1245 495 # the activity's Exit

click "$mx" "$my" 7080 7920 3195 495 # Ordering Activity: the Morse words
starts=(5280 8160 3840 2400 6720)
for i in 0 1 2 3 4; do
    drag "${starts[i]}" 7320 1245 375 8520 $((4560 + 480 * i))
done
check_score "scored 5 out of 5"
click "$mx" "$my" 10560 7920 1245 495 # the activity's Exit
click "$mx" "$my" 10560 7920 1245 495 # the topic page's Exit
echo "ok: every activity done with the pointer"

# Keys alone: the window is opened with the pointer, which is then parked
# on empty background and left there.
click "$mx" "$my" 3360 5400 3075 375 # Edmund Quellmore
click "$mx" "$my" 3600 7920 3195 495 # Labelling Activity
xdotool mousemove "$(px "$(sum "$mx" 7300)")" "$(px "$(sum "$my" 6900)")"
keys() { xdotool key --delay 80 "$@"; }
# Label 0 is carried to box 0, its start and box 1 (its colours swapped
# while carried), and Escape puts it back.
keys Tab space Tab Tab
# (a point clear of the focus ring inside its edge)
until_true 10 is_pixel 4590 4620 "255,255,0" || fail "the carried label is not shown on box 1"
keys Escape
landed 3840 7080 375 || fail "Escape did not put the label back"
keys space space
landed 480 5040 375 || fail "Space Space did not drop label 0 on box 0"
keys Tab space Tab Tab space
landed 4500 4320 375 || fail "Tab did not carry label 1 to box 1"
keys Tab space Up Right space
landed 8580 3600 375 || fail "the arrows did not carry label 2 to box 2"
keys Tab space shift+Tab shift+Tab space
landed 8580 7365 375 || fail "Shift+Tab did not carry label 3 to box 3"
keys Tab Tab space # Start Again, Check Score
score_reads "scored 4 out of 4"
echo "ok: every activity done; one with the keyboard alone"
