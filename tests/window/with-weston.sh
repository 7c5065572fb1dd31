#!/usr/bin/env bash
# Runs a command as a Wayland client of its own headless Weston: the
# compositor's socket in a private runtime folder, Qt on its Wayland platform.
# Both keep their runtime files and settings in that folder.
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
mkdir -m 700 "$runtime/config"
export XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config
weston_pid=""
cleanup() {
    [[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
weston --backend=headless-backend.so --socket=quib --shell=kiosk-shell.so \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [[ -S $runtime/quib ]] && break
    sleep 0.1
done
if [[ ! -S $runtime/quib ]]; then
    echo "with-weston: Weston did not open its socket" >&2
    cat "$runtime/weston.log" >&2
    exit 1
fi
# Under the sanitizers: the Wayland and Mesa libraries keep no frame
# pointers, and their leaks are told apart by where they were made.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
    export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
fi
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$runtime/quib "$@"
