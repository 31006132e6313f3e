#!/usr/bin/env bash
# Redraws the level editor's pictures in docs/ with the game itself: runs the editor's
# whole-program tests, which keep their runs' folders when asked, and copies their shots.
# Usage: tools/editor-pictures.sh [BUILD_DIR]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
tmp=${TMPDIR:-/tmp}
VELMORA_KEEP_RUNS=1 SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
    "$build/tests/velmora_tests" --gtest_filter='EditorRun.*' >/dev/null
built=$tmp/velmora_game_editor_build
reopened=$tmp/velmora_game_editor_reopen
for shot in editor_name editor_tutorial editor_normal editor_properties editor_bonus editor_bonus_options; do
    cp "$built/$shot.png" "$src/docs/$shot.png"
done
cp "$reopened/chooser.png" "$src/docs/editor_chooser.png"
cp "$reopened/overwrite.png" "$src/docs/editor_overwrite.png"
rm -rf "$built" "$reopened"
echo "pictures written to $src/docs"
