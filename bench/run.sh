#!/bin/sh
# SPDX-License-Identifier: MIT
# Every benchmark, one after the other so that none disturbs another: start-up and memory
# against the floor, CPU per minute, timer accuracy, the cost of one tick, and memory over a
# long run. Usage: bench/run.sh [BUILD_DIR] [MINUTES]   (MINUTES of the memory run, default 10)
set -eu
here=$(dirname "$0")
build=${1:-build}
minutes=${2:-10}

# The benchmarks are built only when asked for.
cmake -S "$here/.." -B "$build" -DTAVIMO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

echo "== start-up and memory after 5 s (median of 10)"
sh "$here/startup.sh" "$build" 10
echo "== CPU per minute (medians of 6 rounds of 10 s)"
sh "$here/cpu.sh" "$build"
echo "== timer accuracy over 60 s"
(. "$here/../scripts/xvfb.sh" && "$build/bench/tavimo_timing" 60)
echo "== one tick (offscreen)"
"$build/bench/tavimo_bench" --benchmark_min_time=1
echo "== memory over $minutes minutes"
sh "$here/memory.sh" "$build" "$minutes"
