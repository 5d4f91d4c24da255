#!/usr/bin/env bash
# Varnel's Samba back end against `net rpc user` on one live DC with at least
# 2,000 users (started here on its own test host unless DIR already holds one).
# Prints: the windowless listing against `net rpc user` (median of RUNS whole
# processes each, and their ratio), NetUserGetInfo level 3 per call on a warm
# connection, and the cost of the first call of a process.
#   bash scripts/samba-benchmark.sh [BUILD_DIR] [DC_DIR] [RUNS]
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
dcdir=${2:-$build/samba-benchmark-dc}
runs=${3:-7}
dc="$top/scripts/samba-dc.sh"

started=""
if [ ! -f "$dcdir/dc.env" ]; then
    bash "$dc" start "$dcdir" --users 2100
    started=yes
fi
cleanup() { [ -z "$started" ] || bash "$dc" stop "$dcdir"; }
trap cleanup EXIT

# Everything below runs on the tests' host, where the DC is another machine.
bash "$dc" exec "$dcdir" -- bash -s "$build" "$runs" <<'EOF'
set -euo pipefail
build=$1 runs=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VARNEL_DIRECTORY=samba QT_QPA_PLATFORM=none XDG_DATA_HOME="$work/data"

now() { date +%s%N; }
# Median wall time of a command over $runs runs, in milliseconds.
median_ms() {
    local times=() t0 t1 i
    for i in $(seq "$runs"); do
        t0=$(now)
        "$@" >/dev/null 2>&1
        t1=$(now)
        times+=($(( (t1 - t0) / 1000000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

list_varnel() {
    "$build/varnel" "/DOMAIN=$VARNEL_DC_DOMAIN" /TYPE=0 /CRITERIA=*
}
list_net() {
    net -s "$VARNEL_SMB_CONF" rpc user -S "$VARNEL_DC_NAME" -A "$VARNEL_AUTHFILE"
}

users=$(list_net | wc -l)
list_varnel
listed=$(find "$build" "$work" -name "$VARNEL_DC_DOMAIN%.tmp" 2>/dev/null | head -1)
echo "DC $VARNEL_DC_NAME, domain $VARNEL_DC_DOMAIN: net rpc user lists $users users," \
     "Varnel's listing wrote $(wc -l <"$listed") lines"
rm -f "$listed"
varnel_ms=$(median_ms list_varnel)
net_ms=$(median_ms list_net)
echo "windowless listing (varnel /TYPE=0 /CRITERIA=*): $varnel_ms ms (median of $runs)"
echo "net rpc user:                                    $net_ms ms (median of $runs)"
awk -v a="$varnel_ms" -v b="$net_ms" 'BEGIN {
    printf "ratio Varnel / net rpc user: %.2f (goal <= 1.0, acceptable <= 1.2)\n", a / b }'
"$build/platform/netapi/samba/varnel-samba-benchmark" "$VARNEL_DC_DOMAIN" Administrator 300
find "$build" "$work" -name "$VARNEL_DC_DOMAIN%.tmp" -delete 2>/dev/null || true
EOF
