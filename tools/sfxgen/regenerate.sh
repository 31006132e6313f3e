#!/bin/sh
# Rebuilds the sound and text generators and regenerates everything they own:
# assets/sfx/*.ogg, assets/data/wisdoms.ini and docs/sound_overview.png.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake -S "$root" -B "$root/build-tools" -G Ninja -DVELMORA_TOOLS=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build "$root/build-tools" -j2 --target velmora-sfxgen velmora-textgen
"$root/build-tools/tools/sfxgen/velmora-sfxgen"
"$root/build-tools/tools/textgen/velmora-textgen"
"$root/tools/sfxgen/overview.sh" "$root"
