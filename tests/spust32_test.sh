#!/usr/bin/env bash
# scripts/spust32.sh on a small 32-bit program: forced onto the emulated road
# it runs the program under qemu-i386 with the machine's 32-bit libraries,
# and on either road it passes the arguments, the output and the exit status.
# Usage: spust32_test.sh CXX SOURCE_DIR
# Without g++-multilib or qemu-i386 it skips (status 77), under CI it fails.
set -euo pipefail
cxx=$1 zdroj=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chyb=0
chyba() { echo "FAIL: $*" >&2; chyb=$((chyb + 1)); }
vynech() {
    echo "$* (scripts/install-deps.sh installs it)" >&2
    [[ -n ${CI:-} ]] && exit 1
    exit 77
}

cat >"$tmp/program.cpp" <<'PROGRAM'
#include <cstdio>
#include <cstdlib>
int main(int argc, char** argv)
{
    std::printf("%zu-bit", sizeof(void*) * 8);
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\n");
    return argc > 1 ? std::atoi(argv[1]) : 0;
}
PROGRAM
"$cxx" -m32 "$tmp/program.cpp" -o "$tmp/program" 2>"$tmp/cxx.log" || vynech "no 32-bit compiler: $(head -n1 "$tmp/cxx.log")"
command -v qemu-i386 >/dev/null || vynech "qemu-i386 is missing"

# A qemu-i386 ahead on PATH notes how it was called, then emulates.
mkdir "$tmp/bin"
cat >"$tmp/bin/qemu-i386" <<QEMU
#!/bin/sh
printf '%s\n' "\$*" >>"$tmp/qemu.log"
exec $(command -v qemu-i386) "\$@"
QEMU
chmod +x "$tmp/bin/qemu-i386"
spust() { PATH="$tmp/bin:$PATH" bash "$zdroj/scripts/spust32.sh" "$tmp/program" "$@"; }

rc=0; vystup=$(MIXOR_M32_EMULATE=1 spust 3 "dvě slova") || rc=$?
[[ $vystup == "32-bit [3] [dvě slova]" ]] || chyba "emulated: printed '$vystup'"
[[ $rc == 3 ]] || chyba "emulated: exit status 3 came back as $rc"
[[ $(cat "$tmp/qemu.log" 2>/dev/null) == "-L / $tmp/program 3 dvě slova" ]] ||
    chyba "emulated: qemu-i386 was called as '$(cat "$tmp/qemu.log" 2>/dev/null)'"

# Unforced, the program runs directly, or under qemu-i386 where the kernel refuses it.
rm -f "$tmp/qemu.log"
rc=0; vystup=$(unset MIXOR_M32_EMULATE; spust 5 2>/dev/null) || rc=$?
[[ $vystup == "32-bit [5]" && $rc == 5 ]] || chyba "unforced: printed '$vystup', status $rc"
primo=0; "$tmp/program" >/dev/null 2>&1 || primo=$?
if ((primo == 126)) && [[ ! -s $tmp/qemu.log ]]; then
    chyba "unforced: the kernel refuses 32-bit programs, yet qemu-i386 was not used"
elif ((primo != 126)) && [[ -s $tmp/qemu.log ]]; then
    chyba "unforced: qemu-i386 was used, though the kernel runs 32-bit programs"
fi

((chyb == 0)) || exit 1
echo "32-bit runner: all checks passed"
