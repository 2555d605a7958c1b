#!/usr/bin/env bash
# The engine, its tests and the catalogue inspector built for 32-bit x86
# with g++ -m32, whose default target has no SIMD at all. The engine tests
# must pass there, and the inspector must print for the sample catalogue
# exactly what the main build's inspector prints.
#
#   scripts/build-m32.sh MAIN_BUILD_DIR OUT_DIR
#
# Needs g++-multilib and the googletest sources (/usr/src/googletest).
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 MAIN_BUILD_DIR OUT_DIR" >&2
    exit 2
fi
main_build=$1
out=$2
cd "$(dirname "$0")/.."
mkdir -p "$out"

cxx=(g++ -m32 -std=c++20 -O1 -Wall -Wextra -Iengine)
gtest=/usr/src/googletest
gtest_flags=(-isystem "$gtest/googletest/include" -isystem "$gtest/googlemock/include"
             -I"$gtest/googletest" -I"$gtest/googlemock")

# The engine tests' sources, as tests/CMakeLists.txt lists them.
mapfile -t engine_tests < <(sed -n '/^add_executable(engine_tests/,/^)/p' tests/CMakeLists.txt |
                            grep -o '[A-Za-z0-9_]*\.cpp' | sed 's|^|tests/|')

"${cxx[@]}" engine/*.cpp tools/*.cpp -o "$out/mixor-katalog"
"${cxx[@]}" "${gtest_flags[@]}" -pthread engine/*.cpp "${engine_tests[@]}" \
    "$gtest/googletest/src/gtest-all.cc" "$gtest/googlemock/src/gmock-all.cc" \
    "$gtest/googlemock/src/gmock_main.cc" -o "$out/engine_tests"

"$out/engine_tests" --gtest_brief=1
sample=data/Přísady.txt
for mode in "" "--lint" "--from 0" "--effect 0" "--brew 0,1,2,3"; do
    # shellcheck disable=SC2086  # the mode is one or two words
    if ! cmp -s <("$main_build/tools/mixor-katalog" "$sample" $mode) <("$out/mixor-katalog" "$sample" $mode); then
        echo "m32: the 32-bit inspector differs on $sample ${mode:-(catalogue)}" >&2
        exit 1
    fi
done
echo "m32: engine tests pass and the inspector agrees on $sample"
