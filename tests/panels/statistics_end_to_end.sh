#!/usr/bin/env bash
# The statistics panel in a real X server: run-a.dat with run-a-repeat.dat
# imported, a condition typed in the find bar, Show Statistics from the
# view's context menu opens on its matches; the panel's Copy, pressed
# through AT-SPI, puts its caption and figures on the clipboard, read by
# xclip and compared with quib --statistics; Right changes neither them nor
# the panel's pixels, a new condition changes both. Screenshots for a person
# to see.
#   statistics_end_to_end.sh QUIB EXAMPLES SHOTS
# Run under dbus-run-session.
set -euo pipefail

source "$(dirname "$0")/../window/x_session.sh"
source "$(dirname "$0")/../window/accessible_session.sh"

cp "$examples/run-a.dat" "$examples/run-a-repeat.dat" "$work/"
files=(--import "$work/run-a-repeat.dat" "$work/run-a.dat")
records=$(grep -c '^(' "$work/run-a.dat")

# The panel's text as Copy gives it, read by another program; the
# clipboard is emptied first, so that nothing older is taken for it.
clipboard_filled() { [[ $(xclip -selection clipboard -o 2>/dev/null) != - ]]; }
copied_text() {
    printf - | xclip -selection clipboard -i
    reader press "$quib_pid" Copy
    wait_until clipboard_filled || return 1
    xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null
}
# The clipboard holds a caption starting with $1.
caption_is() {
    copied_text >"$work/panel.txt" || return 1
    [[ $(sed -n 1p "$work/panel.txt") == "$1"* ]]
}
# Each node's mean in the panel's text is --statistics' for condition $1,
# to the one digit written; "-" where no value is present.
means_agree() {
    "$quib" --statistics --format csv --find "$1" "${files[@]}" >"$work/statistics.csv"
    python3 - "$work/statistics.csv" "$work/panel.txt" <<'PYEOF'
import csv, sys
expected = {row["node"]: row["mean"] for row in csv.DictReader(open(sys.argv[1], newline=""))
            if row["run"] == "primary"}
lines = open(sys.argv[2]).read().splitlines()[1:]
shown = dict(line.split(" ") for line in lines)
assert len(shown) == 32 and shown.keys() == expected.keys(), shown
for node, mean in expected.items():
    if mean == "":
        assert shown[node] == "-", (node, shown[node])
    else:
        assert abs(float(shown[node]) - float(mean)) <= 0.0505, (node, shown[node], mean)
PYEOF
}
# A condition typed into the find bar, which then closes.
find_with() {
    key ctrl+f
    key ctrl+a
    xdotool type --delay 30 "$1"
    key Return
    key Escape
}

start_quib "${files[@]}"
size_window "run-a.dat - Quib" 1260 900
condition='minimal(ab)'
matches=$("$quib" --find "$condition" "${files[@]}" | wc -l)
find_with "$condition"
shot statistics-closed
# Show Statistics, second from the end of the menu on no node.
xdotool mousemove --sync $((win_x + 8)) $((win_y + 200)) click 3
wait_until shot_differs statistics-menu statistics-closed 200 || fail "the right button opened no menu"
xdotool key --delay 80 Up Up Return
caption="Mean over $matches of $records records: $condition"
wait_until caption_is "$caption" || fail "the panel's caption is '$(sed -n 1p "$work/panel.txt")', not '$caption'"
means_agree "$condition" || fail "the panel's means are not those of --statistics"
shot statistics-matches
echo "ok: Show Statistics opens on the $matches matches of '$condition', their means as --statistics gives them"

# The panel: right of the view, above the status bar.
panel="400x500+$((win_x + win_w - 420))+$((win_y + 150))"
convert "$shots/statistics-matches.png" -crop "$panel" +repage "$work/panel-before.png"
before=$(cat "$work/panel.txt")
key Right
stepped() {
    shot statistics-right
    [[ $(differing statistics-matches statistics-right) -gt 100 ]]
}
wait_until stepped || fail "Right changed nothing on the screen"
convert "$shots/statistics-right.png" -crop "$panel" +repage "$work/panel-after.png"
moved=$(compare -metric AE "$work/panel-before.png" "$work/panel-after.png" null: 2>&1 | cut -d' ' -f1 || true)
[[ $moved == 0 ]] || fail "Right changed $moved pixels of the statistics panel"
[[ $(copied_text) == "$before" ]] || fail "Right changed the panel's figures"
echo "ok: Right shows the next record and leaves the panel as it was"

condition='differs'
matches=$("$quib" --find "$condition" "${files[@]}" | wc -l)
find_with "$condition"
caption="Mean over $matches of $records records: $condition"
wait_until caption_is "$caption" || fail "after a new condition the caption is '$(sed -n 1p "$work/panel.txt")'"
means_agree "$condition" || fail "the panel's means are not those of --statistics for '$condition'"
shot statistics-new-condition
[[ $(differing statistics-right statistics-new-condition) -gt 100 ]] ||
    fail "the new condition changed nothing on the screen"
echo "ok: a new condition, '$condition', is followed: $matches matches, their means"
quit_quib
