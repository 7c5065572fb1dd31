#!/usr/bin/env bash
# Runs a command beside a private sound server whose default output is a null
# sink, so that what is played can be recorded from the sink's monitor.
# Meant to run under dbus-run-session. Exports QUIB_TONE_MONITOR. The server,
# its session manager and the command keep their runtime files, settings and
# state in a private folder, never the user's.
set -euo pipefail
runtime=$(mktemp -d)
mkdir -m 700 "$runtime/config" "$runtime/state"
export XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config XDG_STATE_HOME=$runtime/state
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

fail() {
    echo "with-null-sink: $1" >&2
    tail -n 20 "$runtime"/*.log >&2 || true
    exit 1
}

# Under load the server may take seconds to open its socket, and a client
# started before that gives up at once: start each only when it can connect.
pipewire >"$runtime/pipewire.log" 2>&1 & pids+=($!)
for _ in $(seq 300); do
    [[ -S $runtime/pipewire-0 ]] && break
    sleep 0.1
done
[[ -S $runtime/pipewire-0 ]] || fail "pipewire did not open its socket"
wireplumber >"$runtime/wireplumber.log" 2>&1 & pids+=($!)
pulse=""
for _ in $(seq 300); do
    if [[ -z $pulse ]] || ! kill -0 "$pulse" 2>/dev/null; then
        pipewire-pulse >>"$runtime/pipewire-pulse.log" 2>&1 & pulse=$!
        pids+=("$pulse")
    fi
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || fail "pipewire-pulse did not answer"
pactl load-module module-null-sink sink_name=quib_capture >/dev/null
pactl set-default-sink quib_capture
for _ in $(seq 50); do
    pactl list short sources 2>/dev/null | grep -q quib_capture.monitor && break
    sleep 0.1
done
export QUIB_TONE_MONITOR=quib_capture.monitor
"$@"
