# Sourced by the pointer tests: starts a private X server and gives helpers
# for real pointer clicks at twips positions (15 twips a pixel).
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/oravians-e2e.XXXXXX")
screen_w=1024
screen_h=768
Xvfb -displayfd 3 -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    declare -F cleanup_more >/dev/null && cleanup_more
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
export DISPLAY=:$(cat "$work/display")
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/fail.png" 2>/dev/null && cp "$work/fail.png" "${TMPDIR:-/tmp}/oravians-e2e-fail.png" \
        && echo "screenshot: ${TMPDIR:-/tmp}/oravians-e2e-fail.png" >&2
    exit 1
}

# A window's client origin in pixels, from its outer size in twips (centred
# on the screen; 2-pixel border, 20-pixel caption bar).
client_x() { echo $(( (screen_w * 15 - $1) / 2 / 15 + 2 )); }
client_y() { echo $(( (screen_h * 15 - $1) / 2 / 15 + 22 )); }

# click X0 Y0 LEFT TOP WIDTH HEIGHT: clicks the middle of a control given in
# twips, inside a client area whose origin is (X0, Y0) pixels.
click() {
    local x=$(( $1 + ($3 + $5 / 2) / 15 )) y=$(( $2 + ($4 + $6 / 2) / 15 ))
    xdotool mousemove "$x" "$y"
    sleep 0.05
    xdotool click 1
    sleep 0.3
}

# double_click X0 Y0 LEFT TOP WIDTH HEIGHT: as click, two presses 80 ms apart.
double_click() {
    local x=$(( $1 + ($3 + $5 / 2) / 15 )) y=$(( $2 + ($4 + $6 / 2) / 15 ))
    xdotool mousemove "$x" "$y"
    sleep 0.05
    xdotool click --repeat 2 --delay 80 1
    sleep 0.3
}

# pixel X Y: the colour on screen, as "R,G,B".
pixel() {
    import -window root "$work/shot.png"
    convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}

expect_pixel() {
    local got
    got=$(pixel "$1" "$2")
    [[ $got == "$3" ]] || fail "$4: pixel ($1, $2) is $got, expected $3"
    echo "ok: $4"
}

wait_for_window() {
    for _ in $(seq 100); do
        xdotool search --name "The Oravians" >/dev/null 2>&1 && { sleep 1; return 0; }
        sleep 0.1
    done
    fail "the program's window did not appear"
}

# start_at_menu PROGRAM: starts the program and presses the title's "OK";
# sets tx/ty (title screen) and mx/my (12000 x 9000 windows) client origins.
start_at_menu() {
    "$1" &
    program_pid=$!
    wait_for_window
    tx=$(client_x 5520)
    ty=$(client_y 6930)
    mx=$(client_x 12000)
    my=$(client_y 9000)
    click "$tx" "$ty" 1320 5910 1335 375 # OK
}

# mark_printed, then next_printed: the path of the first PDF the print
# queue delivers after the mark (fails after ten seconds).
mark_printed() { ls "$ORAVIANS_PRINT_OUT" >"$work/printed-before"; }
next_printed() {
    local pdf
    for _ in $(seq 100); do
        pdf=$(ls "$ORAVIANS_PRINT_OUT" | grep -vxF -f "$work/printed-before" | head -n1 || true)
        [[ -n $pdf ]] && { echo "$ORAVIANS_PRINT_OUT/$pdf"; return 0; }
        sleep 0.1
    done
    return 1
}

# region X0 Y0 LEFT TOP WIDTH HEIGHT: the screen rectangle of a client area
# rectangle given in twips, as ImageMagick geometry (WxH+X+Y).
region() {
    echo "$(( $5 / 15 ))x$(( $6 / 15 ))+$(( $1 + $3 / 15 ))+$(( $2 + $4 / 15 ))"
}

# frames_seen GEOMETRY SECONDS: how many different pictures the screen shows
# in that rectangle while it is sampled for that long, nothing else happening.
frames_seen() {
    local end=$((SECONDS + $2)) i=0
    : >"$work/frames"
    while ((SECONDS < end)) || ((i < 2)); do
        import -window root -crop "$1" +repage ppm:- | md5sum >>"$work/frames"
        i=$((i + 1))
    done
    sort -u "$work/frames" | wc -l
}
