#!/usr/bin/env bash
# The launcher: which folder it starts the program in, and that it copies the
# sample catalogue there only while none is there. A stand-in program records
# the folder it was started in and what it found there.
# Usage: spoustec_test.sh LAUNCHER
set -euo pipefail
spoustec=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }

katalog='Přísady.txt'
stary=$(printf 'P\370\355sady.txt')
printf 'Alfa\tJed\t\n' >"$tmp/vzor.txt"
cat >"$tmp/program" <<'PROGRAM'
#!/bin/sh
pwd >"$ZAPIS"
cat ./Přísady.txt >>"$ZAPIS" 2>/dev/null || true
exit 7
PROGRAM
chmod +x "$tmp/program"

# Runs the launcher with a fresh HOME; extra arguments are environment settings.
spust() {
    env -u XDG_DATA_HOME HOME="$tmp/home" ZAPIS="$tmp/zapis" \
        MIXOR_PROGRAM="$tmp/program" MIXOR_VZOR="$tmp/vzor.txt" "$@" "$spoustec"
}

# A first start: the folder is made, the sample copied, the program run in
# it, its exit status passed on.
rc=0; spust || rc=$?
slozka=$tmp/home/.local/share/mixor
[[ $rc == 7 ]] || chyba "the program's exit status 7 came back as $rc"
[[ $(head -n1 "$tmp/zapis") == "$slozka" ]] || chyba "started in $(head -n1 "$tmp/zapis"), not $slozka"
cmp -s "$tmp/vzor.txt" "$slozka/$katalog" || chyba "the sample was not copied on the first start"
[[ $(tail -n1 "$tmp/zapis") == $'Alfa\tJed\t' ]] || chyba "the program did not find the catalogue"

# An edited catalogue and the options file survive the next start.
printf 'Upraveno\tJed\t\n' >"$slozka/$katalog"
printf 'Volby:' >"$slozka/volby.txt"
spust || true
[[ $(cat "$slozka/$katalog") == $'Upraveno\tJed\t' ]] || chyba "an edited catalogue was overwritten"
[[ $(cat "$slozka/volby.txt") == "Volby:" ]] || chyba "the options file was changed"

# A catalogue under its Windows-1250 spelling counts as a catalogue.
rm -rf "$tmp/home"
mkdir -p "$slozka"
printf 'Stary\tJed\t\n' >"$slozka/$stary"
spust || true
[[ ! -e "$slozka/$katalog" ]] || chyba "the sample was copied beside a Windows-1250 named catalogue"

# XDG_DATA_HOME names the data folder; an empty or relative one is ignored.
rm -rf "$tmp/home"
spust XDG_DATA_HOME="$tmp/data" || true
[[ $(head -n1 "$tmp/zapis") == "$tmp/data/mixor" ]] || chyba "XDG_DATA_HOME was not honoured"
[[ -f "$tmp/data/mixor/$katalog" && ! -e "$tmp/home/.local/share/mixor" ]] || chyba "the sample went elsewhere than XDG_DATA_HOME"
for jine in "" "relativni/data"; do
    rm -rf "$tmp/home"
    (cd "$tmp" && spust XDG_DATA_HOME="$jine") || true
    [[ $(head -n1 "$tmp/zapis") == "$slozka" ]] || chyba "XDG_DATA_HOME='$jine' was not ignored"
done

# Without a sample the program still starts, and reports the missing catalogue itself.
rm -rf "$tmp/home"
rc=0; spust MIXOR_VZOR="$tmp/chybi.txt" 2>"$tmp/stderr" || rc=$?
[[ $rc == 7 && ! -e "$slozka/$katalog" ]] || chyba "a missing sample stopped the launcher (status $rc)"
grep -q "chybi.txt" "$tmp/stderr" || chyba "a missing sample was not named on stderr"

((chyb == 0)) || exit 1
echo "launcher: all checks passed"
