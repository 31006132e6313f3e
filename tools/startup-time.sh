#!/usr/bin/env bash
# Times exec to the first visible window (found by its title) under Xvfb, for Velmora and,
# when installed, the peers gtans and glpeces, the same way in one run.
#   tools/startup-time.sh [--runs N] [VELMORA_BINARY]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
runs=10
if [[ "${1:-}" == "--runs" ]]; then runs=$2; shift 2; fi
velmora=${1:-$src/build/velmora}
work=$(mktemp -d /tmp/velmora-startup.XXXXXX)
cc -O2 -o "$work/first_window" "$src/tools/startup/first_window.c" -lX11

num=90
while [[ -e /tmp/.X11-unix/X$num || -e /tmp/.X$num-lock ]]; do num=$((num + 1)); done
Xvfb ":$num" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 400); do [[ -e /tmp/.X11-unix/X$num ]] && break; sleep 0.05; done
[[ -e /tmp/.X11-unix/X$num ]] || { echo "Xvfb :$num did not start" >&2; exit 1; }
export DISPLAY=":$num" SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null

# Prints the median, the lowest and the highest of the runs.
measure() {
    local name=$1 title=$2
    shift 2
    local times=()
    for _ in $(seq "$runs"); do
        (cd "$work" && "$work/first_window" "$title" "$@") >>"$work/$name.txt" 2>/dev/null || echo "-1" >>"$work/$name.txt"
    done
    sort -n "$work/$name.txt" | awk -v name="$name" '{ v[NR] = $1 } END {
        printf "%-10s exec to first window: median %6.1f ms (min %.1f, max %.1f, %d runs)\n", name, v[int((NR + 1) / 2)], v[1], v[NR], NR }'
}

measure velmora Velmora "$velmora" --virtual-clock --max-frames 100000
if command -v gtans >/dev/null; then measure gtans gTans gtans; else echo "gtans      not installed"; fi
if command -v glpeces >/dev/null; then measure glpeces GLPeces glpeces; else echo "glpeces    not installed"; fi
