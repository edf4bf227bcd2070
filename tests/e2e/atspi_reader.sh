#!/usr/bin/env bash
# The program as a screen reader meets it: over a private session bus and
# accessibility bus, under a virtual display, the client walks from the
# title to the score window by the accessible tree and its actions alone.
#   atspi_reader.sh PROGRAM
source "$(dirname "$0")/xvfb.sh"
program=$1
here=$(cd "$(dirname "$0")" && pwd)

# One client stays connected throughout: the X server resets whenever its
# last client leaves, and the accessibility bus's launcher comes and goes
# before the program connects.
xprop -root -spy >/dev/null 2>&1 &
holder_pid=$!
until_true 30 xprop -root >/dev/null 2>&1 || fail "the X server did not answer"

# A session bus of our own: nothing of the desktop it runs on is touched.
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
bus_pid=$(head -n1 "$work/bus.pid")
launcher_pid=
cleanup_more() {
    kill "$holder_pid" 2>/dev/null || true
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null || true
    kill "$bus_pid" 2>/dev/null || true
}
# The accessibility bus, started now rather than when first asked for; its
# registry comes up with it.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/launcher.log" &
launcher_pid=$!
a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
until_true 60 a11y_bus_up || fail "the accessibility bus did not come up: $(cat "$work/launcher.log")"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

"$program" 2>"$work/program.log" &
program_pid=$!
until_true 60 windows_up 1 || { cat "$work/program.log" "$work/xvfb.log" >&2; fail "the program's window did not appear"; }
sleep 0.5

/usr/bin/python3 "$here/atspi_client.py" "The Oravians" || {
    sed -n 1,40p "$work/program.log" >&2
    fail "the screen reader's walk stopped"
}
echo "ok: a screen reader went from the title to the score"
