#!/usr/bin/env bash
# Installs what Varnel needs on Debian 12, builds it, then either starts it
# ("run"), runs every test ("test") or builds the Debian package ("package").
#   bash scripts/varnel.sh run     install, build, start the program
#   bash scripts/varnel.sh test    install, build, run every test
#   bash scripts/varnel.sh package install, build, build/varnel_<version>_<arch>.deb
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

build_all() {
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
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

run_tests() {
    local tmp
    tmp=$(mktemp -d)
    # Tests never touch the real per-user settings or data.
    export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"
    export XDG_RUNTIME_DIR="$tmp/runtime"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=offscreen
    local status=0
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" || status=$?
    rm -rf "$tmp"
    return $status
}

install_packages
if [ "$mode" = fuzz ]; then
    run_fuzz "${2:-60}"
    exit
fi
build_all
case "$mode" in
    run) shift || true; run_program "$@" ;;
    test) run_tests ;;
    package) cpack --config "$build/CPackConfig.cmake" -B "$build" ;;
    *) echo "usage: $0 run|test|package|fuzz [SECONDS]" >&2; exit 2 ;;
esac
