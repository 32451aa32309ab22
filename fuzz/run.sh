#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60)
# from a seed corpus written by the program's own writers.
# usage: fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_FUZZ=ON -DMORVANE_GUI=OFF -DMORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j 2 --target fuzz_atr fuzz_map fuzz_png make_seeds

corpus="$build/corpus"
mkdir -p "$corpus/atr" "$corpus/map" "$corpus/png"
"$build/fuzz/make_seeds" "$corpus/atr" "$corpus/map" "$corpus/png"
maps=../shared/testdata/maps
if [ -d "$maps" ]; then cp "$maps"/16.map "$maps"/goodega.map "$maps"/landscap.map "$corpus/map/"; fi

for target in atr map png; do
  log="$build/fuzz_$target.log"
  echo "fuzzing the $target reader for ${seconds}s"
  if ! (cd "$build" && "./fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
          -rss_limit_mb=2048 -malloc_limit_mb=256 -print_final_stats=1 "corpus/$target") >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target found a failure (see $log)"
    exit 1
  fi
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
done
