#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop gets:
# the program, the desktop entry, the AppStream metadata, the icons, the
# manual page, the examples, the data files' type and their thumbnails.
#   check-installed-tree.sh BUILD VERSION
set -euo pipefail
build=$1
version=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The installed program and the validators keep what they write to
# themselves.
mkdir -m 700 "$stage/config" "$stage/runtime" "$stage/cache"
export XDG_CONFIG_HOME=$stage/config XDG_RUNTIME_DIR=$stage/runtime XDG_CACHE_HOME=$stage/cache
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

[[ -x $root/bin/quib ]] || fail "bin/quib missing"
desktop-file-validate "$root/share/applications/quib.desktop" || fail "desktop entry invalid"
metainfo=$root/share/metainfo/io.github.quib.Quib.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$stage/appstream.txt" 2>&1 ||
    fail "AppStream metadata invalid: $(cat "$stage/appstream.txt")"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "AppStream release is not $version"
grep -qx 'Exec=quib %f' "$root/share/applications/quib.desktop" || fail "Exec line"
grep -qF '<mediatype>application/x-quib-data</mediatype>' "$metainfo" || fail "AppStream lacks the type"

warnings=$(MANWIDTH=80 man --warnings -l "$root/share/man/man1/quib.1.gz" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "man page warnings: $warnings"
MANWIDTH=80 man -l "$root/share/man/man1/quib.1.gz" | grep -q 'last record' || fail "man page lacks the keys"

for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/quib.png
    [[ -f $icon ]] || fail "icon $size missing"
    [[ $(identify -format '%wx%h' "$icon") == "${size}x${size}" ]] || fail "icon $size has the wrong size"
done
identify "$root/share/icons/hicolor/scalable/apps/quib.svg" >/dev/null || fail "scalable icon unreadable"

[[ $("$root/bin/quib" --version) == "Quib $version" ]] || fail "--version"
zcat "$root/share/man/man1/quib.1.gz" | sed -n 1p | grep -qF "\"Quib $version\"" || fail "man page version"
example=$root/share/quib/examples/run-a.dat
[[ -f $example ]] || fail "examples missing"
"$root/bin/quib" --summary "$example" >"$stage/summary.txt" || fail "--summary failed"
first=$(sed -n 1p "$stage/summary.txt")
[[ $first == "Record nr 1 <"*">" ]] || fail "--summary printed '$first'"

# The desktop's own tools on the staged tree, as the Debian package's
# triggers run them on an installed one: the data files' type told by their
# content, whatever their name, with Quib's icon, and Quib's entry opening
# it. As on GNOME, xdg-mime asks GIO.
mkdir -m 700 "$stage/data"
export XDG_DATA_DIRS=$root/share:/usr/share XDG_DATA_HOME=$stage/data XDG_CURRENT_DESKTOP=GNOME
update-mime-database "$root/share/mime"
update-desktop-database "$root/share/applications"
files=$stage/files
mkdir "$files"
cp "$example" "$files/run-a"
printf 'DIM=32\n(1) 4 5 6\n' >"$files/dimension"
printf 'Counts\nCONV_SECTION\n(1) 4 5 6\n' >"$files/section"
printf 'Notes on run A\nall went well\n' >"$files/notes"
for expected in run-a dimension section notes:text/plain; do
    [[ $expected == *:* ]] || expected+=:application/x-quib-data
    told=$(xdg-mime query filetype "$files/${expected%%:*}")
    [[ $told == "${expected#*:}" ]] || fail "${expected%%:*} is of type '$told'"
done
[[ $(xdg-mime query default application/x-quib-data) == quib.desktop ]] ||
    fail "the type opens in '$(xdg-mime query default application/x-quib-data)'"
gio info -a standard::icon "$files/run-a" | grep -q 'standard::icon: quib,' || fail "no Quib icon"

# The thumbnailer as a file manager runs it: its Exec line with the output,
# size and input put in, the program found on PATH, no display, no runtime
# folder, and a home folder that it may not write (mounted read-only where a
# mount namespace can be had, else without write permission, which binds all
# but root). Qt makes its runtime folder under TMPDIR: the test's own.
thumbnailer=$root/share/thumbnailers/quib.thumbnailer
grep -qx 'MimeType=application/x-quib-data;' "$thumbnailer" || fail "thumbnailer's type"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
try_exec=$(sed -n 's/^TryExec=//p' "$thumbnailer")
home=$stage/home
mkdir "$stage/home" "$stage/tmp"
chmod a-w "$home"
read_only_home() {
    if unshare -rm true 2>/dev/null; then
        unshare -rm sh -c 'mount --bind -o ro "$1" "$1" && shift && exec "$@"' sh "$home" "$@"
    else
        "$@"
    fi
}
thumbnail() { # INPUT OUTPUT
    local command=${exec_line//"%i"/$1}
    command=${command//"%o"/$2}
    read_only_home env -i PATH="$root/bin:/usr/bin:/bin" HOME="$home" TMPDIR="$stage/tmp" \
        sh -c "command -v $try_exec >/dev/null && ${command//"%s"/256}" 2>"$stage/thumbnail.err" ||
        fail "thumbnailer failed: $(cat "$stage/thumbnail.err")"
    [[ ! -s $stage/thumbnail.err ]] || fail "thumbnailer said: $(cat "$stage/thumbnail.err")"
}
thumbnail "$files/run-a" "$stage/run-a.png"
[[ -z $(ls -A "$home") ]] || fail "thumbnailer wrote in the home folder: $(ls -A "$home")"
size=$(identify -format '%w %h' "$stage/run-a.png")
read -r width height <<<"$size"
((width <= 256 && height <= 256 && (width == 256 || height == 256))) || fail "thumbnail is $size"
# The first record's picture: that of the file cut after it, not that of the
# file from its second record on.
sed -n '1,/^(1) /p' "$files/run-a" >"$files/first"
sed '/^(1) /d' "$files/run-a" >"$files/later"
thumbnail "$files/first" "$stage/first.png"
thumbnail "$files/later" "$stage/later.png"
cmp -s "$stage/run-a.png" "$stage/first.png" || fail "the thumbnail is not the first record's"
! cmp -s "$stage/run-a.png" "$stage/later.png" || fail "the first two records drew alike"
echo "installed tree OK"
