#!/usr/bin/env bash
# A throw-away Samba AD domain controller on its own test host, for the live
# directory tests and the benchmark. Needs root (network namespaces) and the
# Samba packages that scripts/varnel.sh installs.
#
#   samba-dc.sh start DIR [--users N] [--domain NAME] [--dc-name NAME]
#       Provisions a DC in a fresh folder that DIR (a link) then points to,
#       starts it in its
#       own network namespace and waits until it answers. Domain and DC names
#       are drawn at random unless given; N bulk users (default 0) get names
#       with blanks and non-ASCII letters. DIR/dc.env then holds the facts the
#       tests read (VARNEL_DC_*, VARNEL_SMB_CONF, VARNEL_AUTHFILE).
#   samba-dc.sh exec DIR -- COMMAND...
#       Runs COMMAND on the tests' host: the namespace 192.0.2.1, with the
#       private hosts file and a resolv.conf that names the DC's DNS server.
#   samba-dc.sh dc DIR -- COMMAND...
#       Runs COMMAND on the DC's host (for samba-tool on the DC's database).
#   samba-dc.sh stop DIR
#       Stops every process of the DC by PID, removes both namespaces, the
#       DC's folder and the link DIR.
#
# The DC's folder is made by mktemp under /var/tmp (VARNEL_DC_STATE_ROOT),
# owned by root and readable by all, never under DIR's parent: the DC's file
# server acts as the domain user when it serves the netlogon share, and that
# user cannot traverse a private (0700) folder a checkout may lie in.
#
# The two hosts are joined by a veth pair with addresses from TEST-NET-1
# (RFC 5737): the DC at 192.0.2.2, the tests at 192.0.2.1, and no route
# anywhere else, so nothing here can reach another machine. The host's /etc
# is never written: each namespace sees its own hosts and resolv.conf.
set -euo pipefail

DC_ADDR=192.0.2.2
TEST_ADDR=192.0.2.1
PYTHON=/usr/bin/python3

die() { echo "samba-dc: $*" >&2; exit 1; }
log() { echo "samba-dc: $*" >&2; }
now_ms() { date +%s%3N; }

need_root() {
    [ "$(id -u)" -eq 0 ] || die "needs root (network namespaces)"
    for tool in samba samba-tool ldbadd ldbmodify ip; do
        command -v "$tool" >/dev/null || die "$tool is missing (run scripts/varnel.sh)"
    done
}

random_word() { # length, alphabet
    tr -dc "$2" </dev/urandom | head -c "$1" || true
}

# --- namespaces --------------------------------------------------------------

make_namespaces() {
    local id=$1
    ip netns add "$NS_TEST"
    ip netns add "$NS_DC"
    ip -n "$NS_TEST" link set lo up
    ip -n "$NS_DC" link set lo up
    ip -n "$NS_TEST" link add "vt$id" type veth peer name "vd$id" netns "$NS_DC"
    ip -n "$NS_TEST" addr add "$TEST_ADDR/24" dev "vt$id"
    ip -n "$NS_DC" addr add "$DC_ADDR/24" dev "vd$id"
    ip -n "$NS_TEST" link set "vt$id" up
    ip -n "$NS_DC" link set "vd$id" up
}

# Runs a command in a namespace with private /etc/hosts, /etc/resolv.conf and
# /run/samba (so two DCs on one machine never share winbindd's socket).
in_ns() {
    local ns=$1 etc=$2
    shift 2
    ip netns exec "$ns" /bin/sh -c '
        mount --bind "$1/hosts" /etc/hosts &&
        mount --bind "$1/resolv.conf" /etc/resolv.conf &&
        mkdir -p "$1/run" /run/samba && mount --bind "$1/run" /run/samba &&
        shift && exec "$@"' sh "$etc" "$@"
}

# --- provisioning --------------------------------------------------------------

write_etc() { # dir, resolver
    mkdir -p "$1/run"
    {
        echo "127.0.0.1 localhost"
        echo "$DC_ADDR $DC_LOWER.$REALM_LOWER $DC_LOWER $DC_NAME"
    } >"$1/hosts"
    echo "nameserver $2" >"$1/resolv.conf"
}

provision() {
    local w=$1
    mkdir -p "$w/dc/run" "$w/dc/ncalrpc" "$w/log"
    in_ns "$NS_DC" "$w/dc-etc" samba-tool domain provision --targetdir="$w/dc" \
        --realm="$REALM" --domain="$DOMAIN" --server-role=dc \
        --dns-backend=SAMBA_INTERNAL --host-name="$DC_LOWER" --host-ip="$DC_ADDR" \
        --option="netbios name = $DC_NAME" \
        --option="interfaces = $DC_ADDR" --option="bind interfaces only = yes" \
        --option="dns forwarder = 127.0.0.53" \
        --option="server services = -dnsupdate" \
        --option="log file = $w/log/log.%m" \
        --option="pid directory = $w/dc/run" --option="ncalrpc dir = $w/dc/ncalrpc" \
        >"$w/log/provision.out" 2>&1 ||
        { tail -20 "$w/log/provision.out" >&2; die "provision failed"; }
    # The admin password from a file, never from a command line.
    local pwb64
    umask 077
    pwb64=$(printf '"%s"' "$ADMIN_PW" | iconv -f UTF-8 -t UTF-16LE | base64 -w0)
    printf 'dn: CN=Administrator,CN=Users,%s\nchangetype: modify\n' "$BASE_DN" >"$w/log/admin.ldif"
    printf 'replace: unicodePwd\nunicodePwd:: %s\n' "$pwb64" >>"$w/log/admin.ldif"
    ldbmodify -H "$w/dc/private/sam.ldb" "$w/log/admin.ldif" >/dev/null
    rm -f "$w/log/admin.ldif"
    umask 022
    # Test policy: short and simple passwords (machine-name passwords, "a").
    samba-tool domain passwordsettings set -H "$w/dc/private/sam.ldb" -s "$w/dc/etc/smb.conf" \
        --complexity=off --min-pwd-length=0 --history-length=0 --min-pwd-age=0 \
        --max-pwd-age=0 >/dev/null
}

# N users straight into the stopped DC's database: by far the fastest way.
bulk_users() {
    local w=$1 count=$2
    [ "$count" -gt 0 ] || return 0
    local t0
    t0=$(now_ms)
    "$PYTHON" - "$count" "$BASE_DN" >"$w/log/users.ldif" <<'EOF'
import base64, random, sys
count, base = int(sys.argv[1]), sys.argv[2]
first = ["jan", "Jürgen", "joão", "Ana", "ängel", "Zoë", "björn", "Chloé", "Émile", "luis",
         "Jeanne", "ørjan", "Ida", "Ñuño", "mark", "SØREN", "jo", "Ülkü", "kai", "Þór"]
rng = random.Random()
seen = set()
def b64(s): return base64.b64encode(s.encode()).decode()
while len(seen) < count:
    n = len(seen)
    name = "%s %s%d" % (rng.choice(first), rng.choice("abcdefghjkmnpqrstuvwxyzéü"), n)
    if n % 3 == 0:
        name = name.replace(" ", "")
    name = name[:20].rstrip(" .")
    if name.lower() in seen:
        continue
    seen.add(name.lower())
    print("dn:: " + b64("CN=%s,CN=Users,%s" % (name, base)))
    print("objectClass: user")
    print("sAMAccountName:: " + b64(name))
    print("userAccountControl: 544")
    print()
EOF
    ldbadd --nosync -H "$w/dc/private/sam.ldb" "$w/log/users.ldif" >"$w/log/ldbadd.out" 2>&1 ||
        { tail -5 "$w/log/ldbadd.out" >&2; die "bulk users failed"; }
    log "$count bulk users in $(( $(now_ms) - t0 )) ms"
}

start_samba() {
    local w=$1
    in_ns "$NS_DC" "$w/dc-etc" samba --foreground --no-process-group \
        -s "$w/dc/etc/smb.conf" >"$w/log/samba.out" 2>&1 </dev/null &
    echo $! >"$w/samba.pid"
}

wait_port() { # port, deadline (epoch seconds)
    until ip netns exec "$NS_TEST" bash -c "exec 3<>/dev/tcp/$DC_ADDR/$1" 2>/dev/null; do
        [ "$(date +%s)" -lt "$2" ] || return 1
        kill -0 "$(cat "$W/samba.pid")" 2>/dev/null || return 1
        sleep 0.2
    done
}

write_client() {
    local w=$1
    mkdir -p "$w/client/cache" "$w/client/lock" "$w/client/state" "$w/client/private"
    cat >"$w/client/smb.conf" <<EOF
[global]
  workgroup = $DOMAIN
  realm = $REALM
  netbios name = VARNELTESTS
  cache directory = $w/client/cache
  lock directory = $w/client/lock
  state directory = $w/client/state
  private dir = $w/client/private
  name resolve order = host
EOF
    umask 077
    printf 'username = Administrator\npassword = %s\ndomain = %s\n' "$ADMIN_PW" "$DOMAIN" \
        >"$w/client/authfile"
    umask 022
}

write_env() {
    local w=$1
    cat >"$w/dc.env" <<EOF
VARNEL_DC_ADDRESS=$DC_ADDR
VARNEL_DC_NAME=$DC_NAME
VARNEL_DC_DOMAIN=$DOMAIN
VARNEL_DC_REALM=$REALM
VARNEL_DC_USERS=$USERS
VARNEL_DC_NS_TEST=$NS_TEST
VARNEL_DC_NS_DC=$NS_DC
VARNEL_SMB_CONF=$w/client/smb.conf
VARNEL_AUTHFILE=$w/client/authfile
EOF
}

cmd_start() {
    W=$1
    shift
    USERS=0 DOMAIN="" DC_NAME=""
    while [ $# -gt 0 ]; do
        case $1 in
            --users) USERS=$2; shift 2 ;;
            --domain) DOMAIN=$2; shift 2 ;;
            --dc-name) DC_NAME=$2; shift 2 ;;
            *) die "unknown option $1" ;;
        esac
    done
    need_root
    # What an interrupted run left there goes first.
    local link=$W
    if [ -L "$link" ] || [ -e "$link/namespaces" ]; then cmd_stop "$link"; fi
    [ ! -d "$link" ] || rmdir "$link" 2>/dev/null || die "$link is a folder in use, not a DC link"
    W=$(mktemp -d "${VARNEL_DC_STATE_ROOT:-/var/tmp}/varnel-dc.XXXXXX")
    chmod 0755 "$W"
    ln -sfn "$W" "$link"
    local t0 id
    t0=$(now_ms)
    id=$(random_word 6 'a-z0-9')
    [ -n "$DOMAIN" ] || DOMAIN="VT$(random_word 6 'A-Z')"
    [ -n "$DC_NAME" ] || DC_NAME="DC$(random_word 5 'A-Z0-9')"
    REALM="${DOMAIN,,}.test"
    REALM=${REALM^^}
    REALM_LOWER=${REALM,,}
    DC_LOWER=${DC_NAME,,}
    BASE_DN="DC=${REALM_LOWER//./,DC=}"
    ADMIN_PW="Vt$(random_word 12 'A-Za-z0-9')!1"
    NS_TEST="varnel-t-$id" NS_DC="varnel-dc-$id"
    echo "$NS_TEST $NS_DC" >"$W/namespaces"
    make_namespaces "$id"
    write_etc "$W/dc-etc" 127.0.0.53
    write_etc "$W/test-etc" "$DC_ADDR"
    provision "$W"
    log "provisioned $DOMAIN ($REALM), DC $DC_NAME in $(( $(now_ms) - t0 )) ms"
    bulk_users "$W" "$USERS"
    write_client "$W"
    start_samba "$W"
    local deadline=$(( $(date +%s) + 90 ))
    for port in 445 389 53; do
        wait_port "$port" "$deadline" ||
            { tail -20 "$W/log/samba.out" >&2; die "DC did not start"; }
    done
    write_env "$W"
    log "DC ready at $DC_ADDR after $(( $(now_ms) - t0 )) ms"
}

load_env() {
    W=$(cd -P "$1" && pwd) || die "no DC folder $1"
    [ -f "$W/dc.env" ] || die "no DC in $W"
    # shellcheck disable=SC1091
    . "$W/dc.env"
    NS_TEST=$VARNEL_DC_NS_TEST NS_DC=$VARNEL_DC_NS_DC
}

cmd_exec() {
    load_env "$1"
    shift
    [ "${1:-}" = "--" ] && shift
    set -a
    # shellcheck disable=SC1091
    . "$W/dc.env"
    set +a
    in_ns "$NS_TEST" "$W/test-etc" "$@"
}

cmd_dc() {
    load_env "$1"
    shift
    [ "${1:-}" = "--" ] && shift
    in_ns "$NS_DC" "$W/dc-etc" "$@"
}

stop_pid() {
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

cmd_stop() {
    local link=$1 ns pid
    W=$(cd -P "$link" 2>/dev/null && pwd) || { rm -f "$link"; return 0; }
    [ -f "$W/samba.pid" ] && stop_pid "$(cat "$W/samba.pid")"
    [ -f "$W/dc/run/samba-dcerpcd.pid" ] && stop_pid "$(cat "$W/dc/run/samba-dcerpcd.pid")"
    if [ -f "$W/namespaces" ]; then
        for ns in $(cat "$W/namespaces"); do
            # Whatever still runs on the test hosts was started there by us.
            for pid in $(ip netns pids "$ns" 2>/dev/null); do stop_pid "$pid"; done
            ip netns del "$ns" 2>/dev/null || true
        done
    fi
    rm -rf "$W"
    [ ! -L "$link" ] || rm -f "$link"
}

case ${1:-} in
    start) shift; [ $# -ge 1 ] || die "usage: start DIR"; cmd_start "$@" ;;
    exec) shift; [ $# -ge 2 ] || die "usage: exec DIR -- COMMAND"; cmd_exec "$@" ;;
    dc) shift; [ $# -ge 2 ] || die "usage: dc DIR -- COMMAND"; cmd_dc "$@" ;;
    stop) shift; [ $# -ge 1 ] || die "usage: stop DIR"; cmd_stop "$1" ;;
    *) die "usage: samba-dc.sh start|exec|dc|stop DIR ..." ;;
esac
