#!/usr/bin/env bash
# Installs what Varnel needs on Debian 12, builds it, then either starts it
# ("run"), runs every test ("test"), runs them under the sanitizers
# ("sanitize") or builds the Debian package ("package").
#   bash scripts/varnel.sh run     install, build, start the program
#   bash scripts/varnel.sh test    install, build, run every test
#   bash scripts/varnel.sh package install, build, build/varnel_<version>_<arch>.deb
#   bash scripts/varnel.sh sanitize [--offscreen]
#                                  install, build into build-sanitize with
#                                  AddressSanitizer and UBSan, run every test
#                                  (--offscreen: all but the live DC's)
#   bash scripts/varnel.sh fuzz [SECONDS]  build the fuzz targets with clang into
#                                  build-fuzz and run each SECONDS (60) on its seeds
set -euo pipefail

mode=${1:-run}
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VARNEL_BUILD_DIR:-$top/build}

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libsqlite3-dev
    xvfb xauth x11-apps imagemagick
    # The package, its icons and desktop files, and the screenshots' window manager.
    dpkg-dev file librsvg2-bin desktop-file-utils appstream man-db openbox
    # The Samba back end (client libraries) and the live test DC of the tests.
    samba-dev smbclient samba samba-ad-dc samba-ad-provision samba-dsdb-modules
    samba-vfs-modules winbind ldb-tools krb5-user iproute2
    # The fuzz targets: clang with libFuzzer and the sanitizers' runtime.
    clang libclang-rt-14-dev
    # LDAP on AD DCs: libldap, Cyrus SASL's GSSAPI plugin, MIT Kerberos.
    libldap2-dev libsasl2-dev libsasl2-modules-gssapi-mit libkrb5-dev ldap-utils
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    as_root apt-get update -q
    # Installing the Samba server must not start its services on this machine.
    local no_services=""
    if [ ! -e /usr/sbin/policy-rc.d ]; then
        printf '#!/bin/sh\nexit 101\n' | as_root tee /usr/sbin/policy-rc.d >/dev/null
        as_root chmod 755 /usr/sbin/policy-rc.d
        no_services=yes
    fi
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 \
        install -y -q --no-install-recommends "${missing[@]}"
    [ -z "$no_services" ] || as_root rm -f /usr/sbin/policy-rc.d
}

build_all() { # [more cmake arguments]
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$build" -j"$(nproc)"
}

run_program() {
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        exec "$build/varnel" "${@}"
    fi
    echo "No display: starting Varnel under xvfb-run." >&2
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/varnel" "${@}"
}

# Every target of fuzz/ for that many seconds on a scratch copy of its seeds
# (the committed corpus does not grow); fails when any target finds a fault,
# whose input is kept in build-fuzz/crashes.
run_fuzz() {
    local seconds=$1 fuzz_build=${VARNEL_FUZZ_BUILD_DIR:-$top/build-fuzz} scratch status=0
    CC=clang CXX=clang++ cmake -S "$top" -B "$fuzz_build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$fuzz_build" -j"$(nproc)" --target varnel_fuzz_targets
    scratch=$(mktemp -d)
    mkdir -p "$fuzz_build/crashes"
    for seeds in "$top"/fuzz/corpus/*/; do
        local name
        name=$(basename "$seeds")
        mkdir -p "$scratch/$name"
        cp "$seeds"* "$scratch/$name/"
        if "$fuzz_build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$fuzz_build/crashes/$name-" \
            "$scratch/$name" >"$scratch/$name.log" 2>&1; then
            echo "fuzz_$name: $(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$scratch/$name.log" \
                | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+'),"\
                "$(grep -oE 'number_of_executed_units: [0-9]+' "$scratch/$name.log")"
        else
            status=1
            tail -n 40 "$scratch/$name.log"
            echo "fuzz_$name: FAILED (inputs in $fuzz_build/crashes)" >&2
        fi
    done
    rm -rf "$scratch"
    return $status
}

run_tests() { # [more ctest arguments]
    local tmp
    tmp=$(mktemp -d)
    # Tests never touch the real per-user settings or data.
    export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"
    export XDG_RUNTIME_DIR="$tmp/runtime"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=offscreen
    local status=0
    [ -z "${sanitizer_logs:-}" ] || sanitizer_environment "$tmp/sanitizer"
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@" || status=$?
    [ -z "${sanitizer_logs:-}" ] || show_sanitizer_reports "$tmp/sanitizer" || status=1
    rm -rf "$tmp"
    return $status
}

# Every report of the sanitizers goes to a file of its own (one per process,
# children of the tests included), so that none is lost in a test's output or
# hidden by a test that only checks a child's exit status.
sanitizer_environment() { # folder of the reports
    mkdir -p "$1"
    local common="halt_on_error=1:print_stacktrace=1:log_path=$1/report"
    export ASAN_OPTIONS="$common:detect_leaks=1:strict_string_checks=1"
    export ASAN_OPTIONS="$ASAN_OPTIONS:detect_stack_use_after_return=1"
    export ASAN_OPTIONS="$ASAN_OPTIONS:check_initialization_order=1:$sanitizer_extra"
    export UBSAN_OPTIONS="$common"
    export LSAN_OPTIONS="suppressions=$top/scripts/sanitizer/lsan.supp:print_suppressions=0"
}

show_sanitizer_reports() { # folder of the reports
    local reports=("$1"/report.*)
    [ -e "${reports[0]}" ] || { echo "Sanitizers: no report."; return 0; }
    echo "Sanitizers: ${#reports[@]} report(s):" >&2
    for r in "${reports[@]}"; do
        echo "==== ${r##*/}" >&2
        cat "$r" >&2
    done
    return 1
}

# The sanitized build: its own folder, at -O0 (instrumented code builds fastest
# that way; the checks lose nothing). --offscreen leaves out the live DC.
run_sanitized() { # [--offscreen]
    build=${VARNEL_SANITIZE_BUILD_DIR:-$top/build-sanitize}
    sanitizer_logs=yes
    local live=(-UVARNEL_LIVE_DC_TESTS) select=()
    # The Samba libraries keep no frame pointers: full stacks for every
    # allocation, so that a leak report shows whose call it came from.
    sanitizer_extra=fast_unwind_on_malloc=0
    if [ "${1:-}" = "--offscreen" ]; then
        live=(-DVARNEL_LIVE_DC_TESTS=OFF)
        select=(-LE samba)
        sanitizer_extra=fast_unwind_on_malloc=1
    elif [ -n "${1:-}" ]; then
        echo "usage: $0 sanitize [--offscreen]" >&2
        exit 2
    fi
    build_all -DVARNEL_SANITIZERS=ON -DCMAKE_BUILD_TYPE=Debug \
        "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g1" "-DCMAKE_C_FLAGS_DEBUG=-O0 -g1" "${live[@]}"
    run_tests "${select[@]}"
}

install_packages
if [ "$mode" = fuzz ]; then
    run_fuzz "${2:-60}"
    exit
fi
case "$mode" in
    run) build_all; shift || true; run_program "$@" ;;
    test) build_all; run_tests ;;
    sanitize) shift; run_sanitized "$@" ;;
    package) build_all; cpack --config "$build/CPackConfig.cmake" -B "$build" ;;
    *) echo "usage: $0 run|test|sanitize|package|fuzz [SECONDS]" >&2; exit 2 ;;
esac
