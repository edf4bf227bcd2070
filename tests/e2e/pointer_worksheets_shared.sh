#!/usr/bin/env bash
# Two read-only copies of the program sharing one classroom worksheet folder,
# with real clicks and typing under a virtual display: a worksheet written in
# copy A's wizard lands in the shared folder (and nothing in A's own folder);
# copy B lists it in its catalogue and opens it as a quiz.
#   pointer_worksheets_shared.sh PROGRAM
# The tests run as root, for whom no folder is read-only, so both copies run
# as the user nobody.
source "$(dirname "$0")/xvfb.sh"
program=$1
command -v setpriv >/dev/null || fail "setpriv (util-linux) is missing"

# nobody must reach the copies through the test's folder, write only to its
# home and the shared folder, and not write to the copies at all.
chmod 755 "$work"
for copy in a b; do cp -a "$(dirname "$program")" "$work/$copy"; done
chmod -R go-w "$work/a" "$work/b"
mkdir -p "$work/home" "$work/runtime" "$work/shared"
chmod 700 "$work/runtime"
chown nobody:nogroup "$work/home" "$work/runtime" "$work/shared"
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config \
    XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime ORAVIANS_WORKSHEETS=$work/shared
as_nobody test -x "$work/a/$(basename "$program")" || fail "nobody cannot reach the copies under $work"
! as_nobody touch "$work/a/multiple/probe" 2>/dev/null || fail "copy A's folder is writable for nobody"
as_nobody touch "$work/shared/probe" && rm "$work/shared/probe" || fail "the shared folder is not writable for nobody"
# Everything in copy A's folder: name, size, time, mode.
listing() { find "$1" -printf '%P %s %T@ %m\n' | sort; }
listing "$work/a" >"$work/a-before"
title="Frog Pond $$"

# exit_program: the main menu's Exit, confirmed; waits for the program to end.
exit_program() {
    click "$mx" "$my" 10560 7920 1245 495 # Exit
    click "$tx" "$ty" 2760 5910 1335 375  # the confirmation's Exit
    until_true 30 eval '! kill -0 "$program_pid" 2>/dev/null' || fail "the program is still running after Exit"
    wait "$program_pid" || fail "the program ended with status $?"
    program_pid=
}

# Copy A: the worksheet written and saved.
start_at_menu as_nobody "$work/a/$(basename "$program")"
write_worksheet "$title"
sheet=$work/shared/$title.txt
[[ -f $sheet ]] || fail "no question file in the shared folder: $(ls -A "$work/shared")"
[[ $(sed -n 3p "$sheet" | tr -d '\r') == "$(question_text 1)" ]] || fail "question 1 is $(sed -n 3p "$sheet")"
grep -qxF "$title"$'\r' "$work/shared/track.txt" || fail "the shared track.txt does not list $title"
echo "ok: the question file and track.txt are in the shared folder"
click "$mx" "$my" 10560 7920 1245 495 # the wizard's Exit
exit_program
listing "$work/a" | diff "$work/a-before" - >&2 || fail "copy A's folder changed"
echo "ok: nothing was written into copy A's folder"

# Copy B: the worksheet in the catalogue, opened as a quiz.
start_at_menu as_nobody "$work/b/$(basename "$program")"
click "$mx" "$my" 6960 6720 4635 495 # Worksheet Catalogue
place=$(tail -n +2 "$work/shared/track.txt" | tr -d '\r' | grep -nxF "$title" | cut -d: -f1)
((place <= 12)) || fail "the register lists $title at $place, beyond the first column"
slot_y=$((720 + 600 * (place - 1)))
expect_text 120 "$slot_y" 5715 375 "$title" "copy B's catalogue lists the worksheet"
click "$mx" "$my" 120 "$slot_y" 5715 375
expect_text 960 3960 9840 1455 "$(question_text 1)" "copy B opens the worksheet as a quiz"
