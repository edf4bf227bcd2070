#!/bin/bash
# Starts a private sound server with a null sink, records its output, plays
# sounds through PulseSound and checks every sound was heard whole.
# Usage: pulse_roundtrip.sh <pulse_roundtrip program> <program folder>
set -u
HELPER=$1
CONTENT=$2
SOUNDS=('wav\click.wav' 'wav\click.wav' 'wav\fanf2.wav' 'wav\typekey.wav')

for f in click.wav fanf2.wav typekey.wav gong.wav thud3.wav; do
  if [ ! -f "$CONTENT/wav/$f" ]; then
    echo "FAIL: $CONTENT/wav/$f is missing; build the program's content first" >&2
    exit 1
  fi
done

DIR=$(mktemp -d "${TMPDIR:-/tmp}/oravians-pulse.XXXXXX")
PA_PID=
REC_PID=
KEEP_PID=
cleanup() {
  [ -n "$KEEP_PID" ] && kill "$KEEP_PID" 2>/dev/null && wait "$KEEP_PID" 2>/dev/null
  [ -n "$REC_PID" ] && kill "$REC_PID" 2>/dev/null && wait "$REC_PID" 2>/dev/null
  if [ -n "$PA_PID" ]; then
    kill "$PA_PID" 2>/dev/null
    wait "$PA_PID" 2>/dev/null
  fi
  rm -rf "$DIR"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
  echo "FAIL: $*" >&2
  [ -f "$DIR/pulseaudio.log" ] && sed 's/^/  pulseaudio: /' "$DIR/pulseaudio.log" >&2
  exit 1
}

source "$(dirname "$0")/pulse_server.sh"
start_pulse_server "$DIR"
# record FILE: records the sink from now on; stop_recording ends it.
record() {
  parec --latency-msec=20 -d oravians_test.monitor --file-format=wav --rate=44100 --channels=1 --format=s16le "$1" &
  REC_PID=$!
  for _ in $(seq 100); do
    [ "$(pactl list short source-outputs 2>/dev/null | wc -l)" -ge 1 ] && break
    sleep 0.1
  done
  sleep 0.5
}
stop_recording() {
  # The sink renders ahead in blocks: give the recording time to catch up
  # with the last sound.
  sleep 2.5
  kill -INT "$REC_PID"
  wait "$REC_PID" 2>/dev/null
  REC_PID=
}

record "$DIR/recording.wav"

"$HELPER" play "$CONTENT" "${SOUNDS[@]}" || fail "PulseSound did not play every sound"
stop_recording

"$HELPER" check "$DIR/recording.wav" "$CONTENT" "${SOUNDS[@]}" || fail "the recording does not hold every sound whole"

# Every start, in every situation: the recording is compared with the files
# sample for sample.
record "$DIR/scenario.wav"
"$HELPER" scenario "$CONTENT" "$DIR/plays.txt" || fail "PulseSound did not play the scenario"
stop_recording
"$HELPER" compare "$DIR/scenario.wav" "$CONTENT" "$DIR/plays.txt" || fail "a sound arrived without its start"
"$HELPER" reconnect "$CONTENT" 'wav\click.wav' 'wav\click.wav' || fail "an idle connection was not reopened for the next sound"

# The server goes away in the middle of a long sound.
kill "$KEEP_PID" 2>/dev/null
wait "$KEEP_PID" 2>/dev/null
KEEP_PID=
"$HELPER" survive "$CONTENT" 'wav\gong.wav' 'wav\gong.wav' &
SURVIVOR=$!
sleep 0.8
kill "$PA_PID"
wait "$PA_PID" 2>/dev/null
PA_PID=
for _ in $(seq 100); do
  kill -0 "$SURVIVOR" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$SURVIVOR" 2>/dev/null; then
  kill -9 "$SURVIVOR"
  fail "PulseSound hung when the sound server went away"
fi
wait "$SURVIVOR" || fail "PulseSound failed when the sound server went away"
echo "PASS"
