#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60;
# the merge target for half of that) from the seeds in fuzz/corpus and those
# the program's own writers make.
# usage: fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
targets="atr map png render set merge"

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_FUZZ=ON -DMORVANE_GUI=OFF -DMORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j 2 --target make_seeds $(for t in $targets; do echo "fuzz_$t"; done)

corpus="$build/corpus"
for target in $targets; do
  mkdir -p "$corpus/$target"
  if [ -d "fuzz/corpus/$target" ]; then cp fuzz/corpus/"$target"/* "$corpus/$target/"; fi
done
"$build/fuzz/make_seeds" "$corpus/atr" "$corpus/map" "$corpus/png" "$corpus/merge"
cp "$corpus"/atr/* "$corpus/render/"
maps=../shared/testdata/maps
if [ -d "$maps" ]; then cp "$maps"/16.map "$maps"/goodega.map "$maps"/landscap.map "$corpus/map/"; fi

for target in $targets; do
  log="$build/fuzz_$target.log"
  time="$seconds"
  if [ "$target" = merge ]; then time=$(( (seconds + 1) / 2 )); fi
  echo "fuzzing $target for ${time}s"
  if ! (cd "$build" && "./fuzz/fuzz_$target" -max_total_time="$time" -timeout=10 \
          -rss_limit_mb=2048 -malloc_limit_mb=256 -print_final_stats=1 "corpus/$target") >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target found a failure (see $log)"
    exit 1
  fi
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
done
