#!/usr/bin/env bash
# Sets up Quib on Debian 12 and runs it or its tests:
#   ./setup.sh run    install what is missing, build, show the viewer on an example
#   ./setup.sh test   install what is missing, build, run every test
set -euo pipefail

cd "$(dirname "$0")"
mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: ./setup.sh run|test" >&2
    exit 2
fi

packages=(
    cmake ninja-build g++ pkgconf
    qt6-base-dev qt6-svg-dev libgl-dev libx11-dev libpulse-dev dpkg-dev
    zlib1g-dev liblzma-dev libzstd-dev xz-utils zstd
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format git
    xvfb xauth xdotool xclip imagemagick x11-apps poppler-utils
    pipewire pipewire-pulse wireplumber pulseaudio-utils dbus-daemon sox
    at-spi2-core python3-pyatspi dbus-bin
    weston qt6-wayland
    desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin
    man-db librsvg2-bin fonts-dejavu-core fonts-dejavu-extra
    python3 python3-pandas
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo=sudo
    echo "setup: installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The trees and their flags are those of CMakePresets.json.
cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)"

if [[ $mode == run ]]; then
    if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
        # No display to show the window on: the picture it would show.
        build/app/quib --export build/run-a.png examples/run-a.dat
        echo "setup: no display; the picture of examples/run-a.dat is $(pwd)/build/run-a.png"
        exit 0
    fi
    exec build/app/quib examples/run-a.dat
fi

# The same program and tests once more under AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer: any report fails its test. The
# fuzz targets in a tree of their own, built with clang.
echo "setup: building the sanitizer tree in build-sanitize"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --parallel "$(nproc)"
echo "setup: building the fuzz targets in build-fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)"

# Each tree's tests; none may change the user's own settings (every process
# a test starts has settings of its own).
status=0
run_tests() {
    tests/gates/keeps-settings.sh ctest --preset "$1" --parallel "$(nproc)" || status=1
}
echo "setup: the tests (build)"
run_tests default
echo "setup: the tests under AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize)"
run_tests sanitize
echo "setup: short runs of the fuzz targets and their regression inputs (build-fuzz)"
run_tests fuzz
exit $status
