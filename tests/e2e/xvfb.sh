# Sourced by the pointer tests: starts a private X server and gives helpers
# for real pointer clicks at twips positions.
# The screen is ORAVIANS_E2E_SCREEN (WxH pixels, 1024x768 unless set) with
# Qt's scale factor ORAVIANS_E2E_SCALE (1 unless set).
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/oravians-e2e.XXXXXX")
screen_size=${ORAVIANS_E2E_SCREEN:-1024x768}
screen_w=${screen_size%x*}
screen_h=${screen_size#*x}
qt_scale=${ORAVIANS_E2E_SCALE:-1}
xvfb_pid=
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    declare -F cleanup_more >/dev/null && cleanup_more
    [[ ! -f $work/cups/cupsd.pid ]] || bash "$(dirname "${BASH_SOURCE[0]}")/../harness/cups.sh" stop "$work/cups" >/dev/null 2>&1 || true
    [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A display number of its own, at random: tests run side by side, and the
# lowest free number (Xvfb's own choice) is the one a test that is just
# ending may still be giving up. Xvfb writes the number once it is ready, and
# ends at once if the number is taken.
for _ in $(seq 20); do
    : >"$work/display"
    Xvfb ":$((100 + RANDOM % 800))" -displayfd 3 -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [[ -s $work/display ]] && break 2
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
done
[[ -s $work/display ]] || { cat "$work/xvfb.log" >&2; echo "FAIL: no virtual display started" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
if [[ $qt_scale == 1 ]]; then
    unset QT_SCALE_FACTOR
else
    export QT_SCALE_FACTOR=$qt_scale
fi
echo "screen ${screen_w}x${screen_h}, scale factor $qt_scale"

# The program draws its whole desktop at one scale: a 12000 x 9000 twips
# window (800 x 600 at 15 twips a pixel) as large as the screen allows. The
# screen in twips, and screen pixels per twip:
read -r screen_tw screen_th px_per_twip < <(awk -v w="$screen_w" -v h="$screen_h" -v q="$qt_scale" 'BEGIN {
    lw = w / q; lh = h / q; s = lw / 800; if (lh / 600 < s) s = lh / 600
    printf "%.6f %.6f %.9f\n", lw / s * 15, lh / s * 15, s * q / 15 }')

# px TWIPS: the screen pixel a position in screen twips falls in.
px() { awk -v t="$1" -v f="$px_per_twip" 'BEGIN { printf "%d\n", int(t * f) }'; }
# sum A B...: the sum of twips values (which need not be whole).
sum() { awk 'BEGIN { s = 0; for (i = 1; i < ARGC; i++) s += ARGV[i]; printf "%.6f\n", s }' "$@"; }

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/fail.png" 2>/dev/null && cp "$work/fail.png" "${TMPDIR:-/tmp}/oravians-e2e-fail.png" \
        && echo "screenshot: ${TMPDIR:-/tmp}/oravians-e2e-fail.png" >&2
    exit 1
}

# A window's client origin in screen twips, from its outer size in twips
# (centred on the screen; 30-twip border, 300-twip caption bar).
client_x() { awk -v s="$screen_tw" -v w="$1" 'BEGIN { printf "%.6f\n", (s - w) / 2 + 30 }'; }
client_y() { awk -v s="$screen_th" -v h="$1" 'BEGIN { printf "%.6f\n", (s - h) / 2 + 330 }'; }

# The program takes the clicks in the order they were made, whatever the
# load, so a click need not wait for the one before to take effect; what is
# checked on the screen is polled for. Only two presses at one spot closer
# together than the double-click time (400 ms, by the X server's clock) would
# make a double click, so a second click at the same spot waits that out.
last_click=
# after_last_click X Y: waits until a press at (X, Y) is no double click
# (the double-click distance is a few pixels; 40 leaves room for any scale).
after_last_click() {
    [[ -n $last_click ]] || return 0
    sleep "$(awk -v x="$1" -v y="$2" -v now="$EPOCHREALTIME" -v last="$last_click" 'BEGIN {
        split(last, l, " "); dx = x - l[1]; dy = y - l[2]; w = l[3] + 0.6 - now
        if (dx * dx + dy * dy > 1600 || w < 0) w = 0
        printf "%.3f\n", w }')"
}

# click X0 Y0 LEFT TOP WIDTH HEIGHT: clicks the middle of a control given in
# twips, inside a client area whose origin is (X0, Y0) screen twips.
click() {
    local x y
    x=$(px "$(sum "$1" "$3" "$(( $5 / 2 ))")")
    y=$(px "$(sum "$2" "$4" "$(( $6 / 2 ))")")
    xdotool mousemove "$x" "$y"
    after_last_click "$x" "$y"
    sleep 0.05
    xdotool click 1
    last_click="$x $y $EPOCHREALTIME"
    sleep 0.1
}

# double_click X0 Y0 LEFT TOP WIDTH HEIGHT: as click, two presses 80 ms apart.
double_click() {
    local x y
    x=$(px "$(sum "$1" "$3" "$(( $5 / 2 ))")")
    y=$(px "$(sum "$2" "$4" "$(( $6 / 2 ))")")
    xdotool mousemove "$x" "$y"
    after_last_click "$x" "$y"
    sleep 0.05
    xdotool click --repeat 2 --delay 80 1
    last_click="$x $y $EPOCHREALTIME"
    sleep 0.1
}

# pixel X Y: the colour on screen at screen pixel (X, Y), as "R,G,B".
pixel() {
    import -window root "$work/shot.png"
    convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}

# until SECONDS COMMAND...: runs the command until it succeeds, for at most
# that many seconds (generous: the machine may be busy).
until_true() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}

# expect_pixel X0 Y0 X Y COLOUR WHAT: the colour at (X, Y) twips inside a
# client area whose origin is (X0, Y0) screen twips (waited for).
expect_pixel() {
    local got x y
    x=$(px "$(sum "$1" "$3")")
    y=$(px "$(sum "$2" "$4")")
    pixel_is() { got=$(pixel "$x" "$y"); [[ $got == "$1" ]]; }
    until_true 20 pixel_is "$5" || fail "$6: pixel ($x, $y) is $got, expected $5"
    echo "ok: $6"
}

# The program's windows on the screen: its own, and a message box over it.
windows_up() { [[ $(xdotool search --onlyvisible --name "The Oravians" 2>/dev/null | wc -l) == "$1" ]]; }
# wait_for_box, then wait_box_gone: a message box has come up and taken the
# keyboard; it has gone again.
wait_for_box() { until_true 30 windows_up 2 || fail "no message box came up"; sleep 0.3; }
wait_box_gone() { until_true 30 windows_up 1 || fail "the message box did not go away"; }

# wait_for_window: the program's window is on the screen and has had a
# moment to draw itself.
wait_for_window() {
    until_true 60 windows_up 1 || fail "the program's window did not appear"
    sleep 0.5
}

# start_at_menu PROGRAM [ARGS...]: starts the program (or a command that
# runs it, such as another user's) and presses the title's "OK"; sets tx/ty
# (title screen) and mx/my (12000 x 9000 windows) client origins.
start_at_menu() {
    "$@" &
    program_pid=$!
    wait_for_window
    tx=$(client_x 5520)
    ty=$(client_y 6930)
    mx=$(client_x 12000)
    my=$(client_y 9000)
    click "$tx" "$ty" 1320 5910 1335 375 # OK
}

# own_print_server: a private print server for this test alone (its PDF
# queue the default printer), so that tests which print can run side by side.
own_print_server() {
    chmod 0755 "$work" # the print filters run as another user
    eval "$(bash "$(dirname "${BASH_SOURCE[0]}")/../harness/cups.sh" start "$work/cups")" \
        || fail "the private print server did not start"
}

# mark_printed, then next_printed: the path of the first PDF the print
# queue delivers after the mark (fails after a minute).
mark_printed() { ls "$ORAVIANS_PRINT_OUT" >"$work/printed-before"; }
next_printed() {
    local pdf
    for _ in $(seq 600); do
        pdf=$(ls "$ORAVIANS_PRINT_OUT" | grep -vxF -f "$work/printed-before" | head -n1 || true)
        [[ -n $pdf ]] && { echo "$ORAVIANS_PRINT_OUT/$pdf"; return 0; }
        sleep 0.1
    done
    return 1
}

# print_certificate NAME SCORE [KEY...]: "Print Certificate" in the score
# window, clicked or reached with the keys given; the PDF from the default
# queue names NAME alone on its line (nothing left over from edits) and says
# "You have SCORE.".
print_certificate() {
    local pdf
    mark_printed
    if (($# > 2)); then
        xdotool key --delay 100 "${@:3}"
    else
        click "$mx" "$my" 240 1800 3765 495 # Print Certificate
    fi
    wait_for_box
    xdotool key Return # "Your certificate is now printing."
    wait_box_gone
    pdf=$(next_printed) || fail "no certificate came out of the print queue"
    pdftotext "$pdf" "$work/cert.txt"
    grep -qxE "[[:space:]]*$1[[:space:]]*" "$work/cert.txt" \
        || fail "the certificate does not name $1 alone: $(cat "$work/cert.txt")"
    grep -q "You have $2." "$work/cert.txt" || fail "the certificate has no line \"You have $2.\""
    echo "ok: a certificate for $1"
}

# region X0 Y0 LEFT TOP WIDTH HEIGHT: the screen rectangle of a client area
# rectangle given in twips, as ImageMagick geometry (WxH+X+Y).
region() {
    local x y r b
    x=$(px "$(sum "$1" "$3")")
    y=$(px "$(sum "$2" "$4")")
    r=$(px "$(sum "$1" "$3" "$5")")
    b=$(px "$(sum "$2" "$4" "$6")")
    echo "$((r - x))x$((b - y))+$x+$y"
}

# frames_seen GEOMETRY SECONDS ENOUGH: how many different pictures the screen
# shows in that rectangle while it is sampled for that long, nothing else
# happening; sampling stops once ENOUGH have been seen.
frames_seen() {
    local end=$((SECONDS + $2)) i=0 seen=0
    : >"$work/frames"
    while ((SECONDS < end)) || ((i < 2)); do
        import -window root -crop "$1" +repage ppm:- | md5sum >>"$work/frames"
        i=$((i + 1))
        seen=$(sort -u "$work/frames" | wc -l)
        ((seen < $3)) || break
    done
    echo "$seen"
}

# ocr LEFT TOP WIDTH HEIGHT: the text of a client area rectangle of the
# 12000 x 9000 window, read at twice the size.
ocr() {
    import -window root "$work/ocr.png"
    convert "$work/ocr.png" -crop "$(region "$mx" "$my" "$@")" +repage -resize 200% -colorspace Gray -negate "$work/crop.png"
    tesseract "$work/crop.png" - --psm 6 2>/dev/null | tr -s ' \n' ' '
}
# expect_text L T W H TEXT WHAT: most words of TEXT (those of three letters
# or more, any case) are read in the rectangle, polling for a few seconds;
# OCR of bold screen text mistakes a letter now and then.
expect_text() {
    local got words found w
    for _ in $(seq 10); do
        got=$(ocr "$1" "$2" "$3" "$4" | tr 'A-Z' 'a-z')
        words=0 found=0
        for w in $(tr 'A-Z' 'a-z' <<<"$5" | tr -c 'a-z0-9\n' ' '); do
            ((${#w} >= 3)) || continue
            words=$((words + 1))
            [[ $got == *"$w"* ]] && found=$((found + 1))
        done
        ((words > 0 && found * 4 >= words * 3)) && { echo "ok: $6"; return 0; }
        sleep 0.2
    done
    fail "$6: read \"$got\", expected \"$5\""
}

# A message box is up while a second window named like the program, or the
# unnamed confirmation, is visible.
boxes() { { xdotool search --onlyvisible --name '^(The Oravians| )$' 2>/dev/null || true; } | wc -l; }
# answer_box WHAT: waits for the message box and presses Enter (its OK).
answer_box() {
    for _ in $(seq 100); do
        (($(boxes) >= 2)) && break
        sleep 0.1
    done
    (($(boxes) >= 2)) || fail "no message box came up ($1)"
    xdotool key Return
    for _ in $(seq 100); do
        (($(boxes) < 2)) && { echo "ok: $1"; return 0; }
        sleep 0.1
    done
    fail "the message box stayed up ($1)"
}

# The worksheets the wizard tests write: question q's text and right option.
right_for() { echo $((($1 - 1) % 4 + 1)); }
question_text() { echo "Where does pond animal $1 live"; }
# write_worksheet TITLE: from the main menu, the wizard typed field after
# field (Enter moving on, nowhere after the last), one tick per question,
# saved and the saved message answered; the wizard stays open.
write_worksheet() {
    local q option x y j
    click "$mx" "$my" 6960 5880 4635 495 # Multiple Choice Wizard
    field() { xdotool type --delay 12 "$1"; xdotool key Return; }
    field "$1"
    for q in $(seq 10); do
        field "$(question_text "$q")"
        for option in Reeds Mud "Lily pads" Stones; do field "$option $q"; done
    done
    for q in $(seq 0 9); do
        x=$((q < 5 ? 240 : 6120)) y=$((1440 * (q % 5)))
        j=$(($(right_for $((q + 1))) - 1))
        click "$mx" "$my" $((x + (j % 2 == 0 ? 240 : 3090))) $(((j < 2 ? 1230 : 1560) + y)) 255 315
    done
    click "$mx" "$my" 240 7920 3165 495 # Save Worksheet
    answer_box "\"Your worksheet has been saved.\""
}
