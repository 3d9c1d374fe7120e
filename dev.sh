#!/usr/bin/env bash
# Quorvanta developer entry point.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite
#   ./dev.sh sanitize  the suite again in build-sanitize/, with AddressSanitizer and UBSan
#   ./dev.sh package   build, then the Debian package in build/package/
#   ./dev.sh bench     build and run the bench (bench/); prints one table of timings
#   ./dev.sh fuzz [seconds]  libFuzzer binaries in build-fuzz/, each run for the seconds (60)
# Both are idempotent: a second call only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libgl-dev libpcre2-dev
          fonts-noto-cjk xvfb xauth)
# lupdate and lrelease for translations/ (CMake's LinguistTools); Qt's own Chinese texts.
PACKAGES+=(qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
# The installed-tree test validates with these; CPack's Depends come from dpkg-shlibdeps.
PACKAGES+=(desktop-file-utils appstream dpkg-dev)
# ./dev.sh fuzz builds with Debian's clang; libFuzzer comes with its runtime package.
PACKAGES+=(clang libclang-rt-14-dev)
BUILD_DIR=${QUORVANTA_BUILD_DIR:-build}

usage() {
    echo "usage: $0 run|test|sanitize|package|bench|fuzz [seconds]" >&2
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

# A separate tree: instrumented objects never mix with the normal build.
sanitize() {
    local dir=${QUORVANTA_SANITIZE_BUILD_DIR:-build-sanitize}
    local flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
              -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    fi
    cmake --build "$dir" --parallel "$(nproc)"
    local supp
    supp="$(pwd)/tests/sanitizer"
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1" \
    LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp" \
        ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)"
}

# libFuzzer needs clang; instrumented for coverage, ASan and UBSan, in a tree of its own.
fuzz() {
    local seconds=$1
    local dir=${QUORVANTA_FUZZ_BUILD_DIR:-build-fuzz}
    [[ $seconds =~ ^[0-9]+$ ]] || usage
    local flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
    flags+=" -fno-sanitize-recover=undefined"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUORVANTA_FUZZING=ON \
              -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
              -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    fi
    cmake --build "$dir" --target quorvanta_fuzzers --parallel "$(nproc)"
    tests/fuzz/run-fuzzers.sh "$dir" "$seconds"
}

[ $# -eq 1 ] || { [ "${1:-}" = fuzz ] && [ $# -eq 2 ]; } || usage
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
    sanitize)
        install_missing
        sanitize
        ;;
    package)
        install_missing
        build
        cpack --config "$BUILD_DIR/CPackConfig.cmake"
        ;;
    bench)
        install_missing
        if [ ! -f "$BUILD_DIR/build.ninja" ]; then
            cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
        fi
        cmake --build "$BUILD_DIR" --target quorvanta_bench --parallel "$(nproc)"
        "$BUILD_DIR/bench/quorvanta_bench" ${QUORVANTA_BENCH_ARGS:-}
        ;;
    fuzz)
        install_missing
        fuzz "${2:-60}"
        ;;
    *)
        usage
        ;;
esac
