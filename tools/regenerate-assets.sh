#!/usr/bin/env bash
# Regenerates every embedded asset and the overview pictures in docs/ with our own generators.
# Deterministic: a second run leaves `git status` clean. Usage: tools/regenerate-assets.sh
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
cd "$src"
tools/deps.sh --tools
cmake -S . -B build-tools -G Ninja -DVELMORA_TOOLS=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build build-tools -j "$(nproc)"
bin=build-tools/tools

"$bin/gfxgen/velmora-gfxgen"                                   # pictures under assets/gfx
"$bin/fontgen/velmora-fontgen" --out assets/gfx/fonts --sample docs/fonts_sample.png
"$bin/sfxgen/velmora-sfxgen"                                   # effects and songs under assets/sfx
"$bin/textgen/velmora-textgen"                                 # assets/data/wisdoms.ini
"$bin/langgen/velmora-langgen"                                 # assets/lang/default.lang
if [[ -x "$bin/levelgen/velmora-levelgen" ]]; then "$bin/levelgen/velmora-levelgen"; fi
"$bin/gfxsheet/velmora-gfxsheet"                               # docs/gfx_*.png
"$bin/gfxsheet/velmora-gfxsheet" --check
tools/sfxgen/overview.sh "$src"                                # docs/sound_overview.png
"$bin/screens/velmora-screens" docs                           # docs/fonts_in_game.png
