#!/usr/bin/env bash
# Two workstations on one network share: a private server on 127.0.0.1 (Samba, or sshd for the
# sshfs mode) shares a temporary folder, which is mounted twice, each mount its own FUSE client.
# Two writers, one through each mount, append to one archive, rewrite their cards while
# appending, and merge bookings into one planning file, all at once; then every record and day
# they reported saved must be in the plain folder. A refused save is allowed (the writer says so
# and stops); a save reported done and then missing or overwritten is a failure.
#
# two_mounts.sh <archive_append_helper> <planning_save_helper> [samba|sshfs]
# Needs root, /dev/fuse and the packages of ./scripts/install-deps.sh; where any is missing it
# says "SKIPPED: why" and exits 77. ROTAFLUX_SHARE_SCALE=N runs N times as many saves.
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <archive_append_helper> <planning_save_helper> [samba|sshfs]" >&2; exit 2; }
APPEND_HELPER=$1
PLANNING_HELPER=$2
MODE=${3:-samba}
. "$(dirname "$0")/share_lib.sh"

begin
case "$MODE" in
samba)
    start_samba
    mount_smbnetfs a
    A=$FOLDER
    mount_smbnetfs b
    B=$FOLDER
    ;;
sshfs)
    start_sshd
    mount_sshfs a
    A=$FOLDER
    mount_sshfs b
    B=$FOLDER
    ;;
*)
    echo "unknown mode $MODE" >&2
    exit 2
    ;;
esac
note "$MODE: writer A through $A, writer B through $B"
run_phases "$MODE" "$A" "$B" "$WORK/data"
finish
