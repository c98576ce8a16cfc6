#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG (needs rsvg-convert, Debian
# package librsvg2-bin). Run after changing the SVG and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/../packaging/linux/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.tintwell.Tintwell.svg -o "org.tintwell.Tintwell-$size.png"
done
