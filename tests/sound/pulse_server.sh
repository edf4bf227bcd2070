# Sourced by the sound tests: start_pulse_server DIR starts a private sound
# server with a null sink "oravians_test" in DIR (its own home: no session
# bus, no user configuration, works as root) and a silent stream that keeps
# the sink running, so its monitor records from the start. Exports
# PULSE_SERVER; sets PA_PID and KEEP_PID for the caller's clean-up.
# Needs a `fail` function.
start_pulse_server() {
  local dir=$1 tool
  for tool in pulseaudio parec pactl pacat; do
    command -v "$tool" >/dev/null 2>&1 \
      || fail "'$tool' is missing; install the Debian packages pulseaudio and pulseaudio-utils"
  done
  export HOME=$dir XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/config
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
  unset DBUS_SESSION_BUS_ADDRESS PULSE_SINK PULSE_SOURCE
  export PULSE_SERVER=unix:$dir/pulse.sock

  # The sink rewinds and re-renders when a stream starts, as a sound card's
  # sink does: that is where a player can lose the first milliseconds of a
  # sound, so the tests must hear it too.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=false --disallow-exit --use-pid-file=false \
    --disable-shm=yes --log-target=stderr --log-level=error \
    -L "module-null-sink sink_name=oravians_test rate=44100 channels=2" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse.sock" \
    >"$dir/pulseaudio.log" 2>&1 &
  PA_PID=$!

  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$PA_PID" 2>/dev/null || fail "the sound server did not start"
    sleep 0.1
  done
  pactl info >/dev/null 2>&1 || fail "the sound server does not answer"

  pacat --latency-msec=20 --raw --format=s16le --rate=44100 --channels=2 /dev/zero 2>/dev/null &
  KEEP_PID=$!
  for _ in $(seq 100); do
    [ "$(pactl list short sink-inputs 2>/dev/null | wc -l)" -ge 1 ] && break
    sleep 0.1
  done
}
