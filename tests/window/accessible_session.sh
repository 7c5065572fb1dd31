# Sourced after x_session.sh by the tests that read the program through
# AT-SPI, run under dbus-run-session: the session bus, and with it the
# accessibility bus, is the test's own. Defines reader (accessible_tree.py)
# and quit_quib through it, and sets here (this folder).

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[[ -n ${DBUS_SESSION_BUS_ADDRESS:-} ]] || fail "no session bus of its own: run under dbus-run-session"
# The accessibility bus that the session bus starts keeps its socket in the
# test's runtime folder and serves the test's display; Qt's bridge only
# waits for it, so it is started here, as a desktop session does.
dbus-update-activation-environment XDG_RUNTIME_DIR XDG_CONFIG_HOME DISPLAY
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null || fail "the accessibility bus does not start"
# It goes before the display does.
pids+=("$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus | awk '{ print $2 }')")
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

reader() { timeout 180 /usr/bin/python3 "$here/accessible_tree.py" "$@"; }

# File, Exit chosen through AT-SPI, as a screen reader's user does, not with
# keys: Qt's bridge keeps a copy of each key event until the registry
# answers, and a key pressed as the program ends is never freed (the leak
# check reports it).
quit_quib() {
    reader choose "$quib_pid" File Exit || fail "File, Exit could not be chosen"
    ends_well
}
