#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop gets:
# the program, the desktop entry, the AppStream metadata, the icons, the
# manual page, the examples.
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
! grep -q '^MimeType=' "$root/share/applications/quib.desktop" || fail "claims a MIME type"

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
echo "installed tree OK"
