#!/usr/bin/env bash
# cmake --install into a temporary prefix: exactly the program, the launcher,
# the sample catalogue, a valid menu entry and its icon; the installed
# launcher finds the installed program and sample by itself.
# Usage: instalace_test.sh CMAKE BUILD_DIR SOURCE_DIR
# Without desktop-file-validate or rsvg-convert it skips (status 77), under CI it fails.
set -euo pipefail
cmake=$1 build=$2 zdroj=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }

for nastroj in desktop-file-validate rsvg-convert; do
    if ! command -v "$nastroj" >/dev/null; then
        echo "$nastroj is missing (scripts/install-deps.sh installs it)" >&2
        [[ -n ${CI:-} ]] && exit 1
        exit 77
    fi
done

"$cmake" --install "$build" --prefix "$tmp/p" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }
p=$tmp/p

ocekavane="bin/mixor
bin/mixor-spustit
share/applications/mixor.desktop
share/icons/hicolor/scalable/apps/mixor.svg
share/mixor/Přísady.txt"
skutecne=$(cd "$p" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[[ $skutecne == "$(LC_ALL=C sort <<<"$ocekavane")" ]] || chyba "installed files differ:"$'\n'"$skutecne"

[[ -x $p/bin/mixor && -x $p/bin/mixor-spustit ]] || chyba "the program or the launcher is not executable"
cmp -s "$zdroj/data/Přísady.txt" "$p/share/mixor/Přísady.txt" || chyba "the sample catalogue differs from data/"

# The menu entry: valid, Czech, a game, started through the launcher with the icon.
entry=$p/share/applications/mixor.desktop
desktop-file-validate "$entry" || chyba "desktop-file-validate rejects the entry"
klic() { sed -n "s/^$1=//p" "$entry"; }
[[ $(klic Name) == "Mixorův průvodce 2" ]] || chyba "Name is '$(klic Name)'"
[[ $(klic Comment) == *lektvar* ]] || chyba "Comment is '$(klic Comment)'"
[[ ";$(klic Categories)" == *";Game;"* ]] || chyba "Categories '$(klic Categories)' lack Game"
[[ -x $p/bin/$(klic Exec) ]] || chyba "Exec '$(klic Exec)' is not an installed program"
[[ -f $p/share/icons/hicolor/scalable/apps/$(klic Icon).svg ]] || chyba "Icon '$(klic Icon)' is not installed"
rsvg-convert -w 48 -h 48 "$p/share/icons/hicolor/scalable/apps/mixor.svg" -o "$tmp/ikona.png" ||
    chyba "the icon does not render"

# The installed launcher, with a stand-in for the program, in a fresh HOME.
cat >"$p/bin/mixor" <<'PROGRAM'
#!/bin/sh
pwd >"$ZAPIS"
PROGRAM
env -u XDG_DATA_HOME -u MIXOR_PROGRAM -u MIXOR_VZOR HOME="$tmp/home" ZAPIS="$tmp/zapis" "$p/bin/mixor-spustit" ||
    chyba "the installed launcher failed"
[[ $(cat "$tmp/zapis" 2>/dev/null) == "$tmp/home/.local/share/mixor" ]] || chyba "the installed program was not started in the player's folder"
cmp -s "$zdroj/data/Přísady.txt" "$tmp/home/.local/share/mixor/Přísady.txt" || chyba "the installed sample was not copied"

((chyb == 0)) || exit 1
echo "install: all checks passed"
