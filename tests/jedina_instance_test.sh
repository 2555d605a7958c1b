#!/usr/bin/env bash
# One program per player's folder, with the real program: a later start in a
# folder hands over to the program running there and ends; a killed program's
# lock does not stop the next start; another folder has a program of its own.
# Usage: jedina_instance_test.sh PROGRAM CATALOGUE
set -euo pipefail
program=$(realpath "$1")
tmp=$(mktemp -d)
deti=()
trap '{ kill -9 "${deti[@]}"; wait; rm -rf "$tmp"; } 2>/dev/null' EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/beh
mkdir -m 700 "$tmp/beh" "$tmp/A" "$tmp/B"
cp "$2" "$tmp/A/Přísady.txt"
cp "$2" "$tmp/B/Přísady.txt"

# A program left running in a folder, once it holds the folder's lock.
spust() {
    (cd "$tmp/$1" && exec "$program") 2>>"$tmp/$1.err" &
    pid=$! && deti+=("$pid")
    for _ in $(seq 600); do
        grep -q "FLOCK .* $pid " /proc/locks && return
        sleep 0.1
    done
    chyba "the program in $1 took no lock: $(cat "$tmp/$1.err")"
}
# A later start in a folder: it ends by itself, having handed over.
pozdeji() {
    local rc=0
    (cd "$tmp/$1" && exec timeout -s KILL 60 "$program") 2>"$tmp/err" || rc=$?
    [[ $rc == 0 ]] || chyba "$2: a later start in $1 ended with $rc: $(cat "$tmp/err")"
}
bezi() { kill -0 "$@" 2>/dev/null || chyba "$1 ended"; }

spust A && prvni=$pid
pozdeji A "beside a running program"
bezi "$prvni"
{ kill -9 "$prvni" && wait "$prvni"; } 2>/dev/null || true
spust A && po_zabitem=$pid
pozdeji A "after a killed program"
spust B
pozdeji B "with programs in A and B"
bezi "$po_zabitem" "$pid"
((chyb == 0)) && echo ok
