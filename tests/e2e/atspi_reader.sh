#!/usr/bin/env bash
# The program as a screen reader meets it: over a private session bus and
# accessibility bus, under a virtual display, the client walks from the
# title to the score window by the accessible tree and its actions alone.
#   atspi_reader.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
program=$1
here=$(cd "$(dirname "$0")" && pwd)

# A session bus of our own: nothing of the desktop it runs on is touched.
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
bus_pid=$(head -n1 "$work/bus.pid")
launcher_pid=
cleanup_more() {
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null || true
    kill "$bus_pid" 2>/dev/null || true
}
# The accessibility bus, started now rather than when first asked for; its
# registry comes up with it.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/launcher.log" &
launcher_pid=$!
export NO_AT_BRIDGE=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

"$program" 2>"$work/program.log" &
program_pid=$!
wait_for_window

/usr/bin/python3 "$here/atspi_client.py" "The Oravians" || {
    sed -n 1,40p "$work/program.log" >&2
    fail "the screen reader's walk stopped"
}
echo "ok: a screen reader went from the title to the score"
