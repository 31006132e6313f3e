#!/usr/bin/env bash
# Installs what is missing, builds Velmora and runs the whole test suite: the normal build, then
# an install into a temporary prefix with its desktop files validated and the installed game
# run, then the AddressSanitizer + UndefinedBehaviorSanitizer build (with a 20,000-frame soak
# run of a random player), then a bounded fuzzing run.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
"$src/tools/deps.sh" --test
jobs=$(nproc)

echo "== source format"
"$src/tools/check-format.sh"

echo "== build and test"
cmake -S "$src" -B "$src/build" -G Ninja >/dev/null
cmake --build "$src/build" -j "$jobs"
# Playing all 250 levels through the game takes about twenty minutes on two cores; it runs when
# VELMORA_LONG_TESTS=1 (before a release, or after the levels change).
long=(-E SolveAll)
[[ "${VELMORA_LONG_TESTS:-0}" == 1 ]] && long=()
ctest --test-dir "$src/build" --output-on-failure -j "$jobs" "${long[@]}"

echo "== install, desktop files and the installed game"
"$src/tools/check-install.sh" "$src/build"

echo "== sanitizer build and test"
cmake -S "$src" -B "$src/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF >/dev/null
cmake --build "$src/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$src/build-asan" --output-on-failure -j "$jobs" "${long[@]}"

if [[ -f "$src/tests/fuzz/CMakeLists.txt" ]]; then
    echo "== fuzzing (bounded)"
    CC=clang CXX=clang++ cmake -S "$src" -B "$src/build-fuzz" -G Ninja -DVELMORA_FUZZ=ON -DVELMORA_SANITIZE=ON \
        -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
    cmake --build "$src/build-fuzz" -j "$jobs"
    "$src/tests/fuzz/run.sh" "$src/build-fuzz"
fi
