#!/usr/bin/env bash
# Builds Tarvil 32 and either starts it, runs every check, or makes its Debian package.
#   ./tarvil.sh run      install what is missing, build, start the program
#   ./tarvil.sh test     install what is missing, build, run all tests, the sanitizer build and
#                        a short fuzzing run
#   ./tarvil.sh package  install what is missing, build, make build/tarvil32_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
root=$PWD

# netbase gives the services file that service names are looked up in.
build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libsdl2-dev
                libgtest-dev fonts-dejavu-core netbase)
# git lists the files the format check reads; the install test validates the menu entry and the
# software-centre description with desktop-file-utils and appstream.
check_packages=(clang libclang-rt-14-dev clang-format iproute2 git desktop-file-utils appstream)
# dpkg-shlibdeps (dpkg-dev) reckons the package's dependencies from the binaries found by file.
package_packages=(dpkg-dev file)

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}

# sanitized_ctest DIR: the tests of a sanitizer build, stopping at the first finding.
sanitized_ctest() {
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        LSAN_OPTIONS=suppressions="$root/tools/lsan.supp" \
        ctest --test-dir "$1" --output-on-failure -j2
}

# The program's build, laid out for /usr as the package installs it: the private libraries in
# lib/<architecture>/tarvil32, where no library search path looks.
build_program() {
    configure_and_build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIL_TESTS=OFF \
        -DCMAKE_INSTALL_PREFIX=/usr
}

run_program() {
    install_missing "${build_packages[@]}"
    build_program
    # Saved messages get a stable home, as when the program is started from the menu.
    exec "$root/build/bin/tarvil32" --data-home "$@"
}

make_package() {
    install_missing "${build_packages[@]}" "${package_packages[@]}"
    build_program
    cd "$root/build"
    cpack -G DEB
}

run_checks() {
    install_missing "${build_packages[@]}" "${check_packages[@]}"

    echo "== Format"
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

    # Without Qt Widgets: the platform core, sockets, paging and settings with their tests, and
    # the fuzz targets of their decoders (which need the sanitizer build).
    echo "== The widget-free core alone, under the sanitizers"
    CC=clang CXX=clang++ configure_and_build "$root/build-core" -DCMAKE_BUILD_TYPE=Debug \
        -DTARVIL_WERROR=ON -DTARVIL_GUI=OFF -DTARVIL_SANITIZE=ON -DTARVIL_FUZZ=ON
    sanitized_ctest "$root/build-core"

    echo "== Build and tests"
    configure_and_build "$root/build-check" -DCMAKE_BUILD_TYPE=Debug -DTARVIL_WERROR=ON \
        -DTARVIL_HARDENED=ON
    ctest --test-dir "$root/build-check" --output-on-failure -j2

    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer, fuzz targets"
    CC=clang CXX=clang++ configure_and_build "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
        -DTARVIL_WERROR=ON -DTARVIL_SANITIZE=ON -DTARVIL_FUZZ=ON
    sanitized_ctest "$root/build-sanitize"

    echo "== Fuzzing"
    local fuzzer name fuzzed=0
    for fuzzer in "$root"/build-sanitize/fuzz/*_fuzzer; do
        [ -x "$fuzzer" ] || continue
        fuzzed=$((fuzzed + 1))
        name=$(basename "$fuzzer" _fuzzer)
        local corpus
        corpus=$(mktemp -d)
        [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$corpus/"
        echo "-- $name"
        "$fuzzer" -max_total_time="${TARVIL_FUZZ_SECONDS:-30}" -print_final_stats=0 "$corpus" \
            2>&1 | tail -n 3
        rm -rf "$corpus"
    done
    if [ "$fuzzed" -eq 0 ]; then
        echo "No fuzz targets were built." >&2
        return 1
    fi
    echo "All checks passed."
}

case "${1:-}" in
run) shift; run_program "$@" ;;
test) run_checks ;;
package) make_package ;;
*) echo "usage: $0 run|test|package" >&2; exit 2 ;;
esac
