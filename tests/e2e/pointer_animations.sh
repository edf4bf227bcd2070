#!/usr/bin/env bash
# The animations run with the pointer still: the real program under a virtual
# display shows new frames of the title screen's and the main menu's rocket
# and of the acknowledgments' logo, sampled from the screen over three seconds
# with no input at all; the score window shows its rocket for seven out of ten.
#   pointer_animations.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
program=$1
folder=$(dirname "$program")

# expect_frames GEOMETRY WHAT: at least ten different frames in three seconds.
expect_frames() {
    local seen
    seen=$(frames_seen "$1" 3 10)
    ((seen >= 10)) || fail "$2: $seen different frames in three seconds with the pointer still"
    echo "ok: $2 ($seen different frames)"
}

# Moves the pointer out of the way once, before anything is sampled.
"$program" &
program_pid=$!
wait_for_window
xdotool mousemove 0 0
tx=$(client_x 5520)
ty=$(client_y 6930)
mx=$(client_x 12000)
my=$(client_y 9000)
expect_frames "$(region "$tx" "$ty" 300 1110 4800 3600)" "the title screen's rocket"
click "$tx" "$ty" 1320 5910 1335 375 # OK
xdotool mousemove 0 0
# The title's rocket must not be counted as the menu's: the menu is up first.
expect_pixel "$mx" "$my" 6000 8100 "0,78,152" "the main menu is up"
expect_frames "$(region "$mx" "$my" 6840 1440 4800 3600)" "the main menu's rocket"
click "$mx" "$my" 120 7920 3075 495 # Acknowledgments
xdotool mousemove 0 0
sleep 0.5 # the page has drawn itself over the menu and its rocket
expect_frames "$(region "$mx" "$my" 9000 3720 1830 3255)" "the acknowledgments' logo"
click "$mx" "$my" 10680 7920 1125 495 # Exit

# Seven out of ten: the score window's rocket appears with the pointer still.
file="$folder/multiple/Edmund Quellmore.txt"
click "$mx" "$my" 3360 5400 3075 375 # Edmund Quellmore
click "$mx" "$my" 120 7920 3195 495  # Multiple Choice
for q in $(seq 10); do
    right=$(sed -n "$((8 + 7 * (q - 1)))p" "$file" | tr -d '\r ')
    option=$right
    ((q == 2 || q == 5 || q == 9)) && option=$((right % 4 + 1))
    click "$mx" "$my" 2400 $((5400 + 600 * (option - 1))) 6975 525
    if ((q < 10)); then
        click "$mx" "$my" 6000 7920 3765 495 # Next Question >>
    fi
done
click "$mx" "$my" 6000 7920 3765 495 # Check Score >>, the pointer left where it was pressed
picture=$(region "$mx" "$my" 5880 1440 4800 3600)
colours=1
picture_shown() {
    colours=$(import -window root -crop "$picture" +repage -format "%k" info:)
    ((colours > 50))
}
until_true 30 picture_shown || fail "the score window shows no picture for seven out of ten ($colours colours)"
echo "ok: the score window's picture for seven out of ten"
