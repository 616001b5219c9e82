#!/usr/bin/env bash
# Runs the benchmarks of an optimised build and prints one table: the median of each measurement
# against its budget. The drawing ticks run beside the plain QPainter drawing in the same process,
# their repetitions interleaved, so that a busy machine slows both alike.
# Usage: scripts/bench.sh [build-dir]   (default build-release, configured with
#        -DCMAKE_BUILD_TYPE=Release -DTAMREL_BUILD_BENCH=ON as `make bench` does)
# BENCH_REPETITIONS (default 7) sets the repetitions of each benchmark and of the start-up.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build-release}"
reps="${BENCH_REPETITIONS:-7}"
bin="$build/bench"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

for exe in compute_run_bench identification_bench drawing_tick_bench window_probe; do
    if [ ! -x "$bin/$exe" ]; then
        echo "bench: $bin/$exe is missing; build $build with -DTAMREL_BUILD_BENCH=ON" >&2
        exit 1
    fi
done
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

# Keeps the medians of Google Benchmark's CSV: name,iterations,real_time,cpu_time,time_unit,...
run_benchmark() {
    local exe="$1" repetitions="$2"
    echo "bench: $exe" >&2
    if ! "$bin/$exe" --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true \
        --benchmark_format=csv >"$work/$exe.csv" 2>"$work/$exe.log"; then
        cat "$work/$exe.log" >&2
        return 1
    fi
}

# The median wall-clock time of one benchmark, in the given unit (ns, us, ms or s).
median() {
    local exe="$1" name="$2" unit="$3"
    awk -F, -v name="\"$name" -v unit="$unit" '
        function ns(u) { return u == "s" ? 1e9 : u == "ms" ? 1e6 : u == "us" ? 1e3 : 1 }
        index($1, name "_median\"") == 1 || index($1, name "/real_time_median\"") == 1 {
            printf "%.3g", $3 * ns($5) / ns(unit); found = 1
        }
        END { if (!found) printf "n/a" }' "$work/$exe.csv"
}

run_benchmark compute_run_bench "$reps"
run_benchmark identification_bench "$reps"
run_benchmark drawing_tick_bench "$reps"
have_cli=false
if [ -x "$bin/cli_batch_bench" ]; then
    run_benchmark cli_batch_bench 3  # each repetition converts 100 000 rows several times
    have_cli=true
fi

# Start-up: from starting the process to the window's first paint, with warm caches.
echo "bench: start-up" >&2
"$bin/window_probe" startup >/dev/null
for _ in $(seq "$reps"); do
    start="$EPOCHREALTIME"
    shown="$("$bin/window_probe" startup | awk '$1 == "shown" { print $2 }')"
    awk -v s="$start" -v e="$shown" 'BEGIN { printf "%.1f\n", (e - s * 1e6) / 1000 }'
done >"$work/startup.txt"
startup_ms="$(sort -n "$work/startup.txt" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')"

# Sessions: ticks 1 ms apart keep 1000 ticks short (memory does not depend on the rate) and put
# the input thread against ticks that follow each other; then the window's own 20 ms.
echo "bench: sessions" >&2
"$bin/window_probe" session 1000 59 1 >"$work/session-59.txt"
"$bin/window_probe" session 1000 32767 1 >"$work/session-32767.txt"
"$bin/window_probe" session 200 32767 >"$work/session-32767-20ms.txt"
value() { awk -v k="$2" '$1 == k { print $2 }' "$work/$1"; }
megabytes() { awk -v kb="$(value "$1" vmhwm_kb)" 'BEGIN { printf "%.1f", kb / 1024 }'; }
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

# One row: what, median, unit, budget in that unit, and optionally the plain drawing's median.
row() {
    awk -v what="$1" -v v="$2" -v unit="$3" -v b="$4" -v p="${5:-}" 'BEGIN {
        verdict = (v == "n/a") ? "not measured" : (v + 0 <= b + 0) ? "met" \
            : sprintf("missed by %.3g %s", v - b, unit)
        ratio = (p == "" || p == "n/a" || v + 0 == 0) ? "" : sprintf("%.1fx", p / v)
        plain = (p == "") ? "" : p " " unit
        printf "| %s | %s %s | %s | %s | <= %s %s | %s |\n", what, v, unit, plain, ratio, b, unit,
            verdict
    }'
}

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo
echo "Tamrel benchmarks, $(date -u +%F): $(nproc) cores, $cpu; load average $load_before" \
    "before, $load_after after. Medians of $reps repetitions, wall-clock time."
echo
echo "| measurement | median | plain drawing | speed-up | budget | |"
echo "|---|---|---|---|---|---|"
modes=(Xn W M Sn)
for i in 0 1 2 3; do
    row "compute run, ${modes[$i]} reference" "$(median compute_run_bench "BM_ComputeRun/mode:$i" us)" us 50
done
for i in 0 1 2 3; do
    row "compute run and inspection aids, ${modes[$i]} reference" \
        "$(median compute_run_bench "BM_ComputeRunWithInspection/mode:$i" us)" us 50
done
row "identification of a gear in hand, helix unknown, over balls" \
    "$(median identification_bench BM_Identification ms)" ms 5
declare -A tick_budget=([59]=0.4 [500]=1.5 [5000]=15 [32767]=60)
for teeth in 59 500 5000 32767; do
    row "drawing tick, $teeth teeth" "$(median drawing_tick_bench "BM_DrawingTick/teeth:$teeth" ms)" \
        ms "${tick_budget[$teeth]}" "$(median drawing_tick_bench "BM_StraightforwardTick/teeth:$teeth" ms)"
done
echo "| repaint of the picture on screen, any teeth | $(median drawing_tick_bench BM_PictureRepaint ms) ms | | | | |"
row "start-up, process start to the window shown" "$startup_ms" ms 300
row "peak memory (VmHWM), 1000 ticks, 59 teeth" "$(megabytes session-59.txt)" MB 60
row "peak memory (VmHWM), 1000 ticks, 32767 teeth" "$(megabytes session-32767.txt)" MB 60
for session in session-32767.txt session-32767-20ms.txt; do
    interval=$([ "$session" = session-32767.txt ] && echo "ticks due 1 ms apart" || echo "20 ms timer")
    row "ticks an input event waited for, 32767 teeth, $interval" \
        "$(value "$session" most_ticks_waited)" tick 1
    echo "| (longest wait $(value "$session" longest_wait_ms) ms; tick to tick $(value "$session" tick_period_ms) ms;" \
        "$(value "$session" events_waiting_longer) of $(value "$session" events_handled) events waited longer) | | | | | |"
done
if $have_cli; then
    row "CLI batch, 100 000 rows" "$(median cli_batch_bench BM_CliBatch100k s)" s 2
fi
