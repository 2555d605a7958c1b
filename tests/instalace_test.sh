#!/usr/bin/env bash
# cmake --install into a temporary prefix: exactly the programs, the launcher,
# the sample catalogue, a valid menu entry that runs the installed launcher,
# valid AppStream data, the icon as SVG and PNGs of every size, manual pages
# and the licence; the installed launcher finds the installed program and
# sample by itself, and the programs answer --version with no display.
# Usage: instalace_test.sh CMAKE BUILD_DIR SOURCE_DIR
# Without desktop-file-validate or appstreamcli it skips
# (status 77), under CI it fails.
set -euo pipefail
cmake=$1 build=$2 zdroj=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }

for nastroj in desktop-file-validate appstreamcli; do
    if ! command -v "$nastroj" >/dev/null; then
        echo "$nastroj is missing (scripts/install-deps.sh installs it)" >&2
        [[ -n ${CI:-} ]] && exit 1
        exit 77
    fi
done

# A prefix with a blank in it, as a home folder may have.
p="$tmp/pre fix"
"$cmake" --install "$build" --prefix "$p" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }
programy=$(sed -n 's/^MIXOR_PROGRAM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")

ocekavane="$programy/mixor
$programy/mixor-katalog
$programy/mixor-spustit
share/applications/org.example.mixor.desktop
share/doc/mixor/changelog.Debian.gz
share/doc/mixor/copyright
share/icons/hicolor/scalable/apps/mixor.svg
share/lintian/overrides/mixor
share/metainfo/org.example.mixor.metainfo.xml
share/mixor/Přísady.txt"
for velikost in 16 24 32 48 64 128 256; do
    ocekavane+=$'\n'"share/icons/hicolor/${velikost}x$velikost/apps/mixor.png"
done
for jazyk in "" cs/; do
    for program in mixor mixor-spustit mixor-katalog; do
        ocekavane+=$'\n'"share/man/${jazyk}man6/$program.6.gz"
    done
done
skutecne=$(cd "$p" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[[ $skutecne == "$(LC_ALL=C sort <<<"$ocekavane")" ]] || chyba "installed files differ:"$'\n'"$skutecne"

for program in mixor mixor-katalog mixor-spustit; do
    [[ -x $p/$programy/$program ]] || chyba "$program is not executable"
done
cmp -s "$zdroj/data/Přísady.txt" "$p/share/mixor/Přísady.txt" || chyba "the sample catalogue differs from data/"
cmp -s "$zdroj/LICENSE" /usr/share/common-licenses/GPL-3 2>/dev/null || [[ ! -e /usr/share/common-licenses/GPL-3 ]] ||
    chyba "LICENSE is not the GNU GPL version 3"
grep -q "^License: GPL-3+" "$p/share/doc/mixor/copyright" || chyba "the copyright file names no GPL-3+"

# Both programs answer without a display.
for program in mixor mixor-spustit; do
    rc=0; verze=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$p/$programy/$program" --version 2>"$tmp/stderr") || rc=$?
    [[ $rc == 0 && $verze == "$program (Mixorův průvodce 2) "[0-9]* ]] ||
        chyba "$program --version: status $rc, printed '$verze' $(cat "$tmp/stderr")"
done

# Manual pages: gzip without a name or time stamp, and readable by man.
for stranka in "$p"/share/man/*man6/*.gz "$p"/share/man/cs/man6/*.gz; do
    [[ $(od -An -tx1 -j3 -N5 "$stranka" | tr -d ' ') == 0000000000 ]] || chyba "$stranka keeps a name or time stamp"
    if command -v man >/dev/null; then
        varovani=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$stranka" 2>&1 >/dev/null) ||
            chyba "man cannot show $stranka"
        [[ -z $varovani ]] || chyba "man warns about $stranka: $varovani"
    fi
done

# The menu entry: valid, Czech, a game, started by the installed launcher's
# full path, with the icon.
entry=$p/share/applications/org.example.mixor.desktop
desktop-file-validate "$entry" || chyba "desktop-file-validate rejects the entry"
klic() { sed -n "s/^$1=//p" "$entry"; }
[[ $(klic Name) == "Mixorův průvodce 2" ]] || chyba "Name is '$(klic Name)'"
[[ $(klic Comment) == *lektvar* ]] || chyba "Comment is '$(klic Comment)'"
[[ ";$(klic Categories)" == *";Game;"* ]] || chyba "Categories '$(klic Categories)' lack Game"
[[ $(klic Exec) == "\"$p/$programy/mixor-spustit\"" ]] || chyba "Exec '$(klic Exec)' is not the installed launcher, quoted"
[[ -f $p/share/icons/hicolor/scalable/apps/$(klic Icon).svg ]] || chyba "Icon '$(klic Icon)' is not installed"

# AppStream: valid, for this menu entry and these programs.
metainfo=$p/share/metainfo/org.example.mixor.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" >"$tmp/appstream.log" 2>&1 ||
    chyba "appstreamcli rejects the metainfo: $(cat "$tmp/appstream.log")"
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo" ||
    chyba "the metainfo does not launch $(basename "$entry")"
for program in mixor mixor-spustit mixor-katalog; do
    grep -q "<binary>$program</binary>" "$metainfo" || chyba "the metainfo does not provide $program"
done
verze=$(env -u DISPLAY "$p/$programy/mixor-spustit" --version | sed 's/.* //')
[[ $(grep -o -m1 '<release version="[^"]*"' "$metainfo") == "<release version=\"$verze\"" ]] ||
    chyba "the metainfo's newest release is not version $verze"

# Every PNG is a PNG of its folder's size (width and height in its header).
for velikost in 16 24 32 48 64 128 256; do
    png=$p/share/icons/hicolor/${velikost}x$velikost/apps/mixor.png
    hlava=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
    [[ ${hlava:0:16} == 89504e470d0a1a0a && $((16#${hlava:32:8})) == "$velikost" && $((16#${hlava:40:8})) == "$velikost" ]] ||
        chyba "$png is not a $velikost×$velikost PNG"
done

# The installed launcher, with a stand-in for the program, in a fresh HOME.
cat >"$p/$programy/mixor" <<'PROGRAM'
#!/bin/sh
pwd >"$ZAPIS"
PROGRAM
env -u XDG_DATA_HOME -u MIXOR_PROGRAM -u MIXOR_VZOR HOME="$tmp/home" ZAPIS="$tmp/zapis" "$p/$programy/mixor-spustit" ||
    chyba "the installed launcher failed"
[[ $(cat "$tmp/zapis" 2>/dev/null) == "$tmp/home/.local/share/mixor" ]] || chyba "the installed program was not started in the player's folder"
cmp -s "$zdroj/data/Přísady.txt" "$tmp/home/.local/share/mixor/Přísady.txt" || chyba "the installed sample was not copied"

((chyb == 0)) || exit 1
echo "install: all checks passed"
