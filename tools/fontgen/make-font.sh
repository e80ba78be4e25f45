#!/usr/bin/env bash
# Rebuilds data/Another.fnt from Quicksand Bold and writes a preview beside the tool's build.
# Usage: tools/fontgen/make-font.sh [build-folder]   (default: build-font-tool)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-font-tool}
face=/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf
[ -f "$face" ] || { echo "missing $face: install fonts-quicksand (scripts/setup-deps)" >&2; exit 1; }
cmake -S "$root/tools/fontgen" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/tessaran-fontgen" build --font "$face" --out "$root/data/Another.fnt" --em 56 --sheet 1024x512 --padding 4 --gamma 1.4
"$build/tessaran-fontgen" preview "$root/data/Another.fnt" "$build/Another-preview.png"
"$build/tessaran-fontgen" sheet "$root/data/Another.fnt" "$build/Another-sheet.png"
