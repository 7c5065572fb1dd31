#!/usr/bin/env bash
# The overview and history panels in a real X server: opened from the view's
# context menu with the right button, a click a third of the way along the
# overview shows the record a third of the way through the file (its
# picture exactly as --export draws it), Right moves the panel's line and
# nothing else; screenshots with and without an import for a person to see.
#   end_to_end.sh QUIB EXAMPLES SHOTS
set -euo pipefail

source "$(dirname "$0")/../window/x_session.sh"

cp "$examples/run-a.dat" "$examples/run-a-repeat.dat" "$work/"
records=$(grep -c '^(' "$work/run-a.dat")

# The overview's cells in a screenshot, as "left right top bottom": the
# levels' frames are lines of (160, 160, 160) just outside them, the longest
# grey lines of the window.
cells_of() {
    convert "$shots/$1.png" -crop "${win_w}x${win_h}+$win_x+$win_y" +repage ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
magic, size, depth, pixels = data.split(b"\n", 3)
width, height = map(int, size.split())
lines = []
for y in range(height):
    row = pixels[y * width * 3:(y + 1) * width * 3]
    x = 0
    while x < width:
        if row[3 * x:3 * x + 3] != b"\xa0\xa0\xa0":
            x += 1
            continue
        end = x
        while end < width and row[3 * end:3 * end + 3] == b"\xa0\xa0\xa0":
            end += 1
        if end - x >= width // 2:
            lines.append((y, x, end - 1))
        x = end
if lines:
    print(lines[0][1] + 1, lines[0][2] - 1, lines[0][0] + 1, lines[-1][0] - 1)
'
}

# Record K's picture as --export draws it.
export_record() {
    [[ -s $work/record-$1.png ]] ||
        QT_QPA_PLATFORM=offscreen "$quib" --export "$work/record-$1.png" --record "$1" \
            "$work/run-a.dat" 2>>"$work/err"
}
# Pixels that differ between the top of the view in a shot (the summary
# line and the top node, which the panels never cover) and record K's.
top_differs_from() {
    export_record "$2"
    convert "$shots/$1.png" -crop "600x90+$win_x+$((win_y + view_dy))" +repage "$work/top.png"
    convert "$work/record-$2.png" -crop 600x90+0+0 +repage "$work/top-export.png"
    compare -metric AE "$work/top.png" "$work/top-export.png" null: 2>&1 | cut -d' ' -f1 || true
}
# The record the view shows, searched for near position K.
shown_near() {
    local k
    for k in $(seq $(($1 - 8)) $(($1 + 8))); do
        ((k >= 1 && k <= records)) || continue
        if [[ $(top_differs_from "$2" "$k") == 0 ]]; then echo "$k"; return 0; fi
    done
    echo none
}
# Opens the context menu at a point of the window and chooses its last
# entry (the panels' come last).
last_menu_entry() {
    shot "$3-before"
    xdotool mousemove --sync $((win_x + $1)) $((win_y + $2)) click 3
    wait_until shot_differs "$3" "$3-before" 200 || fail "the right button opened no menu"
    xdotool key --delay 80 Up Return
}
# The overview drawn in a screenshot taken now: its cells found.
overview_drawn() {
    shot "$1"
    cells_of "$1" | grep -q .
}

start_quib "$work/run-a.dat"
size_window "run-a.dat - Quib" 1100 900
# The view's top below the window's, found where the shot matches.
view_found() {
    shot panels-closed
    for view_dy in $(seq 20 120); do
        [[ $(top_differs_from panels-closed 1) == 0 ]] && return 0
    done
    return 1
}
wait_until view_found || fail "the window does not show the first record as --export draws it"
# Closed at start: above the status bar lies the view's white.
above_bar="$((win_w - 40))x40+$((win_x + 20))+$((win_y + win_h - 70))"
# Waited for: the window's lower part may not be painted yet at its new size.
closed_at_start() {
    shot panels-closed
    [[ $(dark_permille panels-closed "$above_bar") == 0 ]]
}
wait_until closed_at_start || fail "a panel shows at start"
echo "ok: the panels are closed at start"

# A blank part of the picture, between the diagrams' nodes.
last_menu_entry 760 150 panels-menu
wait_until overview_drawn panels-overview || fail "Show Overview opened no panel with cells"
[[ $(dark_permille panels-overview "$above_bar") -gt 0 ]] || fail "Show Overview opened no panel"
read -r left right top bottom <<<"$(cells_of panels-overview)" || fail "no overview's cells in sight"
echo "ok: Show Overview opens the overview below the view (cells $left to $right, $top to $bottom)"

# A third of the way along the cells.
xdotool mousemove --sync $((win_x + left + (right - left + 1) / 3)) $((win_y + (top + bottom) / 2)) click 1
third=$(((records + 2) / 3))
third_shown() {
    shot panels-third
    shown=$(shown_near "$third" panels-third)
    [[ $shown != none ]]
}
wait_until third_shown || fail "after the click the view shows no record near $third of $records"
echo "ok: a click a third of the way along shows record $shown of $records"

# Right: the next record, and in the panel only its line moves.
key Right
next_shown() {
    shot panels-right
    [[ $(top_differs_from panels-right $((shown + 1))) == 0 ]]
}
wait_until next_shown || fail "Right did not show record $((shown + 1))"
panel="$((right - left + 1))x$((bottom - top + 1))+$((win_x + left))+$((win_y + top))"
convert "$shots/panels-third.png" -crop "$panel" +repage "$work/panel-before.png"
convert "$shots/panels-right.png" -crop "$panel" +repage "$work/panel-after.png"
moved=$(compare -metric AE "$work/panel-before.png" "$work/panel-after.png" null: 2>&1 | cut -d' ' -f1 || true)
line=$((bottom - top + 1))
((moved >= line && moved <= 12 * line)) || fail "Right changed $moved pixels of the panel, not only its line"
echo "ok: Right shows record $((shown + 1)) and moves the panel's line alone ($moved pixels)"

# Resting on a cell tells what lies there.
xdotool mousemove --sync $((win_x + left + (right - left) / 2)) $((win_y + top + 5))
wait_until shot_differs panels-tooltip panels-right 300 || fail "resting on the overview showed no tooltip"
echo "ok: resting on the overview shows a tooltip"
key alt+f x
wait_until quib_ended || fail "File, Exit did not end the program"

# With an import: the difference, and the history of the node abcde.
start_quib --import "$work/run-a-repeat.dat" "$work/run-a.dat"
size_window "run-a.dat - Quib" 1100 900
last_menu_entry 760 150 panels-import-menu
wait_until overview_drawn panels-import || fail "no overview's cells with an import"
read -r left right top bottom <<<"$(cells_of panels-import)"
# The modes stand in a row above the cells: Primary, Imported, Difference.
xdotool mousemove --sync $((win_x + 180)) $((win_y + top - 20)) click 1
wait_until shot_differs panels-difference panels-import 2000 || fail "Difference changed nothing"
echo "ok: with an import the overview shows the difference"
# Node abcde: 3.5 inches right of the view's corner, two thirds of an inch down.
last_menu_entry 336 $((view_dy + 63)) panels-node-menu
wait_until shot_differs panels-history panels-difference 2000 || fail "Show History of abcde opened nothing"
# Had the menu's last entry been Show Overview, the overview would be gone.
cells_of panels-history | grep -q . || fail "the overview closed instead of the history opening"
echo "ok: Show History of abcde opens the node's history"
key alt+f x
