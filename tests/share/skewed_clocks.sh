#!/usr/bin/env bash
# Two workstations whose clocks disagree: one writer runs ten minutes ahead, the other ten
# minutes behind (faketime), on one temporary folder (local mode) or through two Samba mounts of
# it (samba mode). A lock or a claim judged by comparing one machine's clock with the times another
# wrote must neither be taken from its holder nor keep a writer out: no writer may be refused, and
# every record and day reported saved must be there.
#
# skewed_clocks.sh <archive_append_helper> <planning_save_helper> [local|samba]
# Says "SKIPPED: why" and exits 77 where it cannot run (no faketime; for samba as two_mounts.sh).
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <archive_append_helper> <planning_save_helper> [local|samba]" >&2; exit 2; }
APPEND_HELPER=$1
PLANNING_HELPER=$2
MODE=${3:-local}
. "$(dirname "$0")/share_lib.sh"

need_commands faketime
# Only the wall clock is off, as on a real workstation: file times still come from the file
# system, and the monotonic clock is each machine's own.
CLOCK_A=(env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f +10m)
CLOCK_B=(env NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f -10m)
# Make sure the skew is real here, or the run would prove nothing.
ahead=$("${CLOCK_A[@]}" date +%s 2>/dev/null || echo 0)
behind=$("${CLOCK_B[@]}" date +%s 2>/dev/null || echo 0)
[ $((ahead - behind)) -ge 1100 ] || skip "faketime does not shift the clock here"

begin
REFUSAL_FAILS=1
case "$MODE" in
local)
    mkdir -p "$WORK/data"
    note "local: writer A at +10 minutes, writer B at -10 minutes, on $WORK/data"
    run_phases "skew-local" "$WORK/data" "$WORK/data" "$WORK/data"
    ;;
samba)
    start_samba
    mount_smbnetfs a
    A=$FOLDER
    mount_smbnetfs b
    B=$FOLDER
    note "samba: writer A at +10 minutes through $A, writer B at -10 minutes through $B"
    run_phases "skew-samba" "$A" "$B" "$WORK/data"
    ;;
*)
    echo "unknown mode $MODE" >&2
    exit 2
    ;;
esac
finish
