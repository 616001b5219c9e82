#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer, ASan, UBSan) in build-fuzz and runs each for a bounded
# time: the compute run from the seed corpus fuzz/corpus, the identification from
# fuzz/identification_corpus. Inputs the fuzzers find go to build-fuzz/corpus and
# build-fuzz/identification_corpus, crash files to build-fuzz/crashes; none is part of the
# repository.
# Usage: scripts/fuzz.sh [seconds per fuzzer]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build-fuzz
jobs="$(nproc)"

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" -j "$jobs"

mkdir -p "$build/corpus" "$build/identification_corpus" "$build/crashes"
# A small quarantine still catches use after free in one run and halves the page faults.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# One fuzzer: its name, where the tests replay its finds, then its corpus directories (the first
# receives new inputs; the seeds are only read) and options.
run() {
    local fuzzer="$1" replays="$2"
    shift 2
    if ! "$build/$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=1024 \
        -artifact_prefix="$build/crashes/" -print_final_stats=1 "$@"; then
        echo "fuzz: failure found; replay with: $build/$fuzzer $build/crashes/<file>" >&2
        echo "fuzz: then add its case to $replays" >&2
        exit 1
    fi
}

run compute_run_fuzzer "the replays in tests/conversion/compute_run_test.cpp" \
    "$build/corpus" fuzz/corpus -dict=fuzz/compute_run.dict
run identification_fuzzer "the outcomes in tests/identification/identification_test.cpp" \
    "$build/identification_corpus" fuzz/identification_corpus
