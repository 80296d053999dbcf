#!/usr/bin/env bash
# Builds the fuzz targets with clang (their own build, build-fuzz/) and runs each from its
# committed seed corpus (fuzz/corpus/<target>): every reader of what comes from outside must
# take anything without a crash, a hang or a sanitizer report.
#
#   bash scripts/fuzz.sh                 the regression check the test command runs: a fixed
#                                        number of runs from a fixed seed, the same every time
#   FUZZ_SECONDS=600 bash scripts/fuzz.sh   fuzz for longer; what it finds goes to
#                                        build-fuzz/corpus/<target>
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQEL_BUILD_TESTS=OFF -DQEL_BUILD_BENCH=OFF -DQEL_BUILD_FUZZERS=ON \
  "-DCMAKE_CXX_FLAGS=$flags" >/dev/null
targets=(box_stream settings_files race_files journal)
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  mkdir -p "$work"
  if [ -n "${FUZZ_SECONDS:-}" ]; then
    limit=(-max_total_time="$FUZZ_SECONDS")
  else
    limit=(-runs=20000 -seed=1)
  fi
  echo "fuzz_$target: ${limit[*]}"
  "build-fuzz/fuzz/fuzz_$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$work" "fuzz/corpus/$target" 2>&1 | grep -E "^#|Done|ERROR|SUMMARY" | tail -3
  test "${PIPESTATUS[0]}" -eq 0
done
