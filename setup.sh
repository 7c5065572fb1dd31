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
    clang libclang-rt-14-dev
    xvfb xauth xdotool xclip imagemagick x11-apps poppler-utils
    pipewire pipewire-pulse wireplumber pulseaudio-utils dbus-daemon sox
    weston qt6-wayland
    desktop-file-utils appstream man-db librsvg2-bin fonts-dejavu-core fonts-dejavu-extra
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

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

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
# included) and UndefinedBehaviorSanitizer: any report fails its test.
echo "setup: building the sanitizer tree in build-sanitize"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIB_SANITIZE=ON >/dev/null
cmake --build build-sanitize --parallel "$(nproc)"

status=0
echo "setup: the tests"
(cd build && ctest --output-on-failure --parallel "$(nproc)") || status=1
echo "setup: the tests under AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize)"
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$(pwd)/tests/sanitize/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure --parallel "$(nproc)") || status=1
exit $status
