#!/usr/bin/env bash
# Fuzzes the file readers one after another, each for SECONDS (default 900), under
# nice, with AddressSanitizer and UndefinedBehaviorSanitizer (clang, build-fuzz/).
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]      TARGET: valuereader clusterfile ...
# New inputs go to build-fuzz/corpus/<target>/, inputs that fail to
# build-fuzz/findings/<target>/, and libFuzzer's report to build-fuzz/logs/<target>.log.
# An input that failed belongs in fuzz/corpus/<target>/ once it is fixed, so that its
# replay test keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-900}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=()
  for source in fuzz/fuzz_*.cpp; do
    name=${source#fuzz/fuzz_}
    targets+=("${name%.cpp}")
  done
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DKELVANE_FUZZ=ON \
      -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
for target in "${targets[@]}"; do
  nice -n 19 cmake --build build-fuzz --target "fuzz_$target" -j2
done

export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target" "build-fuzz/findings/$target" build-fuzz/logs
  echo "== fuzz_$target for $seconds s"
  status=0
  nice -n 19 "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=60 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target/" \
    "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
    >"build-fuzz/logs/$target.log" 2>&1 || status=$?
  grep -E '^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/logs/$target.log" || true
  ls "build-fuzz/findings/$target"
  if ((status != 0)); then
    echo "fuzz_$target found a failing input (exit $status): see build-fuzz/logs/$target.log"
  fi
done
