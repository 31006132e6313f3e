#!/bin/sh
# Draws docs/sound_overview.png: one labelled spectrogram per sound, effects in table
# order, then the songs. Needs sox and ImageMagick. Usage: overview.sh [SOURCE_ROOT]
set -eu
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
files="click count dropdown flyback gong hintzoom lampexplode mouseover puzzlerotate puzzpick
puzzzoom_1 puzzzoom_2 puzzzoom_3 puzzzoom_4 puzzzoom_5 rainloop texthit windloop bg_shoot bomb
combo freeze levelcomplete wind xplode song1 song2 song3"
i=0
for f in $files; do
    n=$(printf '%02d' $i)
    # Mono mix-down keeps one panel per file; -r leaves out axes so the grid stays compact.
    sox "$root/assets/sfx/$f.ogg" -n remix - spectrogram -r -x 300 -y 129 -z 90 -o "$tmp/$n.png"
    convert "$tmp/$n.png" -resize '300x129!' -background '#202020' -fill white -font DejaVu-Sans -pointsize 13 \
        -size 300x18 -gravity west \
        label:"$i  $f.ogg  $(soxi -d "$root/assets/sfx/$f.ogg" | sed 's/^00://')" +swap -append +set label "$tmp/$n.png"
    i=$((i + 1))
done
montage "$tmp"/*.png -tile 4x -geometry +4+4 -background '#101010' "$tmp/all.png"
convert "$tmp/all.png" -strip -depth 8 -define png:exclude-chunks=date,time "$root/docs/sound_overview.png"
