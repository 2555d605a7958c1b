#!/usr/bin/env bash
# Runs a 32-bit x86 program: directly, and where the kernel refuses such
# programs (the shell's status 126, before the program ran) through
# user-mode emulation, qemu-i386 from Debian's qemu-user with the machine's
# own 32-bit libraries. MIXOR_M32_EMULATE=1 takes the emulated road on any
# machine. The program's output and exit status are passed on.
#
#   scripts/spust32.sh PROGRAM [ARGUMENT...]
set -uo pipefail

if (($# == 0)); then
    echo "usage: $0 PROGRAM [ARGUMENT...]" >&2
    exit 2
fi

if [[ ${MIXOR_M32_EMULATE:-} != 1 ]]; then
    "$@"
    status=$?
    ((status == 126)) || exit "$status"
    echo "m32: this kernel runs no 32-bit programs; $1 runs under qemu-i386" >&2
fi
if ! command -v qemu-i386 >/dev/null; then
    echo "m32: $1 needs qemu-i386 (Debian package qemu-user; scripts/install-deps.sh installs it)" >&2
    exit 126
fi
exec qemu-i386 -L / "$@"
