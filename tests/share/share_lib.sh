# Shared by the tests of two workstations on one data folder (two_mounts.sh, skewed_clocks.sh):
# a private Samba server or sshd on 127.0.0.1, two independent FUSE mounts of it, two writers at
# once (one per mount, each its own process) and the checks of what they reported saved.
# Sourced, never run. Everything lives under one temporary folder and is undone on exit
# (ROTAFLUX_SHARE_KEEP=1 keeps the folder, with the writers' logs, for a look afterwards).

SKIP_CODE=77
# Sizes of one run; ROTAFLUX_SHARE_SCALE multiplies them for a long run.
SCALE=${ROTAFLUX_SHARE_SCALE:-1}
APPENDS=$((40 * SCALE))
MIXED_ROUNDS=$((12 * SCALE))
PLANNING_ROUNDS=$((25 * SCALE))
# A writer still running after this has hung on the share.
WRITER_TIMEOUT=$((60 * SCALE))
RECORD_SIZE=4253
ARCHIVE_NAME="Autoparco.dat"
MIXED_NAME="Contratti.dat"
PLANNING_NAME="Prenotazioni bicicletta 7 anno 2024.pln"

WORK=""
FOLDER=""
MOUNTS=()
DAEMONS=()
CREATED_RUN_SSHD=0
FAILURES=0
TOTAL_SAVED=0
TOTAL_LOST=0
TOTAL_REFUSED=0

skip()
{
    echo "SKIPPED: $*"
    exit "$SKIP_CODE"
}

note()
{
    echo "== $*"
}

cleanup()
{
    local m pid i
    for m in "${MOUNTS[@]}"; do
        for i in 1 2 3 4 5 6 7 8 9 10; do
            mountpoint -q "$m" || break
            fusermount -u "$m" 2>/dev/null || fusermount3 -u "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
            mountpoint -q "$m" || break
            sleep 0.2
        done
    done
    for pid in "${DAEMONS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${DAEMONS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    if [ "$CREATED_RUN_SSHD" = 1 ]; then
        rmdir /run/sshd 2>/dev/null || true
    fi
    if [ -n "$WORK" ] && [ -d "$WORK" ]; then
        # A mount that would not go away keeps the folder: nothing is removed through it.
        local still=0
        for m in "${MOUNTS[@]}"; do
            mountpoint -q "$m" && still=1
        done
        if [ -n "${ROTAFLUX_SHARE_KEEP:-}" ]; then
            echo "kept $WORK (ROTAFLUX_SHARE_KEEP)"
        elif [ "$still" = 0 ]; then
            rm -rf --one-file-system "$WORK"
        else
            echo "left $WORK: a mount is still busy" >&2
        fi
    fi
}

begin()
{
    WORK=$(mktemp -d /tmp/rotaflux-share.XXXXXX)
    trap cleanup EXIT
    trap 'exit 130' INT TERM
    mkdir -p "$WORK/logs"
}

# Waits until the command succeeds, polling, up to the given seconds; false when it never did.
wait_until()
{
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

port_answers()
{
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

pid_alive()
{
    kill -0 "$1" 2>/dev/null
}

# A port from the high range that nothing answers on now.
free_port()
{
    local port
    for _ in $(seq 50); do
        port=$((20000 + RANDOM % 40000))
        port_answers "$port" || { echo "$port"; return 0; }
    done
    return 1
}

need_fuse()
{
    [ "$(id -u)" -eq 0 ] || skip "needs root to start servers and mount (running as $(id -un))"
    [ -c /dev/fuse ] || skip "no /dev/fuse on this machine"
    exec 9<>/dev/fuse 2>/dev/null || skip "/dev/fuse cannot be opened here (fuse not allowed)"
    exec 9>&-
}

need_commands()
{
    local c
    for c in "$@"; do
        command -v "$c" >/dev/null 2>&1 || skip "$c is not installed (./scripts/install-deps.sh installs it)"
    done
}

# ---- Samba ----------------------------------------------------------------------------------

SMB_PORT=""
SMB_SHARE="rotaflux"
SMB_PASSWORD=""

start_samba()
{
    need_fuse
    need_commands smbd smbpasswd smbnetfs fusermount
    local s="$WORK/samba"
    mkdir -p "$s"/{private,lock,state,cache,run,ncalrpc,bind-dns,log} "$WORK/data"
    SMB_PASSWORD="rf-$RANDOM$RANDOM"
    local attempt pid
    for attempt in 1 2 3 4 5; do
        SMB_PORT=$(free_port) || skip "no free port found on 127.0.0.1"
        cat >"$s/smb.conf" <<CONF
[global]
    server role = standalone server
    workgroup = ROTAFLUX
    netbios name = RFSHARE
    smb ports = $SMB_PORT
    interfaces = 127.0.0.1
    bind interfaces only = yes
    disable netbios = yes
    private dir = $s/private
    lock directory = $s/lock
    state directory = $s/state
    cache directory = $s/cache
    pid directory = $s/run
    ncalrpc dir = $s/ncalrpc
    binddns dir = $s/bind-dns
    log file = $s/log/%m.log
    passdb backend = tdbsam:$s/private/passdb.tdb
    usershare path =
    load printers = no
    printing = bsd
    printcap name = /dev/null
    disable spoolss = yes
    map to guest = never
[$SMB_SHARE]
    path = $WORK/data
    read only = no
    # As the README asks of a share that holds the data folder: no client keeps its own copy of
    # a file another may write. The FUSE client does not answer oplock breaks, so with them each
    # open by the other mount stalls for seconds (saves are then refused, none lost).
    oplocks = no
    level2 oplocks = no
    smb2 leases = no
CONF
        printf '%s\n%s\n' "$SMB_PASSWORD" "$SMB_PASSWORD" |
            smbpasswd -c "$s/smb.conf" -s -a root >"$s/smbpasswd.log" 2>&1 ||
            skip "smbpasswd could not create the private user: $(tail -1 "$s/smbpasswd.log")"
        # Its own process group: smbd signals its whole group when it stops.
        smbd -F -s "$s/smb.conf" --debug-stdout -d ${ROTAFLUX_SHARE_SMBD_DEBUG:-1} >"$s/smbd.log" 2>&1 &
        pid=$!
        if wait_until 20 port_or_dead "$pid" "$SMB_PORT" && pid_alive "$pid"; then
            DAEMONS+=("$pid")
            note "smbd on 127.0.0.1:$SMB_PORT sharing $WORK/data"
            return 0
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    skip "smbd did not start: $(tail -3 "$s/smbd.log" | tr '\n' ' ')"
}

port_or_dead()
{
    port_answers "$2" || ! pid_alive "$1"
}

# Mounts the share through its own smbnetfs (own home, own client configuration) and sets FOLDER
# to the folder of the share inside the mount. The server's port goes into the host name ("host:port"),
# which the client library takes as the port to connect to.
mount_smbnetfs()
{
    local name=$1
    local home="$WORK/home-$name" mnt="$WORK/mnt-$name"
    mkdir -p "$home/.smb" "$mnt"
    cat >"$home/.smb/smb.conf" <<CONF
[global]
    workgroup = ROTAFLUX
    client min protocol = SMB2
    disable netbios = yes
    name resolve order = host
    smb ports = $SMB_PORT
CONF
    cat >"$home/.smb/smbnetfs.conf" <<CONF
auth "127.0.0.1" "root" "$SMB_PASSWORD"
auth "root" "$SMB_PASSWORD"
smb_query_browsers "false"
use_libsecret "false"
smb_debug_level ${ROTAFLUX_SHARE_SMB_DEBUG:-0}
CONF
    chmod 600 "$home/.smb/smb.conf" "$home/.smb/smbnetfs.conf"
    (cd "$home" && HOME="$home" exec smbnetfs "$mnt" -f >"$home/out.log" 2>&1) &
    local pid=$!
    DAEMONS+=("$pid")
    MOUNTS+=("$mnt")
    local folder="$mnt/127.0.0.1:$SMB_PORT/$SMB_SHARE"
    if ! wait_until 20 test -d "$folder"; then
        pid_alive "$pid" || skip "smbnetfs could not mount (fuse not allowed?): $(tail -2 "$home/out.log" | tr '\n' ' ')"
        skip "the share is not reachable through smbnetfs: $(tail -2 "$home/out.log" | tr '\n' ' ')"
    fi
    FOLDER=$folder
}

# ---- sshfs ----------------------------------------------------------------------------------

SSH_PORT=""
SSH_KEY=""

start_sshd()
{
    need_fuse
    need_commands sshfs ssh ssh-keygen
    [ -x /usr/sbin/sshd ] || skip "openssh-server (sshd) is not installed"
    local s="$WORK/ssh"
    mkdir -p "$s" "$WORK/data"
    ssh-keygen -q -t ed25519 -N '' -f "$s/host_key" >/dev/null
    ssh-keygen -q -t ed25519 -N '' -f "$s/client_key" >/dev/null
    cp "$s/client_key.pub" "$s/authorized_keys"
    SSH_KEY="$s/client_key"
    # sshd refuses to start without its privilege separation folder.
    if [ ! -d /run/sshd ]; then
        mkdir -p /run/sshd && CREATED_RUN_SSHD=1
    fi
    local attempt pid
    for attempt in 1 2 3 4 5; do
        SSH_PORT=$(free_port) || skip "no free port found on 127.0.0.1"
        cat >"$s/sshd_config" <<CONF
Port $SSH_PORT
ListenAddress 127.0.0.1
HostKey $s/host_key
PidFile $s/sshd.pid
AuthorizedKeysFile $s/authorized_keys
PermitRootLogin prohibit-password
PubkeyAuthentication yes
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
Subsystem sftp internal-sftp
CONF
        /usr/sbin/sshd -D -e -f "$s/sshd_config" >"$s/sshd.log" 2>&1 &
        pid=$!
        if wait_until 20 port_or_dead "$pid" "$SSH_PORT" && pid_alive "$pid"; then
            DAEMONS+=("$pid")
            note "sshd on 127.0.0.1:$SSH_PORT serving $WORK/data"
            return 0
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    skip "sshd did not start: $(tail -3 "$s/sshd.log" | tr '\n' ' ')"
}

# Mounts the served folder through its own sshfs and sets FOLDER to it.
mount_sshfs()
{
    local name=$1
    local mnt="$WORK/mnt-$name" log="$WORK/ssh/sshfs-$name.log"
    mkdir -p "$mnt"
    sshfs -f "root@127.0.0.1:$WORK/data" "$mnt" \
        -o "ssh_command=ssh -F /dev/null -p $SSH_PORT -i $SSH_KEY -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR" \
        >"$log" 2>&1 &
    local pid=$!
    DAEMONS+=("$pid")
    MOUNTS+=("$mnt")
    if ! wait_until 20 mountpoint -q "$mnt"; then
        skip "sshfs could not mount (fuse not allowed?): $(tail -2 "$log" | tr '\n' ' ')"
    fi
    FOLDER=$mnt
}

# ---- Writers and checks ---------------------------------------------------------------------

# Clock prefixes of the two writers: empty, or a faketime command line.
CLOCK_A=()
CLOCK_B=()
# Whether a refused save fails the run (it must not with skewed clocks on one local folder).
REFUSAL_FAILS=0

# Runs the two writers at once and waits for both; each writer's log is its standard output.
# Arguments: label, then writer A's command, "::", writer B's command.
run_two()
{
    local label=$1
    shift
    local a=() b=()
    while [ "$1" != "::" ]; do
        a+=("$1")
        shift
    done
    shift
    b=("$@")
    timeout -k 5 "$WRITER_TIMEOUT" "${CLOCK_A[@]}" "${a[@]}" >"$WORK/logs/$label-A.log" 2>"$WORK/logs/$label-A.err" &
    local pa=$!
    timeout -k 5 "$WRITER_TIMEOUT" "${CLOCK_B[@]}" "${b[@]}" >"$WORK/logs/$label-B.log" 2>"$WORK/logs/$label-B.err" &
    local pb=$!
    local ra=0 rb=0
    wait "$pa" || ra=$?
    wait "$pb" || rb=$?
    local w code
    for w in A B; do
        [ "$w" = A ] && code=$ra || code=$rb
        # 0: done; 1: a refusal the writer reported in its log. Anything else is a crash or a hang.
        if [ "$code" -ne 0 ] && [ "$code" -ne 1 ]; then
            echo "FAIL $label: writer $w ended with code $code without saying why"
            sed 's/^/    /' "$WORK/logs/$label-$w.err" | tail -5
            FAILURES=$((FAILURES + 1))
        elif [ "$code" -eq 1 ] && [ -s "$WORK/logs/$label-$w.err" ]; then
            echo "    writer $w was refused; it said:"
            sort -u "$WORK/logs/$label-$w.err" | head -3 | sed 's/^/      /'
        fi
    done
}

# Reads the checker's summary "saved=N lost=N refused=N ..." and adds it to the totals.
tally()
{
    local label=$1 output=$2 code=$3
    echo "$output" | sed 's/^/    /'
    local summary
    summary=$(echo "$output" | grep -E '^saved=' | tail -1)
    if [ -z "$summary" ]; then
        echo "FAIL $label: the checker gave no summary (code $code)"
        FAILURES=$((FAILURES + 1))
        return
    fi
    local saved lost refused
    saved=$(echo "$summary" | sed -E 's/.*saved=([0-9]+).*/\1/')
    lost=$(echo "$summary" | sed -E 's/.* lost=([0-9]+).*/\1/')
    refused=$(echo "$summary" | sed -E 's/.*refused=([0-9]+).*/\1/')
    TOTAL_SAVED=$((TOTAL_SAVED + saved))
    TOTAL_LOST=$((TOTAL_LOST + lost))
    TOTAL_REFUSED=$((TOTAL_REFUSED + refused))
    echo "RESULT $label: $summary"
    if [ "$code" -ne 0 ]; then
        echo "FAIL $label: something reported saved is not there"
        FAILURES=$((FAILURES + 1))
    fi
    if [ "$REFUSAL_FAILS" = 1 ] && [ "$refused" -gt 0 ]; then
        echo "FAIL $label: a writer was refused"
        FAILURES=$((FAILURES + 1))
    fi
    if [ "$saved" -eq 0 ]; then
        echo "FAIL $label: nothing was saved at all"
        FAILURES=$((FAILURES + 1))
    fi
}

# The three kinds of save, each by two writers at once: writer A through folder a, writer B
# through folder b; checked afterwards through the plain folder the server shares.
run_phases()
{
    local mode=$1 a=$2 b=$3 plain=$4
    local out code
    note "$mode: appends ($APPENDS each)"
    run_two "$mode-appends" \
        "$APPEND_HELPER" "$a/$ARCHIVE_NAME" "$RECORD_SIZE" log-append "$APPENDS" A :: \
        "$APPEND_HELPER" "$b/$ARCHIVE_NAME" "$RECORD_SIZE" log-append "$APPENDS" B
    code=0
    out=$("$APPEND_HELPER" "$plain/$ARCHIVE_NAME" "$RECORD_SIZE" check \
        "$WORK/logs/$mode-appends-A.log" "$WORK/logs/$mode-appends-B.log") || code=$?
    tally "$mode-appends" "$out" "$code"

    note "$mode: card rewrites and appends ($MIXED_ROUNDS rounds each)"
    run_two "$mode-rewrites" \
        "$APPEND_HELPER" "$a/$MIXED_NAME" "$RECORD_SIZE" log-mixed "$MIXED_ROUNDS" A :: \
        "$APPEND_HELPER" "$b/$MIXED_NAME" "$RECORD_SIZE" log-mixed "$MIXED_ROUNDS" B
    code=0
    out=$("$APPEND_HELPER" "$plain/$MIXED_NAME" "$RECORD_SIZE" check \
        "$WORK/logs/$mode-rewrites-A.log" "$WORK/logs/$mode-rewrites-B.log") || code=$?
    tally "$mode-rewrites" "$out" "$code"

    note "$mode: planning merges ($PLANNING_ROUNDS rounds each)"
    run_two "$mode-planning" \
        "$PLANNING_HELPER" "$a/$PLANNING_NAME" 0 "$PLANNING_ROUNDS" A log :: \
        "$PLANNING_HELPER" "$b/$PLANNING_NAME" 1 "$PLANNING_ROUNDS" B log
    code=0
    out=$("$PLANNING_HELPER" "$plain/$PLANNING_NAME" check \
        "$WORK/logs/$mode-planning-A.log" "$WORK/logs/$mode-planning-B.log") || code=$?
    tally "$mode-planning" "$out" "$code"
}

finish()
{
    echo "TOTAL: saved=$TOTAL_SAVED lost=$TOTAL_LOST refused=$TOTAL_REFUSED failures=$FAILURES"
    if [ "$FAILURES" -gt 0 ]; then
        echo "FAILED"
        exit 1
    fi
    echo "PASSED"
    exit 0
}
