#!/usr/bin/env bash
# Plays the tours in tools/tours with two builds of the game and compares the pictures they
# keep, pixel by pixel: for checking that a renderer change draws the same frames.
#
#   tools/compare-frames.sh OLD_VELMORA NEW_VELMORA [TOUR...]
#
# A tour is a folder with `options` (the command-line options), `script.txt` (an input script
# with `shot` lines) and optionally `data/` (player profiles) to start from. For each picture
# the line gives the number of differing pixels and the largest difference of a colour channel
# (ImageMagick's compare). Exits 1 when any picture differs.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -ge 2 ]] || { echo "usage: tools/compare-frames.sh OLD_VELMORA NEW_VELMORA [TOUR...]" >&2; exit 2; }
old=$(realpath "$1")
new=$(realpath "$2")
shift 2
tours=("$@")
[[ ${#tours[@]} -gt 0 ]] || tours=($(ls "$src/tools/tours"))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null username=Tester

run() {  # binary tour folder
    local dir="$3"
    mkdir -p "$dir"
    [[ -d "$src/tools/tours/$2/data" ]] && cp -r "$src/tools/tours/$2/data" "$dir/"
    cp "$src/tools/tours/$2/script.txt" "$dir/"
    eval "local args=($(cat "$src/tools/tours/$2/options"))"
    local last
    last=$(awk '!/^#/ && NF {f=$1} END {print f + 2}' "$dir/script.txt")
    (cd "$dir" && "$1" --virtual-clock --seed 5 "${args[@]}" --script script.txt --max-frames "$last" >run.log 2>&1)
}

differ=0
pictures=0
for tour in "${tours[@]}"; do
    run "$old" "$tour" "$work/old/$tour"
    run "$new" "$tour" "$work/new/$tour"
    for a in "$work/old/$tour"/*.png; do
        b="$work/new/$tour/$(basename "$a")"
        pictures=$((pictures + 1))
        if [[ ! -f "$b" ]]; then
            echo "$tour/$(basename "$a"): missing in the new run"
            differ=$((differ + 1))
            continue
        fi
        ae=$(compare -metric AE "$a" "$b" null: 2>&1 || true)
        if [[ "$ae" != "0" ]]; then
            pae=$(compare -metric PAE "$a" "$b" null: 2>&1 || true)
            echo "$tour/$(basename "$a"): $ae pixels differ, largest channel difference $pae"
            differ=$((differ + 1))
        fi
    done
done
echo "$pictures pictures compared, $differ differ"
[[ $differ -eq 0 ]]
