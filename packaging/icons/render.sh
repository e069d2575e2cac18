#!/usr/bin/env bash
# Renders the application icons' PNG sizes from the SVGs (needs rsvg-convert from
# librsvg2-bin). The PNGs are committed, so building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for name in kelvane kelvane-analyzer; do
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "$size"
    rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$size/$name.png"
  done
done
