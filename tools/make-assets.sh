#!/usr/bin/env bash
# Regenerates every asset of the game from its sources: pictures, icons, sounds, the font and
# the puzzle libraries. The results are committed, so a normal build never needs this.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-deps"
bash "$root/tools/art/build-pieces.sh"
bash "$root/tools/art/build-ui.sh"
/usr/bin/python3 "$root/tools/sounds/make_sounds.py"
cmake -S "$root" -B "$root/build-tools" -DCMAKE_BUILD_TYPE=Release -DTESSARAN_TESTS=OFF -DTESSARAN_BENCH=OFF >/dev/null
cmake --build "$root/build-tools" -j"$(nproc)" --target tessaran-puzzlegen
bash "$root/tools/fontgen/make-font.sh" "$root/build-tools/fontgen"
"$root/build-tools/tools/puzzlegen/tessaran-puzzlegen" --seed 2026 --out "$root/data/levels"
echo "Assets regenerated; run bash scripts/test to check them."
