#!/usr/bin/env bash
# Builds into build/ (or build-sanitize/ with --sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
flags=()
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-sanitize
  flags+=(-DKELVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DKELVANE_BUILD_BENCH=OFF)
fi

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
