#!/usr/bin/env bash
# Quorvanta developer entry point.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite
# Both are idempotent: a second call only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libgl-dev libpcre2-dev
          fonts-noto-cjk xvfb xauth)
BUILD_DIR=${QUORVANTA_BUILD_DIR:-build}

usage() {
    echo "usage: $0 run|test" >&2
    exit 2
}

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Install them first with:" >&2
        echo "sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

[ $# -eq 1 ] || usage
case "$1" in
    run)
        install_missing
        build
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "No display found: starting under xvfb-run." >&2
            exec xvfb-run -a "$BUILD_DIR/quorvanta"
        fi
        exec "$BUILD_DIR/quorvanta"
        ;;
    test)
        install_missing
        build
        ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
        ;;
    *)
        usage
        ;;
esac
