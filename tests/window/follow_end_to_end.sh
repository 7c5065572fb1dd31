#!/usr/bin/env bash
# Follow File in a real X server (Xvfb): a writer appends a thousand records
# a second to the open file while the view stands on the last one; the
# view's name, read through AT-SPI as a screen reader reads it, tells which
# record it shows, and the screenshot shows it as --export draws it. Prints
# the lag from each write to the window showing its records, and the
# processor time used while the followed file does not change.
#   follow_end_to_end.sh QUIB EXAMPLES SHOTS
# Run under dbus-run-session.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/accessible_session.sh"

# A change is shown within a second, the median write's at least; the
# slowest may take this long on a busy machine or in a sanitizer's build.
lag_limit=${QUIB_FOLLOW_LAG_LIMIT:-3}
rate=1000
first=1000
appended=5000
last=$((first + appended))
append() { /usr/bin/python3 "$here/append_records.py" "$data" "$@"; }

# A run's header, and its first records, with no end line yet.
data=$work/growing.dat
head -3 "$examples/run-a.dat" >"$data"
append 1 "$first" 1000000 >/dev/null
start_quib "$data"
size_window "growing.dat - Quib" 1100 800
shot follow-off

# Follow File, fourth from the context menu's end where no node is under the
# pointer (Follow File, Check File..., Show Statistics, Show Overview); its
# pane then shows.
xdotool mousemove --sync $((win_x + 8)) $((win_y + 200)) click 3
wait_until shot_differs follow-menu follow-off 200 || fail "the right button opened no menu"
xdotool key --delay 80 Up Up Up Up Return
pane_shown() {
    shot follow-on
    pane=$(bar_differing follow-off follow-on)
    [[ $pane -gt 100 ]]
}
wait_until pane_shown || fail "Follow File showed no pane in the status bar"
key End
reader shown "$quib_pid" "$first" 60 >"$work/shown" || fail "End did not show record $first"
echo "ok: Follow File is on ($pane pixels in the status bar), End shows record $first"

# Nothing changes: the processor time of every thread of the program, and
# how often its main thread woke, in clock ticks over ten seconds.
ticks() { sed 's/.*) //' "/proc/$quib_pid/stat" | awk '{ print $12 + $13 }'; }
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$quib_pid/task/$quib_pid/status"; }
# The first look at the file over: for half a second the program used no
# processor time.
idle() {
    local before
    before=$(ticks)
    sleep 0.5
    [[ $(ticks) == "$before" ]]
}
wait_until idle || fail "the program never came to rest"
ticks_before=$(ticks) wakeups_before=$(wakeups)
# The measure itself: ten seconds of a file that does not change.
sleep 10
idle_ticks=$(($(ticks) - ticks_before)) idle_wakeups=$(($(wakeups) - wakeups_before))
echo "ok: following an unchanged file for 10 s: $idle_ticks ticks of $(getconf CLK_TCK) a second," \
    "$idle_wakeups wakeups of the main thread"
# A poll twice a second would wake it twenty times.
((idle_ticks <= 5 && idle_wakeups < 10)) ||
    fail "following an unchanged file used $idle_ticks ticks and woke $idle_wakeups times in 10 s"

# The writer at work; the view's record number read all the while.
reader shown "$quib_pid" "$last" 120 >"$work/shown" &
watcher=$!
pids+=("$watcher")
wait_until test -s "$work/shown" || fail "the view could not be read"
append $((first + 1)) "$appended" "$rate" >"$work/written" &
writer=$!
pids+=("$writer")
# Halfway through the writing (ten records a write), for a person to look at.
half_written() { [[ $(wc -l <"$work/written") -ge $((appended / 20)) ]]; }
wait_until half_written || true
shot follow-running
wait "$writer" || fail "the writer failed"
wait "$watcher" || fail "the view did not reach record $last: $(tail -1 "$work/shown")"
# For each write, the time until the view showed its last record or a later
# one.
lags=$(awk 'FNR == NR { if ($1 != "box") { t[++n] = $1; k[n] = $2 } next }
    { while (i < n && k[i + 1] < $2) i++; lag = t[i + 1] - $1; print (lag > 0 ? lag : 0) }' \
    "$work/shown" "$work/written" | sort -n)
writes=$(wc -l <<<"$lags")
median=$(sed -n "$(((writes + 1) / 2))p" <<<"$lags")
slowest=$(tail -1 <<<"$lags")
echo "ok: $writes writes of $((rate / 100)) records, each shown after $median s at the median, $slowest s at most"
awk -v lag="$median" 'BEGIN { exit !(lag <= 1) }' ||
    fail "the median write took $median s to show, more than a second"
awk -v lag="$slowest" -v limit="$lag_limit" 'BEGIN { exit !(lag <= limit) }' ||
    fail "a write took $slowest s to show, more than $lag_limit s"

# The screen: the last record, as --export draws it, where the view is.
IFS=, read -r view_x view_y _ < <(sed -n 's/^box //p' "$work/shown")
QT_QPA_PLATFORM=offscreen "$quib" --export "$work/last.png" --record "$last" "$data" 2>>"$work/err"
size=$(identify -format '%wx%h' "$work/last.png")
last_shown() {
    shot follow-last
    convert "$shots/follow-last.png" -crop "$size+$view_x+$view_y" +repage "$work/view.png"
    differ=$(compare -metric AE "$work/view.png" "$work/last.png" null: 2>&1 | cut -d' ' -f1 || true)
    [[ $differ == 0 ]]
}
wait_until last_shown || fail "the window does not show record $last as --export draws it ($differ pixels differ)"
echo "ok: the screenshot shows record $last as --export draws it"

# File, Exit ends the program well.
quit_quib
