#!/usr/bin/env bash
# Reads in a real X server (Xvfb): the window shows at once for a file that
# comes slowly through a pipe, with a bar of the bytes read and Cancel; that
# file is never lost to Reload; an import that cannot be read is told in a
# box that names it, from the command line and from File, Import; Print
# Preview with an import, its page kept for a person to look at. Boxes are
# read through AT-SPI, as a screen reader reads them.
#   reads_end_to_end.sh QUIB EXAMPLES SHOTS
# Run under dbus-run-session.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/accessible_session.sh"
cp "$examples/run-a.dat" "$examples/run-a-repeat.dat" "$work/"

# Answers the box that the program shows: its caption and text, then Return.
read_box() {
    reader box "$quib_pid" >"$work/box" || fail "no box was shown: $(cat "$work/box")"
    local box
    box=$(find_window "Quib") || fail "no window of the box captioned Quib"
    xdotool windowfocus --sync "$box"
    xdotool key Return
}

# A pipe that a writer fills slowly: the window is there before its first
# line, the bar and Cancel once the read has gone on for half a second. The
# writer holds the rest back until the bar has been seen.
mkfifo "$work/slow.dat" "$work/bar-seen"
(
    sed -n '1,3p' "$work/run-a.dat"
    read -r _ <"$work/bar-seen"
    sed -n '4,$p' "$work/run-a.dat"
) >"$work/slow.dat" &
pids+=("$!")
start_quib "$work/slow.dat"
size_window "Untitled - Quib" 1100 800
shot slow-pipe-empty
# The bar's text and the Cancel button darken the status bar's middle.
bar_shown() {
    shot slow-pipe
    bar_ink=$(dark_permille slow-pipe "500x24+$((win_x + 300))+$((win_y + win_h - 26))")
    ((bar_ink >= 20))
}
wait_until bar_shown || fail "no bar with Cancel while the pipe is read ($bar_ink per mille dark)"
echo "ok: the window shows at once for a slow pipe, with a bar and Cancel ($bar_ink per mille dark)"
echo seen >"$work/bar-seen"
wid=$(find_window "slow.dat - Quib") || fail "the pipe's records did not open"
picture_drawn() {
    shot pipe-read
    [[ $(dark_permille pipe-read "$((win_w - 40))x300+$((win_x + 20))+$((win_y + 80))") -ge 15 ]]
}
wait_until picture_drawn || fail "the pipe's records are not drawn"

# F5 on it: a box says why it cannot be read again, and the records stay.
key F5
read_box
grep -qxF "'$work/slow.dat' was read from a pipe: it cannot be read again." "$work/box" ||
    fail "Reload of a pipe told: $(cat "$work/box")"
key Right
wait_until shot_differs pipe-right pipe-read 100 || fail "after Reload of a pipe Right shows nothing new"
find_window "slow.dat - Quib" >/dev/null || fail "after Reload of a pipe the title changed"
echo "ok: Reload of a pipe says why it cannot read it again, and Right still steps through its records"
quit_quib

# An import that cannot be read, from the command line: a box names it, and
# the file opened is shown without it.
start_quib --import "$work/missing.dat" "$work/run-a.dat"
read_box
grep -qxF "Cannot open '$work/missing.dat': No such file or directory." "$work/box" ||
    fail "a missing import told: $(cat "$work/box")"
wid=$(find_window "run-a.dat - Quib") || fail "the file with a missing import did not open"
echo "ok: quib --import MISSING FILE names the missing import in a box"

# Through File, Import, whose dialog offers only files that are there: one
# whose compressed data is cut short.
gzip -c "$work/run-a-repeat.dat" | head -c 300 >"$work/cut.dat.gz"
key alt+f i
dialog=$(find_window "Open") || fail "File, Import opened no file dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$work/cut.dat.gz"
xdotool key Return
read_box
grep -qxF "Cannot open '$work/cut.dat.gz': the compressed data is cut short." "$work/box" ||
    fail "File, Import of a file cut short told: $(cat "$work/box")"
echo "ok: File, Import of a file that cannot be read names it in a box"

# Print Preview with an import: the page, for a person to look at.
key alt+f i
dialog=$(find_window "Open") || fail "File, Import opened no file dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$work/run-a-repeat.dat"
xdotool key Return
key alt+f v
preview=$(find_window "Print Preview") || fail "File, Print Preview opened no preview"
xdotool windowsize --sync "$preview" 1200 950
# Drawn once the screen no longer changes.
preview_still() {
    shot print-preview-before
    shot print-preview-import
    [[ $(differing print-preview-before print-preview-import) == 0 ]]
}
wait_until preview_still || fail "Print Preview never came to rest"
echo "ok: Print Preview with an import kept as $shots/print-preview-import.png"
