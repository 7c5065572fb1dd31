# Sourced by the tests that run the program in a real X server (Xvfb): a
# folder of the test's own with private XDG_RUNTIME_DIR and XDG_CONFIG_HOME,
# a display of its own, everything started stopped and removed at the end.
# Defines fail, wait_until, find_window, window_gone, start_quib, quib_ended,
# quit_quib, ends_well, key, shot, differing, shot_differs, bar_differing,
# dark_permille, geometry_of, size_window and resize_window, and sets
# settings (the program's settings file). Takes the caller's arguments
# QUIB EXAMPLES SHOTS as quib (the program), examples (the bundled data
# files) and shots (the folder for screenshots); for key, the caller sets wid
# (the window that gets the keys).

quib=$1
examples=$2
shots=$3
mkdir -p "$shots"

work=$(mktemp -d)
xvfb=""
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -s $work/err ]] && sed 's/^/quib: /' "$work/err" >&2
    exit 1
}

mkdir -m 700 "$work/runtime" "$work/config"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
settings="$XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Quib.conf"

# A display of our own: the server picks a free number and tells it, so
# that no other server running at the same time is taken for ours; it does
# not reset when its last client goes, or the next start could find it away.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
[[ -s $work/display ]] || fail "no X server could be started"
DISPLAY=:$(tr -d '[:space:]' <"$work/display")
export DISPLAY

# Runs the command until it succeeds, for half a minute at most: the state
# it checks is waited for, however busy the machine is. False where it never
# came.
wait_until() {
    local _
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Waits for a window of exactly that title; prints its id.
find_window() {
    local title=$1 id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[.]/\\./g')\$" 2>/dev/null | head -1 || true)
        if [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Whether no window of exactly that title is shown.
window_gone() {
    [[ -z $(xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[.]/\\./g')\$" 2>/dev/null || true) ]]
}

shot() { import -window root "$shots/$1.png"; }

# Pixels that differ between two screenshots.
differing() { compare -metric AE "$shots/$1.png" "$shots/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }

# A screenshot NAME taken now differs from OTHER in more than LIMIT pixels:
# for wait_until, while something is to come on the screen.
shot_differs() {
    shot "$1"
    [[ $(differing "$2" "$1") -gt $3 ]]
}

# Pixels that differ between two screenshots in the window's status bar, as
# geometry_of last found the window.
bar_differing() {
    local bar="$win_w""x30+$win_x+$((win_y + win_h - 30))"
    convert "$shots/$1.png" -crop "$bar" +repage "$work/bar-$1.png"
    convert "$shots/$2.png" -crop "$bar" +repage "$work/bar-$2.png"
    compare -metric AE "$work/bar-$1.png" "$work/bar-$2.png" null: 2>&1 | cut -d' ' -f1 || true
}

# The share of dark pixels in a part of a screenshot, in per mille.
dark_permille() {
    convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -threshold 50% -negate \
        -format '%[fx:int(mean*1000)]' info:
}

# Whether the program started last has ended.
quib_ended() { ! kill -0 "$quib_pid" 2>/dev/null; }

start_quib() {
    "$quib" "$@" >"$work/out" 2>"$work/err" &
    quib_pid=$!
    pids+=("$quib_pid")
}

# File, Exit in the window wid: the program ends, and ends well.
quit_quib() {
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers alt+f x
    ends_well
}

# The program started last ends within a minute, with status 0.
ends_well() {
    local status=0
    timeout 60 tail --pid="$quib_pid" -f /dev/null || fail "File, Exit did not end the program"
    wait "$quib_pid" || status=$?
    [[ $status == 0 ]] || fail "the program ended with status $status"
}

geometry_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}

# Gives the window wid that width and height, waits until it has them, and
# sets its geometry.
has_size() {
    geometry_of "$wid"
    [[ $win_w == "$1" && $win_h == "$2" ]]
}
resize_window() {
    xdotool windowsize --sync "$wid" "$1" "$2"
    wait_until has_size "$1" "$2" || fail "the window did not take the size $1x$2"
}

# Waits for the window of that title, gives it that width and height, and
# sets wid and its geometry.
size_window() {
    wid=$(find_window "$1") || fail "no window titled '$1'"
    resize_window "$2" "$3"
}

# Keys for the window wid; what they bring is waited for where it is checked.
key() {
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers "$@"
}
