#!/usr/bin/env bash
# Varnel's Samba back end beside `net rpc user` and `samba-tool` on a DC that
# is DELAY_MS (default 10) away each way, and on the plain path, in one run.
# The kernel here has no netem, so the DC is started behind a router
# namespace (samba-dc.sh --router) whose forwarded packets all pass a
# userspace delayer on a TUN device (varnel-packet-delayer): DNS, Kerberos,
# CLDAP, LDAP, SMB, the endpoint mapper and the RPC ports alike.
#
# For each path, op and tool: the median of RUNS whole processes (tools
# alternating run by run), its ratio to `net rpc user` and to `samba-tool`,
# and what the delayer counted for it: packets both ways, TCP connections, and
# exchanges (per flow, each request sent after the DC last answered: the round
# trips a process waits for, when its flows do not overlap). Ops: the
# windowless listing of all users, one user's properties (NetUserGetInfo level
# 3 / `net rpc user info` / `samba-tool user show`), one add-user (the account
# is deleted again, untimed). Needs root; provisions its own DC (~1-2 min).
#   bash scripts/samba-latency-benchmark.sh [BUILD_DIR] [RUNS] [DELAY_MS] [USERS]
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${2:-9}
delay=${3:-10}
users=${4:-2100}
dc="$top/scripts/samba-dc.sh"
tools="$build/platform/netapi/samba"
die() { echo "samba-latency-benchmark: $*" >&2; exit 1; }

for program in "$build/varnel" "$tools/varnel-samba-call" "$tools/varnel-packet-delayer"; do
    [ -x "$program" ] || die "$program is missing: build the project first"
done
work=$(mktemp -d)
delayer=""
cleanup() {
    [ -z "$delayer" ] || kill "$delayer" 2>/dev/null || true
    bash "$dc" stop "$work/dc" || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

bash "$dc" start "$work/dc" --users "$users" --router
# shellcheck disable=SC1091
. "$work/dc/dc.env"
router=$VARNEL_DC_NS_ROUTER
# The DC, the delayer and the measured processes get the CPU before other
# work on the machine, which would otherwise add its own noise to the figures.
renice -n -20 -p $(ip netns pids "$VARNEL_DC_NS_DC") >/dev/null
# Real-time priority: on a busy machine a delayer that waits for the CPU
# would add its own, uneven, delay to every packet.
ip netns exec "$router" chrt -f 10 "$tools/varnel-packet-delayer" delay0 "$delay" \
    "$VARNEL_DC_ADDRESS" "$work/counts" &
delayer=$!
sleep 0.5
kill -0 "$delayer" 2>/dev/null || die "the packet delayer did not start"
umask 077
sed -n 's/^password = //p' "$VARNEL_AUTHFILE" >"$work/password"
umask 022

# The measurement, on the tests' host: "measure PATH" appends one line per
# process to $work/results: path op tool run ms packets connections exchanges.
measure() {
    nice -n -20 bash "$dc" exec "$work/dc" -- \
        bash -s "$build" "$runs" "$1" "$work" "$delayer" <<'EOF'
set -euo pipefail
build=$1 runs=$2 path=$3 work=$4 delayer=$5
export VARNEL_DIRECTORY=samba QT_QPA_PLATFORM=none XDG_DATA_HOME="$work/data"
call="$build/platform/netapi/samba/varnel-samba-call"
ldap="ldap://${VARNEL_DC_NAME,,}.${VARNEL_DC_REALM,,}"
net_options=(-s "$VARNEL_SMB_CONF" -S "$VARNEL_DC_NAME" -A "$VARNEL_AUTHFILE")
admin="$VARNEL_DC_DOMAIN\\Administrator"
# samba-tool reads the password from descriptor 3, never from its arguments
# (only samba-tool gets PASSWD_FD: net and Varnel's Samba library read it too).
samba_tool() { PASSWD_FD=3 samba-tool "$@" -H "$ldap" -U "$admin" 3<"$work/password"; }

varnel_list() { "$build/varnel" "/DOMAIN=$VARNEL_DC_DOMAIN" /TYPE=0 /CRITERIA=*; }
net_list() { net rpc user "${net_options[@]}"; }
samba_tool_list() { samba_tool user list; }
varnel_info() { "$call" info "$VARNEL_DC_DOMAIN" Administrator; }
net_info() { net rpc user info Administrator "${net_options[@]}"; }
samba_tool_info() { samba_tool user show Administrator; }
varnel_add() { "$call" add "$VARNEL_DC_DOMAIN" "$1"; }
net_add() { net rpc user add "$1" "${net_options[@]}"; }
samba_tool_add() { samba_tool user add "$1" --random-password; }

# The delayer's counts since the last call, and zero again.
counts() {
    rm -f "$work/counts"
    kill -USR1 "$delayer"
    until [ -f "$work/counts" ]; do sleep 0.01; done
}
# The packets a process sent by service, and its exchanges by flow.
describe() {
    local services flows
    services=$(sed -n 's/^service //p' "$work/counts" | paste -sd, | sed 's/,/, /g')
    flows=$(sed -n 's/^flow \([^ ]*\) .* \([0-9]*\)$/\1 \2/p' "$work/counts" |
        paste -sd, | sed 's/,/, /g')
    echo "  $1: packets $services"
    echo "  $1: exchanges $flows"
}
count() { awk -v k="$1" '$1 == k { v = $2 } END { print v + 0 }' "$work/counts"; }

for run in $(seq "$runs"); do
    for op in list info add; do
        for tool in varnel net samba_tool; do
            name="lat${tool:0:1}${path:0:1}$run"
            sleep 0.1
            counts
            t0=$(date +%s%N)
            "${tool}_$op" "$name" >"$work/out" 2>&1 ||
                { cat "$work/out" >&2; echo "$tool $op failed" >&2; exit 1; }
            t1=$(date +%s%N)
            sleep 0.1 # the last packets still on their way
            counts
            [ "$op" != add ] || net rpc user delete "$name" "${net_options[@]}" >/dev/null
            packets=$(( $(count packets-to-server) + $(count packets-from-server) ))
            echo "$path $op $tool $run $(( (t1 - t0) / 1000000 )) $packets" \
                 "$(count tcp-connections) $(count exchanges)" >>"$work/results"
            [ "$run" != 1 ] || [ "$path" != delayed ] || describe "$op $tool"
        done
    done
done
find "$build" "$work" -name "$VARNEL_DC_DOMAIN%.tmp" -delete 2>/dev/null || true
EOF
}

# Connect time to the DC's port 445 (one round trip), min and median of 20.
rtt() {
    nice -n -20 bash "$dc" exec "$work/dc" -- /usr/bin/python3 - <<'EOF'
import os, socket, statistics, time
times = []
for _ in range(20):
    t0 = time.perf_counter()
    socket.create_connection((os.environ["VARNEL_DC_ADDRESS"], 445), timeout=5).close()
    times.append((time.perf_counter() - t0) * 1000)
    time.sleep(0.02)
print("%.1f %.1f" % (min(times), statistics.median(times)))
EOF
}

delayed_packets() {
    rm -f "$work/counts"
    kill -USR1 "$delayer"
    until [ -f "$work/counts" ]; do sleep 0.01; done
    awk '$1 == "packets-to-server" { v = $2 } END { print v + 0 }' "$work/counts"
}

# Every packet of the delayed path goes through the delayer, none of the plain
# one does; the connect time shows the delay is there (and only there).
check_path() { # path
    delayed_packets >/dev/null
    read -r fastest median < <(rtt)
    local seen
    seen=$(delayed_packets)
    echo "$1 path: round trip to the DC ${fastest} ms fastest, ${median} ms median;" \
         "the delayer carried $seen packets of the 20 connects"
    if [ "$1" = delayed ]; then
        awk -v f="$fastest" -v d="$delay" 'BEGIN { exit !(f >= 2 * d - 1 && f <= 2 * d + 5) }' ||
            die "the round trip is not ~$((2 * delay)) ms"
        [ "$seen" -ge 40 ] || die "packets bypass the delayer"
    else
        awk -v f="$fastest" 'BEGIN { exit !(f < 2) }' || die "the plain path is slow"
        [ "$seen" -eq 0 ] || die "the plain path passes the delayer"
    fi
}

ip -n "$router" rule del pref 100 2>/dev/null || true
check_path plain
echo "measuring the plain path ($runs runs)..."
measure plain
ip -n "$router" rule add not iif delay0 lookup 100 pref 100
check_path delayed
echo "measuring through the delayer, $delay ms each way ($runs runs); what the first run's"
echo "processes sent to the DC, by service, and their exchanges, by flow:"
measure delayed

# Medians per path, op and tool; ratios to net and samba-tool of the same path.
echo
echo "DC $VARNEL_DC_NAME, $users bulk users; medians of $runs whole processes."
echo "exchanges: requests sent after the DC last answered (per flow); waits: the time"
echo "the delay added (delayed - plain) / $((2 * delay)) ms, the round trips actually waited for."
sort -k1,1 -k2,2 -k3,3 -k5,5n "$work/results" | awk -v runs="$runs" -v rt=$((2 * delay)) '
    function median(list,    n, a, i, j, v) {
        n = split(list, a, " ")
        for (i = 2; i <= n; i++) {
            v = a[i] + 0
            for (j = i - 1; j >= 1 && a[j] + 0 > v; j--) a[j + 1] = a[j]
            a[j + 1] = v
        }
        return a[int((n + 1) / 2)]
    }
    { key = $1 " " $2 " " $3; ms[key] = ms[key] " " $5; pk[key] = pk[key] " " $6
      cn[key] = cn[key] " " $7; ex[key] = ex[key] " " $8 }
    END {
        split("list info add", ops, " "); split("varnel net samba_tool", tools, " ")
        printf "%-8s %-5s %-11s %8s %7s %11s %8s %6s %9s %6s\n", "path", "op", "tool",
            "ms", "/ net", "/ samba-tool", "packets", "conns", "exchanges", "waits"
        for (p = 1; p <= 2; p++) for (o = 1; o <= 3; o++) for (t = 1; t <= 3; t++) {
            path = p == 1 ? "plain" : "delayed"; op = ops[o]; tool = tools[t]
            key = path " " op " " tool
            if (t == 1) print ""
            m = median(ms[key]); n = median(ms[path " " op " net"])
            s = median(ms[path " " op " samba_tool"])
            waits = "     -"
            if (p == 2) waits = sprintf("%6.1f", (m - median(ms["plain " op " " tool])) / rt)
            printf "%-8s %-5s %-11s %8d %7.2f %11.2f %8d %6d %9d %s\n", path, op,
                tool == "samba_tool" ? "samba-tool" : tool, m, m / n, m / s,
                median(pk["delayed " op " " tool]), median(cn["delayed " op " " tool]),
                median(ex["delayed " op " " tool]), waits
        }
    }'
echo "(packets, conns and exchanges are counted on the delayed path for both rows)"
