#!/usr/bin/env bash
# A pupil drags labels with real pointer presses, moves and releases on the
# real program under a virtual display: the labelling activity of the author
# topic all right (full marks), then the timeline with two events swapped
# (the score window reads 4 out of 6).
#   pointer_activities.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
program=$1

# until SECONDS COMMAND...: polls the command until it succeeds.
until_ok() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}
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
    until_ok 10 is_pixel "$(sum "$5" 30)" "$(sum "$6" "$4" -30)" "0,0,0" || fail "the label from $1,$2 did not land on $5,$6"
}
# The pointer over "Check Score" lights it black once it is there.
check_shown() {
    xdotool mousemove "$(px "$(sum "$mx" 7280)")" "$(px "$(sum "$my" 8160)")"
    is_pixel 6090 8000 "0,0,0"
}
check_score() {
    until_ok 10 check_shown || fail "Check Score did not appear"
    click "$mx" "$my" 6000 7920 2565 495
    until_ok 15 reads 0 5400 12000 855 "$1" || fail "the score window: $(cat "$work/read"), expected \"$1\""
    echo "ok: $1"
    click "$mx" "$my" 10560 7920 1245 495 # the score window's Exit
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
echo "ok: both activities done with the pointer"
