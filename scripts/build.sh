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
# A compiler cache, where one is installed, makes a rebuild of unchanged sources nearly free;
# the base folder lets checkouts in different folders share it.
if command -v ccache >/dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
  # Sources compiled with the precompiled Qt headers are cached only when ccache may
  # trust the header's own checks of macros and time stamps.
  export CCACHE_SLOPPINESS=pch_defines,time_macros
fi

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
