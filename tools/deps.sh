#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build, run and test, skipping those present.
# Usage: tools/deps.sh [--test | --tools]   (--test: the test suite and fuzzers; --tools: the
# asset generators)
set -euo pipefail

pkgs=(cmake ninja-build g++ pkg-config libsdl2-dev libepoxy-dev libopenal-dev libvorbis-dev
      libpng-dev libjpeg-dev zlib1g-dev libgl1-mesa-dri xvfb xauth)
case "${1:-}" in
    --test) pkgs+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
                desktop-file-utils appstream groff-base) ;;
    --tools) pkgs+=(libcairo2-dev libfreetype-dev libfluidsynth-dev fluid-soundfont-gm fonts-urw-base35
                    fonts-dejavu-core fonts-freefont-ttf sox libsox-fmt-all imagemagick) ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
