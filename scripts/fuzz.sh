#!/usr/bin/env bash
# Builds the compute-run fuzzer (clang, libFuzzer, ASan, UBSan) in build-fuzz and runs it for a
# bounded time, starting from the seed corpus fuzz/corpus. Inputs the fuzzer finds go to
# build-fuzz/corpus, crash files to build-fuzz/crashes; neither is part of the repository.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build-fuzz
jobs="$(nproc)"

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" -j "$jobs"

mkdir -p "$build/corpus" "$build/crashes"
# A small quarantine still catches use after free in one run and halves the page faults.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# The first corpus directory receives new inputs; the seeds are only read.
if ! "$build/compute_run_fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=1024 \
    -dict=fuzz/compute_run.dict -artifact_prefix="$build/crashes/" -print_final_stats=1 \
    "$build/corpus" fuzz/corpus; then
    echo "fuzz: failure found; replay with: $build/compute_run_fuzzer $build/crashes/<file>" >&2
    echo "fuzz: then add its bytes to the replays in tests/conversion/compute_run_test.cpp" >&2
    exit 1
fi
