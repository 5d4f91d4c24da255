#!/usr/bin/env bash
# Installs what Varnel needs on Debian 12, builds it, then either starts it
# ("run"), runs every test ("test") or builds the Debian package ("package").
#   bash scripts/varnel.sh run     install, build, start the program
#   bash scripts/varnel.sh test    install, build, run every test
#   bash scripts/varnel.sh package install, build, build/varnel_<version>_<arch>.deb
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
build_all
case "$mode" in
    run) shift || true; run_program "$@" ;;
    test) run_tests ;;
    package) cpack --config "$build/CPackConfig.cmake" -B "$build" ;;
    *) echo "usage: $0 run|test|package" >&2; exit 2 ;;
esac
