#!/usr/bin/env bash
# The engine, its tests and the catalogue inspector built for 32-bit x86
# with no SIMD (cmake/m32.cmake), from the project's own CMake targets. The
# engine tests must pass there, and the inspector must print for the sample
# catalogue exactly what the main build's inspector prints. The programs run
# directly or, where the kernel runs no 32-bit programs, under qemu-i386
# (scripts/spust32.sh; MIXOR_M32_EMULATE=1 forces that).
#
#   scripts/build-m32.sh MAIN_BUILD_DIR OUT_DIR
#
# Needs g++-multilib, the googletest sources (/usr/src/googletest) and, for
# the emulated road, qemu-user.
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 MAIN_BUILD_DIR OUT_DIR" >&2
    exit 2
fi
main_build=$(realpath "$1")
out=$2
cd "$(dirname "$0")/.."

cmake -S . -B "$out" -G Ninja --toolchain cmake/m32.cmake -DCMAKE_BUILD_TYPE=Release \
    -DMIXOR_WINDOW=OFF -DBUILD_TESTING=ON -DMIXOR_BENCH=OFF
cmake --build "$out" --target engine_tests mixor-katalog

# The road is chosen once, so the log says once which it is.
status=0
"$out/tools/mixor-katalog" --help >/dev/null 2>&1 || status=$?
if ((status == 126)); then
    export MIXOR_M32_EMULATE=1
fi
if [[ ${MIXOR_M32_EMULATE:-} == 1 ]]; then
    echo "m32: the 32-bit programs run under qemu-i386"
else
    echo "m32: the 32-bit programs run directly"
fi
spust32=scripts/spust32.sh
"$spust32" "$out/tests/engine_tests" --gtest_brief=1
sample=data/Přísady.txt
for mode in "" "--lint" "--from 0" "--effect 0" "--brew 0,1,2,3"; do
    # shellcheck disable=SC2086  # the mode is one or two words
    if ! cmp -s <("$main_build/tools/mixor-katalog" "$sample" $mode) <("$spust32" "$out/tools/mixor-katalog" "$sample" $mode); then
        echo "m32: the 32-bit inspector differs on $sample ${mode:-(catalogue)}" >&2
        exit 1
    fi
done
echo "m32: engine tests pass and the inspector agrees on $sample"
