#!/usr/bin/env bash
# Real pointer clicks on the real program under a virtual display:
# title screen -> menu -> Sound Off -> Exit -> Cancel -> Exit, and the program ends.
#   pointer_exit.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
program=$1

"$program" &
program_pid=$!
wait_for_window

# The title screen: client 5460 x 6570 twips, outer 5520 x 6930; its frame
# sits at top -90, so its buttons are at client top 6000 - 90.
tx=$(client_x 5520)
ty=$(client_y 6930)
expect_pixel "$tx" "$ty" 180 300 "192,192,192" "the title screen is up"
click "$tx" "$ty" 1320 5910 1335 375 # OK

# The main menu: 12000 x 9000 twips.
mx=$(client_x 12000)
my=$(client_y 9000)
expect_pixel "$mx" "$my" 6000 8100 "0,78,152" "the main menu is up"
click "$mx" "$my" 10440 480 1455 255  # Sound Off
click "$mx" "$my" 10560 7920 1245 495 # Exit
expect_pixel "$tx" "$ty" 180 300 "192,192,192" "the exit confirmation is up"
expect_pixel "$mx" "$my" 6000 8100 "48,133,214" "the backdrop covers the menu"
click "$tx" "$ty" 1320 5910 1335 375 # Cancel
expect_pixel "$mx" "$my" 6000 8100 "0,78,152" "Cancel returns to the menu"
click "$mx" "$my" 10560 7920 1245 495 # Exit
click "$tx" "$ty" 2760 5910 1335 375  # Exit

for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
    fail "the program is still running after Exit"
fi
wait "$program_pid" || fail "the program ended with status $?"
program_pid=
echo "ok: the program ended"
