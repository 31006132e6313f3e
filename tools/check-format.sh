#!/usr/bin/env bash
# Fails when a C++ file strays from .clang-format; with --fix, formats them in place.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
cd "$src"
mapfile -t files < <(git ls-files '*.cpp' '*.hpp' '*.h' '*.c' 2>/dev/null || find . -name '*.[ch]pp' -not -path './build*')
if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run --Werror "${files[@]}"
fi
