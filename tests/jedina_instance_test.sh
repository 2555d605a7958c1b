#!/usr/bin/env bash
# One program per player's folder, with the real program: a second start in
# a folder hands over to the program running there and ends; a killed
# program's lock does not stop the next start; other folders are their own.
# Usage: jedina_instance_test.sh PROGRAM CATALOGUE
set -euo pipefail
program=$(realpath "$1")
katalog=$(realpath "$2")
tmp=$(mktemp -d)
deti=()
konec() {
    for pid in "${deti[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
} 2>/dev/null
trap konec EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/beh
mkdir -m 700 "$tmp/beh"
for slozka in A B; do
    mkdir "$tmp/$slozka"
    cp "$katalog" "$tmp/$slozka/Přísady.txt"
done

# A program left running in a folder, once it holds the folder's lock; its
# process id in $pid.
spust() {
    (cd "$tmp/$1" && exec "$program") 2>>"$tmp/$1.err" &
    pid=$!
    deti+=("$pid")
    for _ in $(seq 600); do
        grep -q "FLOCK .* $pid " /proc/locks && return
        sleep 0.1
    done
    chyba "the program in $1 took no lock: $(cat "$tmp/$1.err")"
}
# A later start in a folder: it must end by itself, having handed over.
druhy() {
    local rc=0
    (cd "$tmp/$1" && exec timeout -s KILL 60 "$program") 2>"$tmp/druhy.err" || rc=$?
    [[ $rc == 0 ]] || chyba "$2: a later start in $1 ended with $rc: $(cat "$tmp/druhy.err")"
}
bezi() { kill -0 "$1" 2>/dev/null; }

spust A; prvni=$pid
druhy A "with a program running there"
bezi "$prvni" || chyba "the first program in A ended"

{ kill -9 "$prvni" && wait "$prvni"; } 2>/dev/null || true
spust A; po_zabitem=$pid
druhy A "after a killed program"
bezi "$po_zabitem" || chyba "the start after a killed program ended: $(cat "$tmp/A.err")"

spust B; v_jine=$pid
druhy B "with programs in A and B"
bezi "$v_jine" && bezi "$po_zabitem" || chyba "a program in another folder ended"

((chyb == 0)) || exit 1
echo "ok"
