#!/usr/bin/env bash
# A throw-away Samba AD domain controller on its own test host, for the live
# directory tests and the benchmark. Needs root (network namespaces) and the
# Samba packages that scripts/varnel.sh installs.
#
#   samba-dc.sh start DIR [--users N] [--domain NAME] [--dc-name NAME] [--trust N]
#                         [--router]
#       Provisions a DC in a fresh folder that DIR (a link) then points to,
#       starts it in its
#       own network namespace and waits until it answers. Domain and DC names
#       are drawn at random unless given; N bulk users (default 0) get names
#       with blanks and non-ASCII letters. DIR/dc.env then holds the facts the
#       tests read (VARNEL_DC_*, VARNEL_SMB_CONF, VARNEL_AUTHFILE).
#       With --trust, a second domain with N bulk users gets its own DC on a
#       third host, and the two domains trust each other (see "second domain"
#       below); dc.env then also holds VARNEL_DC2_*.
#       With --router (one DC only), the tests and the DC are joined through a
#       router namespace that can send every packet through a TUN device
#       ("--router:" below); dc.env then also holds VARNEL_DC_NS_ROUTER.
#   samba-dc.sh exec DIR -- COMMAND...
#       Runs COMMAND on the tests' host: the namespace 192.0.2.1, with the
#       private hosts file and a resolv.conf that names the DC's DNS server.
#   samba-dc.sh dc DIR -- COMMAND...
#       Runs COMMAND on the DC's host (for samba-tool on the DC's database).
#   samba-dc.sh dc2 DIR -- COMMAND...
#       The same on the second domain's DC (with --trust).
#   samba-dc.sh pause DIR [dc2]  /  resume DIR [dc2]
#       Freezes every process of the DC (SIGSTOP) and thaws it (SIGCONT): its
#       connections stay up but nothing answers.
#   samba-dc.sh kill DIR [dc2]  /  restart DIR [dc2]
#       Kills every process of the DC (SIGKILL, as a crash would); restart
#       kills what still runs, starts the DC again on the state it had and
#       waits until it answers.
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

# --router: the two hosts keep their addresses on one /24, but each one's
# veth ends in a router namespace that answers ARP for the other (proxy ARP)
# and forwards between them. Table 100 sends everything to the TUN device
# delay0; nothing uses it until a rule does, e.g. the latency benchmark's
#   ip rule add not iif delay0 lookup 100 pref 100
# with its packet delayer attached to delay0: then every packet between the
# hosts, of every protocol, passes the delayer once on its way.
ROUTER_ADDR=192.0.2.254

make_routed_namespaces() {
    local id=$1 ns
    for ns in "$NS_TEST" "$NS_DC" "$NS_RT"; do
        ip netns add "$ns"
        ip -n "$ns" link set lo up
    done
    ip -n "$NS_RT" link add "rt$id" type veth peer name "vt$id" netns "$NS_TEST"
    ip -n "$NS_RT" link add "rd$id" type veth peer name "vd$id" netns "$NS_DC"
    ip -n "$NS_TEST" addr add "$TEST_ADDR/24" dev "vt$id"
    ip -n "$NS_DC" addr add "$DC_ADDR/24" dev "vd$id"
    ip -n "$NS_TEST" link set "vt$id" up
    ip -n "$NS_DC" link set "vd$id" up
    ip netns exec "$NS_RT" sh -c '
        sysctl -qw net.ipv4.ip_forward=1 net.ipv4.conf.all.rp_filter=0 \
            net.ipv4.conf.default.rp_filter=0 net.ipv4.conf.all.send_redirects=0 &&
        for port in "$@"; do
            sysctl -qw "net.ipv4.conf.$port.proxy_arp=1" "net.ipv4.conf.$port.rp_filter=0"
        done' sh "rt$id" "rd$id"
    ip -n "$NS_RT" addr add "$ROUTER_ADDR/32" dev "rt$id"
    ip -n "$NS_RT" addr add "$ROUTER_ADDR/32" dev "rd$id"
    ip -n "$NS_RT" link set "rt$id" up
    ip -n "$NS_RT" link set "rd$id" up
    ip -n "$NS_RT" route add "$TEST_ADDR/32" dev "rt$id"
    ip -n "$NS_RT" route add "$DC_ADDR/32" dev "rd$id"
    ip -n "$NS_RT" tuntap add dev delay0 mode tun
    ip netns exec "$NS_RT" sysctl -qw net.ipv4.conf.delay0.rp_filter=0
    ip -n "$NS_RT" link set delay0 up
    ip -n "$NS_RT" route add default dev delay0 table 100
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

provision() { # dir, [subfolder of the DC, default dc]
    local w=$1 sub=${2:-dc}
    mkdir -p "$w/$sub/run" "$w/$sub/ncalrpc" "$w/log"
    in_ns "$NS_DC" "$w/$sub-etc" samba-tool domain provision -s "$w/empty.conf" \
        --targetdir="$w/$sub" \
        --realm="$REALM" --domain="$DOMAIN" --server-role=dc \
        --dns-backend=SAMBA_INTERNAL --host-name="$DC_LOWER" --host-ip="$DC_ADDR" \
        --option="netbios name = $DC_NAME" \
        --option="interfaces = $DC_ADDR" --option="bind interfaces only = yes" \
        --option="dns forwarder = ${DNS_FORWARDER-127.0.0.53}" \
        --option="server services = -dnsupdate" \
        --option="log file = $w/log/$sub.%m" \
        --option="pid directory = $w/$sub/run" --option="ncalrpc dir = $w/$sub/ncalrpc" \
        >"$w/log/provision-$sub.out" 2>&1 ||
        { tail -20 "$w/log/provision-$sub.out" >&2; die "provision failed"; }
    # The admin password from a file, never from a command line.
    local pwb64
    umask 077
    pwb64=$(printf '"%s"' "$ADMIN_PW" | iconv -f UTF-8 -t UTF-16LE | base64 -w0)
    printf 'dn: CN=Administrator,CN=Users,%s\nchangetype: modify\n' "$BASE_DN" \
        >"$w/log/admin-$sub.ldif"
    printf 'replace: unicodePwd\nunicodePwd:: %s\n' "$pwb64" >>"$w/log/admin-$sub.ldif"
    ldbmodify -H "$w/$sub/private/sam.ldb" "$w/log/admin-$sub.ldif" >/dev/null
    rm -f "$w/log/admin-$sub.ldif"
    umask 022
    # Test policy: short and simple passwords (machine-name passwords, "a").
    samba-tool domain passwordsettings set -H "$w/$sub/private/sam.ldb" \
        -s "$w/$sub/etc/smb.conf" \
        --complexity=off --min-pwd-length=0 --history-length=0 --min-pwd-age=0 \
        --max-pwd-age=0 >/dev/null
    # Without the dnsupdate service samba_spnupdate never runs, and the DC's
    # account lacks the ldap/ service name every Kerberos LDAP bind asks for.
    samba-tool spn add "ldap/$DC_LOWER.$REALM_LOWER" "$DC_NAME\$" \
        -H "$w/$sub/private/sam.ldb" -s "$w/$sub/etc/smb.conf" >/dev/null
}

# N users straight into the stopped DC's database: by far the fastest way.
bulk_users() { # dir, count, [subfolder of the DC, default dc]
    local w=$1 count=$2 sub=${3:-dc}
    [ "$count" -gt 0 ] || return 0
    local t0
    t0=$(now_ms)
    "$PYTHON" - "$count" "$BASE_DN" >"$w/log/users-$sub.ldif" <<'EOF'
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
    ldbadd --nosync -H "$w/$sub/private/sam.ldb" "$w/log/users-$sub.ldif" \
        >"$w/log/ldbadd-$sub.out" 2>&1 ||
        { tail -5 "$w/log/ldbadd-$sub.out" >&2; die "bulk users failed"; }
    log "$count bulk users in $(( $(now_ms) - t0 )) ms"
}

start_samba() { # dir, [subfolder of the DC, default dc]
    local w=$1 sub=${2:-dc}
    in_ns "$NS_DC" "$w/$sub-etc" samba --foreground --no-process-group \
        -s "$w/$sub/etc/smb.conf" >"$w/log/samba-$sub.out" 2>&1 </dev/null &
    echo $! >"$w/samba${sub#dc}.pid"
}

wait_port() { # port, deadline (epoch seconds), [pid file, default samba.pid]
    until ip netns exec "$NS_TEST" bash -c "exec 3<>/dev/tcp/$DC_ADDR/$1" 2>/dev/null; do
        [ "$(date +%s)" -lt "$2" ] || return 1
        kill -0 "$(cat "$W/${3:-samba.pid}")" 2>/dev/null || return 1
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
    [ -z "$ROUTER" ] || echo "VARNEL_DC_NS_ROUTER=$NS_RT" >>"$w/dc.env"
}

# --- second domain ------------------------------------------------------------
#
# With --trust, the tests' host and both DCs hang on one bridge, which lives in
# a namespace of its own so that removing the namespaces removes it too:
#   tests 192.0.2.1, DC of the tests' domain 192.0.2.2, second DC 192.0.2.3.
# DNS is a hub: both DCs and the tests ask the first DC, which forwards what it
# does not hold to the second; the second forwards nowhere. (Two internal DNS
# servers forwarding to each other loop on every name neither holds.)

DC2_ADDR=192.0.2.3
SHARED_USER="Trust Twin"
TRUST_GROUP="Trust Readers"

# Runs a command with the second DC's names in the globals the one-DC
# functions read, in a subshell so the first DC's stay as they are.
as_dc2() {
    (
        DOMAIN=$DOMAIN2 REALM=$REALM2 REALM_LOWER=${REALM2,,} DC_NAME=$DC2_NAME
        DC_LOWER=${DC2_NAME,,} DC_ADDR=$DC2_ADDR NS_DC=$NS_DC2 ADMIN_PW=$ADMIN_PW2
        BASE_DN="DC=${REALM_LOWER//./,DC=}"
        "$@"
    )
}

hosts_line() { echo "$DC_ADDR $DC_LOWER.$REALM_LOWER $DC_LOWER $DC_NAME"; }

make_bridged_namespaces() {
    local id=$1 i=0 entry ns addr port
    ip netns add "$NS_SW"
    ip -n "$NS_SW" link add br0 type bridge
    ip -n "$NS_SW" link set br0 up
    for entry in "$NS_TEST:$TEST_ADDR:vt" "$NS_DC:$DC_ADDR:vd" "$NS_DC2:$DC2_ADDR:ve"; do
        IFS=: read -r ns addr port <<<"$entry"
        i=$((i + 1))
        ip netns add "$ns"
        ip -n "$ns" link set lo up
        ip -n "$NS_SW" link add "p$i" type veth peer name "$port$id" netns "$ns"
        ip -n "$NS_SW" link set "p$i" master br0 up
        ip -n "$ns" addr add "$addr/24" dev "$port$id"
        ip -n "$ns" link set "$port$id" up
    done
}

# One account of the same name in a stopped DC's database.
shared_user() { # dir, subfolder of the DC
    local base
    base=$(cat "$1/$2.base")
    printf 'dn: CN=%s,CN=Users,%s\nobjectClass: user\nsAMAccountName: %s\n%s\n' \
        "$SHARED_USER" "$base" "$SHARED_USER" "userAccountControl: 544" >"$1/log/shared-$2.ldif"
    ldbadd -H "$1/$2/private/sam.ldb" "$1/log/shared-$2.ldif" >/dev/null ||
        die "shared user failed"
}

write_base() { echo "$BASE_DN" >"$1/$2.base"; }

# Namespaces, /etc files and both databases; the second DC is started here,
# the first one by cmd_start after its bulk users.
start_two_domains() {
    local id=$1 p1 p2
    DOMAIN2="VT$(random_word 6 'A-Z')"
    [ "$DOMAIN2" != "$DOMAIN" ] || DOMAIN2="${DOMAIN2}X"
    REALM2=${DOMAIN2^^}.TEST
    DC2_NAME="DC$(random_word 5 'A-Z0-9')"
    ADMIN_PW2="Vt$(random_word 12 'A-Za-z0-9')!2"
    NS_SW="varnel-s-$id" NS_DC2="varnel-d2-$id"
    echo "$NS_TEST $NS_DC $NS_DC2 $NS_SW" >"$W/namespaces"
    make_bridged_namespaces "$id"
    write_etc "$W/dc-etc" "$DC_ADDR"
    write_etc "$W/test-etc" "$DC_ADDR"
    as_dc2 write_etc "$W/dc2-etc" "$DC_ADDR"
    as_dc2 hosts_line | tee -a "$W/dc-etc/hosts" >>"$W/test-etc/hosts"
    hosts_line >>"$W/dc2-etc/hosts"
    write_base "$W" dc
    as_dc2 write_base "$W" dc2
    DNS_FORWARDER=$DC2_ADDR provision "$W" & p1=$!
    DNS_FORWARDER="" as_dc2 provision "$W" dc2 & p2=$!
    wait "$p1" || die "provision of $DOMAIN failed"
    wait "$p2" || die "provision of $DOMAIN2 failed"
    as_dc2 bulk_users "$W" "$TRUST_USERS" dc2
    shared_user "$W" dc2
    as_dc2 start_samba "$W" dc2
}

# Waits for the second DC, creates a two-way external trust from the first DC
# (the second domain's password through a descriptor, never a command line),
# and asks the first DC once for the second's controller by DNS name: its
# answers by flat name stay bare or fail until it has done that once.
trust_second_domain() { # dir, deadline
    local w=$1 deadline=$2 port t0
    t0=$(now_ms)
    for port in 445 389 53; do
        as_dc2 wait_port "$port" "$deadline" samba2.pid ||
            { tail -20 "$w/log/samba-dc2.out" >&2; die "second DC did not start"; }
    done
    PASSWD_FD=3 in_ns "$NS_DC" "$w/dc-etc" samba-tool domain trust create "${REALM2,,}" \
        --type=external --direction=both --create-location=both \
        -U "$DOMAIN2\\Administrator" -s "$w/dc/etc/smb.conf" \
        3< <(printf '%s' "$ADMIN_PW2") >"$w/log/trust.out" 2>&1 ||
        { cat "$w/log/trust.out" >&2; die "trust to $DOMAIN2 failed"; }
    find_second_dc "$w" "$deadline" "$DC_LOWER" "$REALM2" "$DC2_NAME"
    foreign_principal "$w"
    trust_readers "$w"
    log "$DOMAIN trusts $DOMAIN2 (DC $DC2_NAME) after $(( $(now_ms) - t0 )) ms more"
}

# Asks the first DC for the second's controller until it names it.
find_second_dc() { # dir, deadline, first DC, second realm, second DC
    until in_ns "$NS_TEST" "$1/test-etc" rpcclient -s "$1/client/smb.conf" \
            -A "$1/client/authfile" -c "dsr_getdcname ${4,,}" "${3,,}" 2>&1 |
            grep -qi "${5,,}"; do
        [ "$(date +%s)" -lt "$2" ] || die "$3 does not find $4's DC"
        sleep 0.5
    done
}

# Samba's SAMR AddAliasMember cannot yet make the foreignSecurityPrincipal
# object a new member from a trusted domain needs ("objectSid missing on
# foreignSecurityPrincipal"), and then fails; once the object is there it
# works. An LDAP member given by SID makes the object, so the first DC gets the
# second domain's shared user as a member of one of its groups and loses it
# again: what stays is the object.
foreign_principal() { # dir
    local sid group
    sid=$(ldbsearch -H "$1/dc2/private/sam.ldb" "(sAMAccountName=$SHARED_USER)" objectSid |
        sed -n 's/^objectSid: //p')
    [ -n "$sid" ] || die "no SID for $SHARED_USER in $DOMAIN2"
    group="CN=Allowed RODC Password Replication Group,CN=Users,$(cat "$1/dc.base")"
    printf 'dn: %s\nchangetype: modify\n%s: member\nmember: <SID=%s>\n\n' \
        "$group" add "$sid" "$group" delete "$sid" >"$1/log/fsp.ldif"
    ldbmodify -H "$1/dc/private/sam.ldb" "$1/log/fsp.ldif" >"$1/log/fsp.out" 2>&1 ||
        { cat "$1/log/fsp.out" >&2; die "foreign principal failed"; }
}

# A local group of the second domain that holds the first domain's shared user,
# for the view of that user's groups across the trust. Added by SID over LDAP
# at the second DC, which makes the foreignSecurityPrincipal object there too:
# SAMR AddAliasMember cannot (see foreign_principal).
trust_readers() { # dir
    local sid base
    sid=$(ldbsearch -H "$1/dc/private/sam.ldb" "(sAMAccountName=$SHARED_USER)" objectSid |
        sed -n 's/^objectSid: //p')
    [ -n "$sid" ] || die "no SID for $SHARED_USER in $DOMAIN"
    base=$(cat "$1/dc2.base")
    # groupType: a domain-local security group (0x80000004).
    printf 'dn: CN=%s,CN=Users,%s\nchangetype: add\nobjectClass: group\n%s\n%s\n\n' \
        "$TRUST_GROUP" "$base" "sAMAccountName: $TRUST_GROUP" "groupType: -2147483644" \
        >"$1/log/readers.ldif"
    printf 'dn: CN=%s,CN=Users,%s\nchangetype: modify\nadd: member\nmember: <SID=%s>\n' \
        "$TRUST_GROUP" "$base" "$sid" >>"$1/log/readers.ldif"
    ldbmodify -H "$1/dc2/private/sam.ldb" "$1/log/readers.ldif" >"$1/log/readers.out" 2>&1 ||
        { cat "$1/log/readers.out" >&2; die "$TRUST_GROUP failed"; }
}

write_env2() {
    cat >>"$1/dc.env" <<EOF
VARNEL_DC2_ADDRESS=$DC2_ADDR
VARNEL_DC2_NAME=$DC2_NAME
VARNEL_DC2_DOMAIN=$DOMAIN2
VARNEL_DC2_REALM=$REALM2
VARNEL_DC2_USERS=$TRUST_USERS
VARNEL_DC2_NS=$NS_DC2
VARNEL_DC_SHARED_USER="$SHARED_USER"
VARNEL_DC2_LOCAL_GROUP="$TRUST_GROUP"
EOF
}

cmd_start() {
    W=$1
    shift
    USERS=0 DOMAIN="" DC_NAME="" TRUST_USERS="" ROUTER=""
    while [ $# -gt 0 ]; do
        case $1 in
            --users) USERS=$2; shift 2 ;;
            --domain) DOMAIN=$2; shift 2 ;;
            --dc-name) DC_NAME=$2; shift 2 ;;
            --trust) TRUST_USERS=$2; shift 2 ;;
            --router) ROUTER=yes; shift ;;
            *) die "unknown option $1" ;;
        esac
    done
    need_root
    [ -z "$ROUTER" ] || [ -z "$TRUST_USERS" ] || die "--router works with one DC only"
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
    NS_RT="varnel-r-$id"
    echo "$NS_TEST $NS_DC" >"$W/namespaces"
    [ -z "$ROUTER" ] || echo "$NS_TEST $NS_DC $NS_RT" >"$W/namespaces"
    : >"$W/empty.conf"
    if [ -n "$TRUST_USERS" ]; then
        start_two_domains "$id"
    elif [ -n "$ROUTER" ]; then
        make_routed_namespaces "$id"
        write_etc "$W/dc-etc" 127.0.0.53
        write_etc "$W/test-etc" "$DC_ADDR"
        provision "$W"
    else
        make_namespaces "$id"
        write_etc "$W/dc-etc" 127.0.0.53
        write_etc "$W/test-etc" "$DC_ADDR"
        provision "$W"
    fi
    log "provisioned $DOMAIN ($REALM), DC $DC_NAME in $(( $(now_ms) - t0 )) ms"
    bulk_users "$W" "$USERS"
    [ -z "$TRUST_USERS" ] || shared_user "$W" dc
    write_client "$W"
    start_samba "$W"
    local deadline=$(( $(date +%s) + 90 ))
    for port in 445 389 53; do
        wait_port "$port" "$deadline" ||
            { tail -20 "$W/log/samba-dc.out" >&2; die "DC did not start"; }
    done
    [ -z "$TRUST_USERS" ] || trust_second_domain "$W" "$deadline"
    write_env "$W"
    [ -z "$TRUST_USERS" ] || write_env2 "$W"
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

cmd_dc2() {
    load_env "$1"
    shift
    [ "${1:-}" = "--" ] && shift
    in_ns "$VARNEL_DC2_NS" "$W/dc2-etc" "$@"
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

# --- faults ---------------------------------------------------------------------
#
# Every process in a DC's namespace is that DC's: samba, its forked services
# and the samba-dcerpcd smbd starts on demand.

fault_target() { # dir, [dc2]
    load_env "$1"
    case ${2:-dc} in
        dc) FAULT_NS=$NS_DC FAULT_SUB=dc FAULT_ADDR=$VARNEL_DC_ADDRESS ;;
        dc2) [ -n "${VARNEL_DC2_NS:-}" ] || die "no second DC in $W"
             FAULT_NS=$VARNEL_DC2_NS FAULT_SUB=dc2 FAULT_ADDR=$VARNEL_DC2_ADDRESS ;;
        *) die "unknown DC $2 (dc or dc2)" ;;
    esac
}

dc_pids() { ip netns pids "$FAULT_NS" 2>/dev/null || true; }

# Signals the DC's processes until no new one appears: a process that was
# forking when the signal came leaves a child that did not get it.
signal_dc() { # signal
    local pid seen=" " fresh=1
    while [ "$fresh" -eq 1 ]; do
        fresh=0
        for pid in $(dc_pids); do
            case $seen in *" $pid "*) continue ;; esac
            kill "-$1" "$pid" 2>/dev/null || true
            seen="$seen$pid "
            fresh=1
        done
    done
}

cmd_pause() { fault_target "$@"; signal_dc STOP; log "$FAULT_SUB paused"; }
cmd_resume() { fault_target "$@"; signal_dc CONT; log "$FAULT_SUB resumed"; }

kill_dc() {
    local i
    signal_dc KILL
    for i in $(seq 100); do
        [ -n "$(dc_pids)" ] || return 0
        sleep 0.05
    done
    die "$FAULT_SUB's processes outlived SIGKILL"
}

cmd_kill() { fault_target "$@"; kill_dc; log "$FAULT_SUB killed"; }

cmd_restart() {
    local t0 port pidfile
    t0=$(now_ms)
    fault_target "$@"
    kill_dc
    pidfile=samba${FAULT_SUB#dc}.pid
    NS_DC=$FAULT_NS start_samba "$W" "$FAULT_SUB"
    local deadline=$(( $(date +%s) + 60 ))
    for port in 445 389 53; do
        DC_ADDR=$FAULT_ADDR wait_port "$port" "$deadline" "$pidfile" ||
            { tail -20 "$W/log/samba-$FAULT_SUB.out" >&2; die "$FAULT_SUB did not restart"; }
    done
    # A restarted first DC forgets the trusted domain's controller again.
    if [ "$FAULT_SUB" = dc ] && [ -n "${VARNEL_DC2_REALM:-}" ]; then
        find_second_dc "$W" "$deadline" "$VARNEL_DC_NAME" "$VARNEL_DC2_REALM" \
            "$VARNEL_DC2_NAME"
    fi
    log "$FAULT_SUB restarted in $(( $(now_ms) - t0 )) ms"
}

case ${1:-} in
    pause|resume|kill|restart)
        command=$1; shift; [ $# -ge 1 ] || die "usage: $command DIR [dc2]"
        "cmd_$command" "$@" ;;
    start) shift; [ $# -ge 1 ] || die "usage: start DIR"; cmd_start "$@" ;;
    exec) shift; [ $# -ge 2 ] || die "usage: exec DIR -- COMMAND"; cmd_exec "$@" ;;
    dc) shift; [ $# -ge 2 ] || die "usage: dc DIR -- COMMAND"; cmd_dc "$@" ;;
    dc2) shift; [ $# -ge 2 ] || die "usage: dc2 DIR -- COMMAND"; cmd_dc2 "$@" ;;
    stop) shift; [ $# -ge 1 ] || die "usage: stop DIR"; cmd_stop "$1" ;;
    *) die "usage: samba-dc.sh start|exec|dc|dc2|pause|resume|kill|restart|stop DIR ..." ;;
esac
