#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a while.
#
#   scripts/fuzz.sh BUILD_DIR SECONDS
#
# The targets come from BUILD_DIR/fuzz/targets.tsv, which fuzz/CMakeLists.txt
# writes (name, executable, seed corpus, maximum input length). Each target
# fuzzes a scratch copy of its seed corpus under BUILD_DIR/fuzz-work/NAME, so
# the committed corpus is never changed; crash, leak and timeout inputs are
# saved there too. Exits non-zero if any target crashed, leaked, timed out or
# ran out of memory.
set -euo pipefail

if (($# != 2)) || ! [[ "$2" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build_dir=$1
seconds=$2
manifest="$build_dir/fuzz/targets.tsv"
if [[ ! -s "$manifest" ]]; then
    echo "fuzz: no target list at $manifest (configure with -DMIXOR_FUZZ=ON and build first)" >&2
    exit 2
fi

work_root="$build_dir/fuzz-work"
failed=()
count=0
while IFS=$'\t' read -r name executable corpus max_len; do
    [[ -n "$name" ]] || continue
    count=$((count + 1))
    if [[ ! -x "$executable" ]]; then
        echo "fuzz: $name: executable $executable missing" >&2
        failed+=("$name")
        continue
    fi
    if [[ ! -d "$corpus" ]]; then
        echo "fuzz: $name: seed corpus $corpus missing" >&2
        failed+=("$name")
        continue
    fi

    work="$work_root/$name"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp -R "$corpus/." "$work/corpus/"
    log="$work/fuzz.log"

    echo "fuzz: $name for ${seconds}s on a copy of $corpus ($(find "$work/corpus" -type f | wc -l) seeds)"
    status=0
    "$executable" \
        -max_total_time="$seconds" \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -max_len="$max_len" \
        -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" \
        "$work/corpus" </dev/null >"$log" 2>&1 || status=$?

    artifacts=$(find "$work/artifacts" -type f | wc -l)
    if ((status != 0 || artifacts != 0)); then
        echo "fuzz: $name FAILED (exit $status); inputs in $work/artifacts, log $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$name")
    else
        grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log" | sed "s/^/fuzz: $name: /" || true
        echo "fuzz: $name: ok, corpus now $(find "$work/corpus" -type f | wc -l) inputs"
    fi
done <"$manifest"

if ((count == 0)); then
    echo "fuzz: $manifest lists no target" >&2
    exit 2
fi
if ((${#failed[@]} != 0)); then
    echo "fuzz: failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: all $count target(s) ran ${seconds}s without a finding"
