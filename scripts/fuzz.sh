#!/usr/bin/env bash
# Builds the fuzz targets (clang, into build-fuzz/) and runs each of them for
# the given number of seconds, all at once, starting from the seed inputs in
# fuzz/corpus/<target>/. What a run adds to the inputs stays in
# build-fuzz/corpus/, so a later run goes on from there; an input that breaks
# a target is kept in build-fuzz/findings/ and the script fails.
#
#   scripts/fuzz.sh [seconds] [target...]     (default 60 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNVX_FUZZ=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

mkdir -p build-fuzz/findings build-fuzz/logs
pids=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t"
    build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
        >"build-fuzz/logs/$t.log" 2>&1 &
    pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
    t=${targets[$i]}
    if wait "${pids[$i]}"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/logs/$t.log")
        corpus=$(find "build-fuzz/corpus/$t" -type f | wc -l)
        echo "fuzz: $t: ${runs:-?} inputs in ${seconds} s, no finding ($corpus inputs kept)"
    else
        failed=1
        echo "fuzz: $t: FINDING, see build-fuzz/logs/$t.log and build-fuzz/findings/" >&2
        grep -E "property broken|ERROR|SUMMARY|runtime error" "build-fuzz/logs/$t.log" | head -5 >&2 || true
    fi
done
exit $failed
