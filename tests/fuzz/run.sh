#!/usr/bin/env bash
# Runs every fuzz target for a bounded number of inputs. Usage: tests/fuzz/run.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-100000}
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
declare -A seeds=(
    [fuzz_levelset]="$src/tests/data/levelsets $src/tests/data/broken"
    [fuzz_users]="$src/tests/data/broken"
    [fuzz_ini]="$src/tests/data/ini $src/tests/data/broken"
    [fuzz_fnt]="$src/assets/gfx/fonts $src/tests/data/broken"
    [fuzz_language]="$src/assets/lang $src/tests/data/broken"
)
status=0
for target in "${!seeds[@]}"; do
    bin="$build/tests/fuzz/$target"
    [[ -x "$bin" ]] || { echo "missing $bin"; status=1; continue; }
    mkdir -p "$work/$target"
    echo "-- $target: $runs inputs"
    # Findings land in the working folder; keep them out of the source tree.
    if ! (cd "$work" && "$bin" -runs="$runs" -close_fd_mask=1 -print_final_stats=1 "$work/$target" ${seeds[$target]} \
            2>"$work/$target.log"); then
        tail -40 "$work/$target.log"
        status=1
    else
        grep -E "stat::number_of_executed_units" "$work/$target.log" || true
    fi
done
exit $status
