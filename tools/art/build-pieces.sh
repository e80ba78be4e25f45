#!/usr/bin/env bash
# Renders the Vorla SVGs and rebuilds the piece sheets 138 and 249 and the preview; fails on any check.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
src=$root/data/art/pieces
out=$root/data/bitmaps
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: bash scripts/setup-deps" >&2; exit 1; }
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "python3-pil missing: bash scripts/setup-deps" >&2; exit 1; }

mkdir -p "$out"
for v in 1 2 3 4 5 6 7 8; do
  files=("$src"/piece-$v-*.svg)
  [ ${#files[@]} -eq 1 ] && [ -f "${files[0]}" ] || { echo "need exactly one $src/piece-$v-*.svg" >&2; exit 1; }
  # Each source is 128 x 64 user units: pose 0 on the left, pose 1 on the right, one unit per pixel.
  rsvg-convert -w 128 -h 64 -f png -o "$tmp/piece-$v.png" "${files[0]}"
done
rsvg-convert -w 64 -h 64 -f png -o "$tmp/ninth.png" "$src/ninth-reference.svg"

/usr/bin/python3 "$root/tools/art/pieces-compose.py" "$tmp" "$out" "$src/preview.png"
/usr/bin/python3 "$root/tools/art/pieces-check.py" "$out/138.bmp" "$out/249.bmp"
