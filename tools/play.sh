#!/usr/bin/env bash
# Installs what is missing, builds Velmora and starts it. Players and their level sets are
# kept in ~/.local/share/velmora/data. Extra arguments go to the game.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
"$src/tools/deps.sh"
cmake -S "$src" -B "$src/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build "$src/build-release" --target velmora

home="${XDG_DATA_HOME:-$HOME/.local/share}/velmora"
mkdir -p "$home"
cd "$home"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    num=99
    while [[ -e /tmp/.X11-unix/X$num || -e /tmp/.X$num-lock ]]; do num=$((num + 1)); done
    echo "No display found: starting Velmora on a virtual display (Xvfb :$num)."
    Xvfb ":$num" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    export DISPLAY=":$num"
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$num ]] && break; sleep 0.1; done
fi
"$src/build-release/velmora" "$@"
