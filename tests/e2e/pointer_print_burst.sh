#!/usr/bin/env bash
# Thirty quick real clicks on the guide's "Print" give one printed page: the
# button goes grey while the job is sent and for a moment after, then yellow
# again, and exactly one PDF comes out of the private print queue.
#   pointer_print_burst.sh PROGRAM
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
own_print_server

# 1 when some of the "Print" button's text is yellow (enabled), else 0.
print_yellow() {
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$(region "$mx" "$my" 10680 120 1125 495)" +repage \
        -fuzz 15% -fill white -opaque yellow -fill black +opaque white -format "%[fx:mean>0.005]" info:
}
is_yellow() { [[ $(print_yellow) == "$1" ]]; }
# wait_yellow STATE WHAT: polls the button for up to half a minute, the
# pointer resting on it.
wait_yellow() { until_true 30 is_yellow "$1" || fail "$2"; }

start_at_menu "$1"
click "$mx" "$my" 120 1440 3075 495 # Teachers' Guide
until_true 20 is_yellow 1 || fail "the guide's \"Print\" is not ready"

mark_printed
xdotool mousemove "$(px "$(sum "$mx" 10680 562)")" "$(px "$(sum "$my" 120 247)")"
xdotool click --repeat 30 --delay 25 1
wait_yellow 0 "\"Print\" never looked disabled after the clicks"
echo "ok: \"Print\" looks disabled while printing"
wait_yellow 1 "\"Print\" did not come back after the moment"
echo "ok: \"Print\" is ready again"
next_printed >/dev/null || fail "nothing came out of the print queue"
sleep 3 # a second job, if one was sent, has had time to arrive
count=$(ls "$ORAVIANS_PRINT_OUT" | grep -vxF -f "$work/printed-before" | wc -l)
[[ $count == 1 ]] || fail "thirty clicks printed $count pages, expected 1"
echo "ok: thirty clicks on \"Print\" printed one page"
