#!/usr/bin/env bash
# The program in a real X server (Xvfb), driven by real key presses and mouse
# moves (xdotool), looked at through screenshots (ImageMagick).
#   end_to_end.sh QUIB EXAMPLES SHOTS
# QUIB is the program, EXAMPLES the folder of bundled data files, SHOTS the
# folder that keeps the screenshots for a person to look at.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"

# A file that cannot be opened: no main window, the reason and status 1.
# Started as from a launcher (standard error is not a terminal), the reason
# is shown in a box captioned "Quib" as well.
missing=$work/missing.dat
start_quib "$missing"
box=$(find_window "Quib") || fail "missing file: no message box captioned 'Quib'"
shot missing-file-box
xdotool windowfocus --sync "$box"
xdotool key Return
status=0
wait "$quib_pid" || status=$?
[[ $status -eq 1 ]] || fail "missing file: status $status, expected 1"
grep -qx "quib: cannot open '$missing': No such file or directory" "$work/err" ||
    fail "missing file: stderr was: $(cat "$work/err")"
[[ -z $(xdotool search --name ' - Quib$' 2>/dev/null || true) ]] || fail "missing file: a main window appeared"
if [[ -e $settings ]] && grep -q missing "$settings"; then fail "a missing file went to the recent files"; fi
echo "ok: a missing file gives no main window, a box captioned Quib, and status 1"
# From a terminal the line alone tells it: no box waits for a click.
status=0
timeout 20 script -qec "$quib $missing" /dev/null >"$work/tty" 2>&1 || status=$?
[[ $status -eq 1 ]] || fail "missing file from a terminal: status $status, expected 1"
grep -q "quib: cannot open '$missing': No such file or directory" "$work/tty" ||
    fail "missing file from a terminal: it printed $(cat "$work/tty")"
echo "ok: from a terminal a missing file is told on standard error alone"

# The window on an example, found by its title, with the picture drawn.
cp "$examples/run-a.dat" "$work/run-a.dat"
start_quib "$work/run-a.dat"
size_window "run-a.dat - Quib" 1100 800
shot window
# The lattice: lines, circles and numbers, well beyond a line of text.
ink=$(dark_permille window "$((win_w - 40))x$((win_h - 120))+$((win_x + 20))+$((win_y + 80))")
[[ $ink -ge 15 ]] || fail "the picture is missing: $ink per mille dark"
echo "ok: window 'run-a.dat - Quib' shows the picture ($ink per mille dark)"
grep -q "File1=.*run-a.dat" "$settings" || fail "run-a.dat is not in the recent files"

# The view commands, by key and by toolbar button: after each one the view
# shows exactly the picture that --export draws of the expected record.
# The view's place in the window is found once, on the first record.
export_record() {
    [[ -s $work/record-$1.png ]] ||
        QT_QPA_PLATFORM=offscreen "$quib" --export "$work/record-$1.png" --record "$1" \
            "$work/run-a.dat" 2>>"$work/err"
}
# Pixels that differ between the view at (dx, dy) in a screenshot and
# record K's picture.
view_differs_from() {
    local shot=$1 k=$2 dx=$3 dy=$4 size
    export_record "$k"
    size=$(identify -format '%wx%h' "$work/record-$k.png")
    convert "$shots/$shot.png" -crop "$size+$((win_x + dx))+$((win_y + dy))" +repage png:- |
        compare -metric AE - "$work/record-$k.png" null: 2>&1 | cut -d' ' -f1 || true
}
view_dy=""
for dy in $(seq 20 120); do
    if [[ $(view_differs_from window 1 0 "$dy") == 0 ]]; then view_dy=$dy; break; fi
done
[[ -n $view_dy ]] || fail "the window does not show the first record as --export draws it"
# The view in a screenshot taken now is record K.
record_now() {
    shot "$1"
    [[ $(view_differs_from "$1" "$2" 0 "$view_dy") == 0 ]]
}
shows_record() {
    local shot=$1 k=$2 other=$3 same different
    wait_until record_now "$shot" "$k" || true
    same=$(view_differs_from "$shot" "$k" 0 "$view_dy")
    different=$(view_differs_from "$shot" "$other" 0 "$view_dy")
    [[ $same == 0 ]] || fail "$shot: the view is not record $k ($same pixels differ)"
    [[ $different -gt 100 ]] || fail "$shot: record $other looks the same as record $k"
}
last=$(grep -c '^(' "$work/run-a.dat")
step=0
expect_record() {
    step=$((step + 1))
    shot "command-$step"
    shows_record "command-$step" "$1" "$2"
    echo "ok: $3 shows record $1"
}
expect_record 1 2 "the start"
key Right
expect_record 2 1 "Right"
key Right
expect_record 3 2 "Right again"
key Left
expect_record 2 3 "Left"
key Up
expect_record "$last" 1 "Up (Last)"
key Down
expect_record 1 "$last" "Down (First)"
# Goto: the box offers the position plus one, selected, so typing replaces it.
goto_record() {
    key ctrl+g
    goto=$(find_window "Record Number Selection Dialog") || fail "Ctrl+G opened no record number dialog"
    xdotool windowfocus --sync "$goto"
    xdotool type --delay 50 "$1"
    xdotool key Return
    wait_until window_gone "Record Number Selection Dialog" || fail "the record number dialog stayed"
}
goto_record 17
expect_record 17 1 "Ctrl+G, 17, Return"
click() {
    xdotool mousemove --sync $((win_x + $1)) $((win_y + 33)) click 1
}
click 220
expect_record "$last" 17 "the Last button"
click 171
expect_record $((last - 1)) "$last" "the Previous button"
click 146
expect_record 1 2 "the First button"
click 195
expect_record 2 1 "the Next button"
xdotool mousemove --sync $((win_x + 600)) $((win_y + 400))

# Each menu opens: File by its mnemonic, the others to its right.
key alt+f
wait_until shot_differs menu-1 window 500 || fail "the File menu did not open"
for m in 2 3 4 5 6; do
    key Right
    wait_until shot_differs "menu-$m" "menu-$((m - 1))" 200 || fail "menu $m did not open"
done
key Escape Escape
echo "ok: all six menus open"

# Caps Lock lights its pane in the status bar.
# Without --clearmodifiers: that would switch the lock straight back.
shot caps-off
xdotool windowfocus --sync "$wid"
xdotool key Caps_Lock
caps_lit() {
    shot caps-on
    [[ $(bar_differing caps-off caps-on) -gt 20 ]]
}
wait_until caps_lit || fail "Caps Lock changed nothing in the status bar"
xdotool key Caps_Lock
lit=$(bar_differing caps-off caps-on)
echo "ok: Caps Lock lights its pane ($lit pixels)"

# The toolbar, dragged by its gripper, docks at the left edge: its buttons
# then stand where the view's white left margin was.
strip="28x160+$win_x+$((win_y + 80))"
before=$(dark_permille window "$strip")
xdotool mousemove --sync $((win_x + 7)) $((win_y + 32))
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync $((win_x + 7)) $((win_y + 32 + step * 40))
done
xdotool mousemove --sync $((win_x + 3)) $((win_y + 360))
xdotool mouseup 1
docked_left() {
    shot toolbar-left
    after=$(dark_permille toolbar-left "$strip")
    [[ $after -gt $((before + 20)) ]]
}
wait_until docked_left || fail "the toolbar did not dock at the left edge ($before -> $after)"
echo "ok: the toolbar docks at the left edge"

# File, Exit ends the program; a second start lists the file among the
# recent ones again.
key alt+f x
wait_until quib_ended || fail "File, Exit did not end the program"
start_quib
wid=$(find_window "Untitled - Quib") || fail "no window titled 'Untitled - Quib'"
geometry_of "$wid"
# Drawn: the menu bar's titles are on the screen.
painted() {
    shot empty
    [[ $(dark_permille empty "300x20+$win_x+$win_y") -gt 0 ]]
}
wait_until painted || fail "the window on the second start was not drawn"
key alt+f
wait_until shot_differs recent empty 500 || fail "the File menu did not open on the second start"
key Escape
# The recent entry opens the file as File Open does.
key alt+f 1
find_window "run-a.dat - Quib" >/dev/null || fail "the recent-file entry did not open run-a.dat"
echo "ok: the recent file survives a second start and opens"

# Two runs side by side, imported through File, Import: run-a-repeat lacks
# every 17th record. At scale 3 both diagrams fit the window; beside record
# 17 the imported diagram is all "/", beside 18 it is record 18's own, each
# exactly as --export draws them (whose text the export tests read back).
resize_window 1100 800
cp "$examples/run-a-repeat.dat" "$work/run-a-repeat.dat"
key alt+f i
dialog=$(find_window "Open") || fail "File, Import opened no file dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$work/run-a-repeat.dat"
xdotool key Return
wait_until window_gone "Open" || fail "the file dialog stayed"
key alt+o s
pair_scale=3
export_paired() {
    [[ -s $work/paired-$pair_scale-$1.png ]] ||
        QT_QPA_PLATFORM=offscreen "$quib" --export "$work/paired-$pair_scale-$1.png" --record "$1" \
            --scale "$pair_scale" --import "$work/run-a-repeat.dat" "$work/run-a.dat" 2>>"$work/err"
}
# The summary line of a record without partner runs past the window's
# right edge: the part of the picture that the view shows is compared.
# Pixels that differ between the view in screenshot $3 and record $1's
# export, over the part of it the view shows ($4 by $5 at most).
pair_differs_from() {
    local width height
    width=$(identify -format '%w' "$work/paired-$pair_scale-$1.png")
    height=$(identify -format '%h' "$work/paired-$pair_scale-$1.png")
    ((width > ${4:-$win_w})) && width=${4:-$win_w}
    ((height > ${5:-$height})) && height=${5:-$height}
    area="$width""x$height"
    convert "$shots/$3.png" -crop "$area+$win_x+$((win_y + view_dy))" +repage "$work/view.png"
    convert "$work/paired-$pair_scale-$1.png" -crop "$area+0+0" +repage "$work/export.png"
    compare -metric AE "$work/view.png" "$work/export.png" null: 2>&1 | cut -d' ' -f1 || true
}
pair_now() {
    shot "$3"
    [[ $(pair_differs_from "$@") == 0 ]]
}
shows_pair() {
    local same other
    export_paired "$1"
    export_paired "$2"
    wait_until pair_now "$1" "$3" "$3" "${4:-}" "${5:-}" || true
    same=$(pair_differs_from "$1" "$3" "$3" "${4:-}" "${5:-}")
    other=$(pair_differs_from "$2" "$3" "$3" "${4:-}" "${5:-}")
    [[ $same == 0 ]] || fail "$3: the view is not record $1 beside its partner ($same pixels differ)"
    [[ $other -gt 100 ]] || fail "$3: record $2 looks the same as record $1"
}
goto_record 17
shot paired-17
shows_pair 17 18 paired-17
key Right
shot paired-18
shows_pair 18 17 paired-18
echo "ok: record 17 stands beside '/', record 18 beside its own partner"

# The Navigate menu, for a person to read its labels.
key alt+n
wait_until shot_differs navigate-menu paired-18 200 || fail "the Navigate menu did not open"
key Escape Escape
key alt+f x
wait_until quib_ended || fail "File, Exit did not end the program"

# Two runs from the command line: the window opens wide enough for both
# diagrams at scale 4 and shows them paired.
start_quib --import "$work/run-a-repeat.dat" "$work/run-a.dat"
wid=$(find_window "run-a.dat - Quib") || fail "quib --import B A opened no window"
pair_scale=4
export_paired 1
# The window grows once both files are read.
wide_enough() {
    geometry_of "$wid"
    [[ $win_w -ge $(identify -format '%w' "$work/paired-4-1.png") ]]
}
wait_until wide_enough || fail "the window opened $win_w pixels wide, too narrow for the picture"
shows_pair 1 2 both
echo "ok: quib --import B A opens a window wide enough for both diagrams, paired"

# Copy Picture from the context menu, the clipboard read by another program
# while Quib runs: the picture as --export draws it, its SVG and its text.
# Without --sync: where the pointer already is, xdotool waits for a move that
# never comes (15 s each time). The server takes the move before the click.
menu_item() {
    xdotool mousemove $((win_x + 300)) $((win_y + 300)) click 3
    wait_until shot_differs "$1" both 200 || fail "the right button opened no menu"
    xdotool key --delay 80 "${@:2}" Return
}
menu_item context-menu Down
copied() {
    targets=$(xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
    grep -qx image/png <<<"$targets"
}
wait_until copied || fail "Copy Picture put nothing on the clipboard"
for target in image/png image/svg+xml UTF8_STRING; do
    grep -qx "$target" <<<"$targets" || fail "the clipboard lacks $target: $targets"
done
xclip -selection clipboard -o -t image/png >"$work/clip.png"
[[ $(compare -metric AE "$work/clip.png" "$work/paired-4-1.png" null: 2>&1 | cut -d' ' -f1) == 0 ]] ||
    fail "the copied picture is not the one --export draws"
xclip -selection clipboard -o -t UTF8_STRING >"$work/clip.txt"
[[ $(sed -n 1p "$work/clip.txt") == "Record nr 1 <"*">" ]] || fail "the copied text: $(cat "$work/clip.txt")"
echo "ok: Copy Picture puts PNG, SVG and text on the clipboard; xclip reads the picture --export draws"

# Export Picture...: a name typed in the save dialog, the file as --export
# writes it.
menu_item context-menu-2 Down Down Down
save=$(find_window "Save As") || fail "Export Picture opened no save dialog"
xdotool windowfocus --sync "$save"
xdotool key ctrl+a
xdotool type --delay 20 "$work/exported.png"
xdotool key Return
wait_until test -s "$work/exported.png" || fail "Export Picture wrote nothing"
[[ $(compare -metric AE "$work/exported.png" "$work/paired-4-1.png" null: 2>&1 | cut -d' ' -f1) == 0 ]] ||
    fail "Export Picture did not write what --export writes"
echo "ok: Export Picture writes the picture --export writes"

# A smaller window: scroll bars, the view's top-left still the picture's,
# and Right still steps to the next record.
resize_window 640 480
key Right
shot scrolled
[[ $win_w -lt $(identify -format '%w' "$work/paired-4-1.png") ]] || fail "the window did not shrink"
shows_pair 2 1 scrolled $((win_w - 30)) $((win_h - view_dy - 60))
echo "ok: in a window smaller than the picture its top-left part shows; Right steps to record 2"

# Highlight Differences from the context menu on record 77, whose repeat
# differs in three nodes: the picture that --export --differences draws;
# then a node's tooltip.
resize_window 1280 900
goto_record 77
shot wide
menu_item differences-menu Down Down Down Down
shot differences
[[ -s $work/differences-77.png ]] ||
    QT_QPA_PLATFORM=offscreen "$quib" --export "$work/differences-77.png" --record 77 --differences \
        --import "$work/run-a-repeat.dat" "$work/run-a.dat" 2>>"$work/err"
cp "$work/differences-77.png" "$work/paired-4-9077.png"
shows_pair 9077 77 differences
echo "ok: Highlight Differences shows what --export --differences draws"
# Node abd of the first diagram: 1.28 inch right, 2.25 inch down.
xdotool mousemove --sync $((win_x + 123)) $((win_y + view_dy + 216))
wait_until shot_differs tooltip differences 300 || fail "resting on a node showed no tooltip"
echo "ok: resting on a node shows its tooltip"
key alt+f x
wait_until quib_ended || fail "File, Exit did not end the program"

# The find bar: Ctrl+F, a condition, Enter shows the first record after the
# one shown that matches, exactly as --export draws it; Enter and Shift+F3
# step on and back, Next Difference passes over record 68 (no partner) to 77,
# the first that differs; a
# malformed condition tells why in red and moves nothing; Escape gives the
# arrow keys back to the view.
start_quib --import "$work/run-a-repeat.dat" "$work/run-a.dat"
size_window "run-a.dat - Quib" 1280 1000
# The mouse rests on the status bar, where no tooltip covers the picture.
rest_mouse() { xdotool mousemove --sync $((win_x + 600)) $((win_y + win_h - 8)); }
rest_mouse
condition='minimal(ab) or differs'
matches=($("$quib" --find "$condition" --import "$work/run-a-repeat.dat" "$work/run-a.dat" | cut -d' ' -f1 || true))
((${#matches[@]} > 2)) && [[ ${matches[0]} != 1 ]] || fail "--find '$condition' found ${matches[*]}"
find_bar="$win_w""x40+$win_x+$((win_y + win_h - 65))"
# Pixels of the bar in the error's red.
red_pixels() {
    convert "$shots/$1.png" -crop "$find_bar" +repage -fuzz 25% -fill white +opaque '#b00020' \
        -fill black -opaque '#b00020' -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}
key ctrl+f
xdotool type --delay 30 "$condition"
# The bar, and its count once the matches are found: no red.
counted() {
    shot find-count
    [[ $(differing both find-count) -gt 200 && $(red_pixels find-count) == 0 ]]
}
wait_until counted || fail "Ctrl+F showed no find bar, or the condition as an error"
key Return
shot find-first
shows_pair "${matches[0]}" 1 find-first
key Return
shot find-second
shows_pair "${matches[1]}" "${matches[0]}" find-second
key shift+F3
shot find-back
shows_pair "${matches[0]}" "${matches[1]}" find-back
echo "ok: Ctrl+F, '$condition', Enter shows record ${matches[0]}; Enter ${matches[1]}; Shift+F3 ${matches[0]} again"
key Escape
goto_record 60
menu_item find-menu Down Down Down Down Down Down Down
rest_mouse
shot next-difference
shows_pair 77 68 next-difference
echo "ok: Next Difference from record 60 passes over 68, which has no partner, to 77"
key ctrl+f
xdotool type --delay 30 'ab > abf'
key Return
told_error() {
    shot find-error
    [[ $(red_pixels find-error) -gt 50 ]]
}
wait_until told_error || fail "a malformed condition showed no message"
shows_pair 77 68 find-error
echo "ok: a malformed condition tells why and moves nothing"
key Escape
key Right
shot find-closed
shows_pair 78 77 find-closed
echo "ok: Escape closes the find bar, and Right steps to record 78"
key alt+f x
