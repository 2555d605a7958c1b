#!/usr/bin/env bash
# The launcher: which folder it starts the program in, that it copies the
# sample catalogue there only while none is there, that it passes its
# arguments on, and that it says why when it cannot prepare the folder. A
# stand-in program records the folder it was started in, what it found there
# and its arguments, or the message it was asked to show.
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
if [ "${1-}" = --hlaseni ]; then
    printf '%s\n' "$2" >"$ZAPIS.hlaseni"
    exit 0
fi
printf '[%s]' "$@" >"$ZAPIS.argumenty"
pwd >"$ZAPIS"
cat ./Přísady.txt >>"$ZAPIS" 2>/dev/null || true
exit 7
PROGRAM
chmod +x "$tmp/program"

# Runs the launcher with a fresh HOME and no display; arguments before "--"
# are environment settings, those after it the launcher's arguments.
spust() {
    local nastaveni=()
    while (($#)) && [[ $1 != -- ]]; do nastaveni+=("$1"); shift; done
    (($#)) && shift
    rm -f "$tmp/zapis" "$tmp/zapis.hlaseni" "$tmp/zapis.argumenty"
    env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/home" ZAPIS="$tmp/zapis" \
        MIXOR_PROGRAM="$tmp/program" MIXOR_VZOR="$tmp/vzor.txt" "${nastaveni[@]}" "$spoustec" "$@"
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

# The arguments go to the program as they were given.
rm -rf "$tmp/home"
spust -- --version-x "dvě slova" "" || true
[[ $(cat "$tmp/zapis.argumenty") == "[--version-x][dvě slova][]" ]] ||
    chyba "the program got the arguments $(cat "$tmp/zapis.argumenty")"

# --help and --version answer on standard output, start nothing and make no folder.
rm -rf "$tmp/home"
for volba in --help -h --version; do
    rc=0; spust -- "$volba" >"$tmp/stdout" 2>"$tmp/stderr" || rc=$?
    [[ $rc == 0 && ! -s $tmp/stderr && ! -e $tmp/zapis && ! -e $tmp/home ]] ||
        chyba "$volba: status $rc, stderr '$(cat "$tmp/stderr")', or it started or made something"
done
spust -- --help | grep -q -- "--version" ||
    chyba "--help does not list --version"
[[ $(spust -- --version) =~ ^mixor-spustit\ \(Mixorův\ průvodce\ 2\)\ [0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    chyba "--version printed '$(spust -- --version)'"

# A folder that cannot be prepared: the reason on standard error and, with a
# display, in the program's message box; status 1 and no start.
neprichystano() {
    local popis=$1 ocekavany=$2; shift 2
    rc=0; spust "$@" 2>"$tmp/stderr" || rc=$?
    [[ $rc == 1 ]] || chyba "$popis: status $rc, not 1"
    [[ ! -e $tmp/zapis ]] || chyba "$popis: the program was started"
    grep -q "$ocekavany" "$tmp/stderr" || chyba "$popis: stderr '$(cat "$tmp/stderr")' lacks '$ocekavany'"
}
rm -rf "$tmp/home"
mkdir -p "$tmp/home/.local/share"
touch "$slozka"
neprichystano "a file in place of the folder" "Složku hráče $slozka nelze vytvořit"
[[ ! -e $tmp/zapis.hlaseni ]] || chyba "a message box was asked for without a display"
neprichystano "a file in place of the folder, with a display" "Složku hráče $slozka nelze vytvořit" DISPLAY=:mixor-test
[[ $(cat "$tmp/zapis.hlaseni" 2>/dev/null) == "$(sed 's/^mixor-spustit: //' "$tmp/stderr")" ]] ||
    chyba "the message box showed '$(cat "$tmp/zapis.hlaseni" 2>/dev/null)', not the reason on stderr"

# A copy cut short (a cp that writes half and fails) leaves no catalogue behind.
rm -rf "$tmp/home"
mkdir "$tmp/bin"
cat >"$tmp/bin/cp" <<'CP'
#!/bin/sh
printf 'Alf' >"$3"
echo "cp: error writing '$3': No space left on device" >&2
exit 1
CP
chmod +x "$tmp/bin/cp"
neprichystano "a failed copy" "Ukázkový katalog nelze zkopírovat.*No space left" PATH="$tmp/bin:$PATH" WAYLAND_DISPLAY=wayland-test
[[ -s $tmp/zapis.hlaseni ]] || chyba "a failed copy: no message box under Wayland"
[[ -z $(ls -A "$slozka") ]] || chyba "a failed copy left $(ls -A "$slozka") in the player's folder"

((chyb == 0)) || exit 1
echo "launcher: all checks passed"
