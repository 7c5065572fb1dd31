#!/usr/bin/env bash
# The lattice as a screen reader reads it: the program in a real X server
# (Xvfb) with Qt's AT-SPI bridge on, its view read through the desktop's
# accessibility bus by pyatspi, as Orca reads it, its keys real key presses
# (xdotool); the focus ring looked for in a screenshot and in an export.
#   accessible_end_to_end.sh QUIB EXAMPLES SHOTS
# Run under dbus-run-session.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/accessible_session.sh"
read_tree() {
    reader tree "$quib_pid" >"$work/tree" || fail "the view could not be read: $(cat "$work/tree")"
}
view_name() { sed -n 1p "$work/tree"; }
child_names() { sed '1d' "$work/tree" | cut -f1; }

# The node labels in node order, and the names a record's summary line
# gives its nodes, PREFIX before each ("imported ").
labels=({} a b c d e ab ac ad ae bc bd be cd ce de abc abd abe acd ace ade bcd bce bde cde
    abcd abce abde acde bcde abcde)
names_of() {
    local prefix=$1 line=$2 n=0 v
    line=${line#*<}
    for v in ${line%>}; do
        ((v < -31999)) && v=/
        echo "$prefix${labels[n]}: $v"
        n=$((n + 1))
    done
}

cp "$examples/run-a.dat" "$examples/run-a-repeat.dat" "$work/"
"$quib" --summary "$work/run-a.dat" >"$work/summary"
record_1=$(sed -n 1p "$work/summary")
record_2=$(sed -n 2p "$work/summary")

# The view on the first record: its name the summary line shown, a child
# per circle, named by its value, where the circle is on the screen.
start_quib "$work/run-a.dat"
wid=$(find_window "run-a.dat - Quib") || fail "no window titled 'run-a.dat - Quib'"
read_tree
[[ $(view_name) == "$record_1" ]] || fail "the view is named '$(view_name)', not '$record_1'"
diff <(names_of "" "$record_1") <(child_names) >"$work/diff" ||
    fail "the nodes of the first record are named otherwise: $(cat "$work/diff")"
IFS=, read -r x y w h < <(sed -n 2p "$work/tree" | cut -f2)
[[ $h =~ ^[0-9]+$ ]] && ((w >= 20 && w <= 40 && h >= 20 && h <= 40)) ||
    fail "node {} is at '$(sed -n 2p "$work/tree" | cut -f2)' on the screen"
shot first
ink=$(dark_permille first "${w}x$h+$x+$y")
[[ $ink -ge 60 ]] || fail "no circle where node {} is said to be ($x,$y): $ink per mille dark"
echo "ok: the view is named by its summary line; 32 nodes named by their values, each on its circle ({}: $ink per mille dark)"

# Tab puts the focus on a node, the first whose value changes; Right tells
# the next record's summary line and the node's new value.
focus=$(paste <(names_of "" "$record_1") <(names_of "" "$record_2") | awk -F'\t' '$1 != $2 { print NR - 1; exit }')
reader told "$quib_pid" "$wid" "$focus" Right >"$work/told" || fail "nothing was told: $(cat "$work/told")"
grep -qxF "view $record_2" "$work/told" || fail "Right did not tell the view's new name: $(cat "$work/told")"
node=$(names_of "" "$record_2" | sed -n "$((focus + 1))p")
grep -qxF "node $node" "$work/told" || fail "Right did not tell '$node' for the focused node: $(cat "$work/told")"
read_tree
[[ $(view_name) == "$record_2" ]] || fail "after Right the view is named '$(view_name)'"
diff <(names_of "" "$record_2") <(child_names) >"$work/diff" ||
    fail "after Right the nodes are named otherwise: $(cat "$work/diff")"
echo "ok: Right tells the next record and the focused node's value ($node), and its nodes read so"

# The ring is on the screen around the focused node, in no export.
shot ring
IFS=, read -r x y w h < <(sed -n "$((focus + 2))p" "$work/tree" | cut -f2)
ring_pixels() { convert "$1" -fx 'b - r > 0.3 ? 1 : 0' -format '%[fx:int(mean*w*h+0.5)]' info:; }
around() {
    convert "$shots/$1.png" -crop "$((w + 16))x$((h + 16))+$((x - 8))+$((y - 8))" +repage "$work/near.png"
    ring_pixels "$work/near.png"
}
before=$(around first)
after=$(around ring)
[[ $before == 0 && $after -ge 40 ]] ||
    fail "the ring: $before pixels around node $focus before Tab, $after after"
QT_QPA_PLATFORM=offscreen "$quib" --export "$shots/ring-export.png" --record 2 "$work/run-a.dat"
[[ $(ring_pixels "$shots/ring-export.png") == 0 ]] || fail "the export shows the ring"
echo "ok: the focus ring stands around node $focus on the screen ($after pixels), in no export"
# File, Exit: the view and its nodes' interfaces go with the window, while
# the bridge still holds them, and the program ends well.
quit_quib

# With an import the imported diagram's nodes follow the primary ones.
"$quib" --summary --import "$work/run-a-repeat.dat" "$work/run-a.dat" >"$work/paired"
primary=$(sed -n 1p "$work/paired")
imported=$(sed -n 2p "$work/paired")
start_quib --import "$work/run-a-repeat.dat" "$work/run-a.dat"
wid=$(find_window "run-a.dat - Quib") || fail "quib --import opened no window"
read_tree
[[ $(view_name) == "$primary; $imported" ]] || fail "with an import the view is named '$(view_name)'"
diff <(names_of "" "$primary" && names_of "imported " "$imported") <(child_names) >"$work/diff" ||
    fail "with an import the nodes are named otherwise: $(cat "$work/diff")"
echo "ok: with an import the view names both summary lines and has 64 nodes"

# A font 31 units high (23 points) moves the picture's top edge down: a
# right click on the centre of each of the 64 circles still finds its node
# and offers its history. At scale 3 both diagrams are on the screen.
xdotool windowsize --sync "$wid" 1200 950
key alt+o f
font=$(find_window "Select Font") || fail "Options, Font opened no font dialog"
xdotool windowfocus --sync "$font"
xdotool key --clearmodifiers alt+s ctrl+a
xdotool type --delay 30 23
xdotool key Return
key alt+o s
shot large-font
reader menus "$quib_pid" "$wid" >"$work/menus" || fail "the context menus: $(cat "$work/menus")"
[[ $(wc -l <"$work/menus") == 64 ]] || fail "context menus on $(wc -l <"$work/menus") of 64 nodes"
awk -F'\t' '{ sub(/^imported /, "", $1); if ($2 != "Show History of " $1) { print; bad = 1 } }
             END { exit bad }' "$work/menus" >"$work/wrong" ||
    fail "the menu on these nodes offers another history: $(cat "$work/wrong")"
echo "ok: with a 31-unit font and an import, the menu on each of the 64 circles offers its history"

# The Data menu between View and Help: what the context menu holds beyond
# the picture, each item named by its text and its keys told apart.
reader menu "$quib_pid" Data >"$work/data-menu" || fail "the Data menu: $(cat "$work/data-menu")"
printf '%s\t%s\n' "Find Records..." Ctrl+F "Find Next" F3 "Find Previous" Shift+F3 \
    "Highlight Differences" "" "Next Difference" "" "Previous Difference" "" Values "" \
    "Show Statistics" "" "Show Overview" "" "Show History of abcde" "" Reload F5 "Follow File" "" "Check File..." "" |
    diff - "$work/data-menu" >"$work/diff" || fail "the Data menu holds otherwise: $(cat "$work/diff")"
echo "ok: the Data menu holds the finds, the differences, the values, the panels and the file's commands, with their keys"
quit_quib
