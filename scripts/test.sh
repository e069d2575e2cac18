#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal build and
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer. Fails if either fails.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen

echo "== normal build"
bash scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")

echo "== Debian package and installed programs"
bash scripts/test-package.sh build

echo "== sanitizer build (address, undefined)"
bash scripts/build.sh --sanitize
(cd build-sanitize && ctest --output-on-failure -j"$(nproc)")

echo "All tests passed in both builds ($((SECONDS - start)) s)."
