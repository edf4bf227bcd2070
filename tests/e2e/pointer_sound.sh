#!/usr/bin/env bash
# What the pupil hears, with real pointer clicks on the real program under a
# virtual display and a private sound server whose output is recorded: no
# click on the very first "Exit"; clicks after "OK" and the menu's entries;
# silence after "Sound Off", the confirmation's "Cancel" included; clicks
# again after "Sound On". Every click heard must arrive whole, its loud
# first milliseconds included. A Morse word's play button spells the word
# out in the key's tone, one letter after another.
#   pointer_sound.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
source "$(dirname "$0")/../sound/pulse_server.sh"
program=$1
PA_PID=
KEEP_PID=
REC_PID=
cleanup_more() {
    [[ -n $REC_PID ]] && kill "$REC_PID" 2>/dev/null
    [[ -n $KEEP_PID ]] && kill "$KEEP_PID" 2>/dev/null
    [[ -n $PA_PID ]] && kill "$PA_PID" 2>/dev/null
    return 0
}
start_pulse_server "$work/pulse"

click_peak=$(sox "$(dirname "$program")/wav/click.wav" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')
[[ -n $click_peak ]] || fail "cannot read the program's wav/click.wav"

# heard WHAT EXPECTED COMMAND...: records while the command runs and for a
# moment after; EXPECTED is "sound" or "silence".
heard() {
    local what=$1 expected=$2 peak
    shift 2
    parec --latency-msec=20 -d oravians_test.monitor --file-format=wav --rate=44100 --channels=1 \
        --format=s16le "$work/heard.wav" &
    REC_PID=$!
    sleep 0.4
    "$@"
    sleep 1.4
    kill -INT "$REC_PID"
    wait "$REC_PID" 2>/dev/null || true
    REC_PID=
    peak=$(sox "$work/heard.wav" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')
    if [[ $expected == sound ]]; then
        # The click's loudest moment is in its first milliseconds: a click
        # that lost its start peaks far lower than the file.
        awk -v p="$peak" -v c="$click_peak" 'BEGIN { exit !(p > 0.8 * c && p < 1.25 * c) }' \
            || fail "$what: expected the whole click (peak $click_peak), the peak was $peak"
    else
        awk -v p="$peak" 'BEGIN { exit !(p < 0.01) }' || fail "$what: expected silence, the peak was $peak"
    fi
    echo "ok: $what ($expected, peak $peak)"
}

tx=$(client_x 5520)
ty=$(client_y 6930)
mx=$(client_x 12000)
my=$(client_y 9000)

"$program" &
program_pid=$!
wait_for_window
heard "the very first Exit" silence click "$tx" "$ty" 2760 5910 1335 375
wait "$program_pid" 2>/dev/null || true
program_pid=

"$program" &
program_pid=$!
wait_for_window
heard "OK" sound click "$tx" "$ty" 1320 5910 1335 375
heard "Sound Off" silence click "$mx" "$my" 10440 480 1455 255
heard "the menu's Exit with sounds off" silence click "$mx" "$my" 10560 7920 1245 495
heard "Cancel with sounds off" silence click "$tx" "$ty" 1320 5910 1335 375
heard "Sound On" silence click "$mx" "$my" 10440 120 1455 255
heard "the menu's Exit with sounds on" sound click "$mx" "$my" 10560 7920 1245 495
heard "Cancel with sounds on" sound click "$tx" "$ty" 1320 5910 1335 375

# band_peak WAV: the peak of the file's Morse tone (700 Hz) alone.
band_peak() { sox "$1" -n sinc 600-800 stat 2>&1 | sed -n 's/^Maximum amplitude: *//p'; }
# letters_heard WHAT LETTER COMMAND...: records while the command runs and
# for 4 s after: the tone peaks as the word's first letter's file does, and a
# second letter starts well after the first (a timer spells them out).
letters_heard() {
    local what=$1 letter=$2 peak onsets
    shift 2
    local want
    want=$(band_peak "$(dirname "$program")/morse/$letter.wav")
    [[ -n $want ]] || fail "cannot read the program's morse/$letter.wav"
    parec --latency-msec=20 -d oravians_test.monitor --file-format=wav --rate=44100 --channels=1 \
        --format=s16le "$work/heard.wav" &
    REC_PID=$!
    sleep 0.4
    "$@"
    sleep 4
    kill -INT "$REC_PID"
    wait "$REC_PID" 2>/dev/null || true
    REC_PID=
    peak=$(band_peak "$work/heard.wav")
    awk -v p="$peak" -v c="$want" 'BEGIN { exit !(p > 0.8 * c && p < 1.25 * c) }' \
        || fail "$what: expected the letter's tone (peak $want), the peak was $peak"
    # When each burst of tone starts: a burst ends after half a second of quiet.
    onsets=$(sox "$work/heard.wav" -t dat - sinc 600-800 | awk -v c="$want" '
        /^;/ { next }
        { v = $2 < 0 ? -$2 : $2
          if (v > 0.2 * c) { if (last == "" || $1 - last > 0.5) printf "%s ", $1; last = $1 } }')
    awk -v o="$onsets" 'BEGIN { n = split(o, t, " "); exit !(n >= 2 && t[2] - t[1] > 1) }' \
        || fail "$what: expected two letters a moment apart, tone began at: $onsets"
    echo "ok: $what (peak $peak, letters at $onsets s)"
}
click "$mx" "$my" 3360 3960 3075 375 # Oravian Inventions
click "$mx" "$my" 7080 7920 3195 495 # Ordering Activity: the Morse words
expect_pixel "$mx" "$my" 11600 7300 "255,255,255" "the Morse key is shown"
letters_heard "Play Fifth Word (HAD)" h click "$mx" "$my" 120 6480 1935 375
click "$mx" "$my" 10560 7920 1245 495 # the activity's Exit
click "$mx" "$my" 10560 7920 1245 495 # the topic page's Exit

click "$mx" "$my" 10560 7920 1245 495 # Exit
click "$tx" "$ty" 2760 5910 1335 375  # Exit
for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program is still running after Exit"
program_pid=
echo "ok: what the pupil hears"
