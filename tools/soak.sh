#!/usr/bin/env bash
# Long soak run: a random player drives the game from a normal start for N frames on the
# virtual clock. Reports crashes, sanitizer findings, resident memory over time and the profile
# file read back at the end; exits non-zero on any finding.
#
#   tools/soak.sh [--frames N] [--seed S] [--build DIR] [--keep]
#
# --build names a configured build folder (default build/; a sanitizer build folder such as
# build-asan/ makes sanitizer findings fatal). A run that ends by itself before N frames (the
# player found "Quit") is started again in the same folder with the next seed, the profile
# file kept, until N frames have been played in all.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
frames=1000000
seed=1
build="$src/build"
keep=0
while [[ $# -gt 0 ]]; do
    case "$1" in
        --frames) frames=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --build) build=$(cd "$2" && pwd); shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "usage: tools/soak.sh [--frames N] [--seed S] [--build DIR] [--keep]" >&2; exit 2 ;;
    esac
done

if [[ ! -x "$build/velmora" || ! -x "$build/velmora-profiles" ]]; then
    [[ -f "$build/CMakeCache.txt" ]] || cmake -S "$src" -B "$build" -G Ninja -DVELMORA_BENCH=OFF >/dev/null
    cmake --build "$build" --target velmora velmora-profiles
fi

work=$(mktemp -d /tmp/velmora-soak.XXXXXX)
[[ $keep -eq 1 ]] || trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null username=Soak
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$work/sanitizer"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$work/sanitizer"

echo "Soak: $frames frames, seed $seed, $build/velmora, in $work"
findings=0
left=$frames
run=0
start=$(date +%s)
while [[ $left -gt 0 ]]; do
    run=$((run + 1))
    log="$work/run$run.log"
    set +e
    nice "$build/velmora" --virtual-clock --seed "$seed" --soak "$seed" --max-frames "$left" >"$log" 2>&1
    code=$?
    set -e
    played=$(grep -o '^Soak frame [0-9]*' "$log" | tail -1 | awk '{print $3}')
    played=${played:-0}
    if [[ $code -ne 0 ]]; then
        echo "FINDING: run $run (seed $seed) ended with status $code after about $played frames; last lines:"
        tail -20 "$log" | sed 's/^/    /'
        findings=$((findings + 1))
        break
    fi
    if [[ $played -lt $left ]]; then
        # Ended by itself: the last report is at most 10,000 frames old, so count what it says.
        echo "Run $run (seed $seed) ended by itself after about $played frames; starting again"
        [[ $played -gt 0 ]] || played=1
    fi
    left=$((left - played))
    seed=$((seed + 1))
done
elapsed=$(($(date +%s) - start))

if compgen -G "$work/sanitizer*" >/dev/null; then
    echo "FINDING: sanitizer reports:"
    cat "$work"/sanitizer* | head -60 | sed 's/^/    /'
    findings=$((findings + 1))
fi

echo "Memory (kB) by frame: resident, peak, the heap besides the textures, the live textures:"
for log in "$work"/run*.log; do
    # Resident memory follows the screen: the title and player screens keep about twice the
    # pictures of the high-score table, so a run that happens to end on a bigger screen would
    # look like growth. The pictures are counted apart: what is resident besides them, and the
    # heap besides them, must stay within 5 % of their figures after 10,000 frames.
    awk -v run="$(basename "$log" .log)" '
    /^Screen / { screen = $2; for (i = 3; $i !~ /^\(frame/; ++i) screen = screen " " $i; next }
    /^Soak frame/ {
        f = $3; sub(":", "", f); rss = $5; peak = $8
        texKb = NF >= 18 ? $18 : -1
        own = texKb >= 0 ? $11 - texKb : -1; rest = texKb >= 0 ? rss - texKb : -1
        state = screen " / " (texKb >= 0 ? $16 " textures " texKb " kB" : "-")
        if (f == 10000) { base = rss; baseOwn = own; baseRest = rest }
        if (f >= 10000 && !(state in firstSeen)) { firstSeen[state] = rss; firstFrame[state] = f }
        last = rss; lastf = f; lastOwn = own; lastRest = rest; lastState = state
        if (f <= 10000 || f % 100000 == 0)
            printf "    %s %9d frames: %7d resident (%s besides textures), %7d peak, heap %s besides textures; %s\n",
                   run, f, rss, rest < 0 ? "-" : rest, peak, own < 0 ? "-" : own, state
    } END {
        if (lastf % 100000 != 0 && lastf > 10000)
            printf "    %s %9d frames: %7d resident (%s besides textures), %7d peak, heap %s besides textures; %s\n",
                   run, lastf, last, lastRest < 0 ? "-" : lastRest, peak, lastOwn < 0 ? "-" : lastOwn, lastState
        if (base <= 0 || lastf <= 10000) exit 0
        bad = 0
        printf "    %s: resident %d kB at the end against %d kB after 10,000 frames: %+.1f %%\n", run, last, base,
               (last - base) * 100.0 / base
        if (firstFrame[lastState] < lastf)
            printf "    %s: resident %d kB at the end against %d kB at frame %d in the same state: %+.1f %%\n", run,
                   last, firstSeen[lastState], firstFrame[lastState], (last - firstSeen[lastState]) * 100.0 / firstSeen[lastState]
        if (baseRest > 0 && lastRest >= 0) {
            g = (lastRest - baseRest) * 100.0 / baseRest
            printf "    %s: resident besides textures %d kB at the end against %d kB after 10,000 frames: %+.1f %%\n",
                   run, lastRest, baseRest, g
            if (g > 5) { print "FINDING: resident memory besides the textures grew more than 5 %"; bad = 1 }
            g = (lastOwn - baseOwn) * 100.0 / baseOwn
            printf "    %s: heap besides textures %d kB at the end against %d kB after 10,000 frames: %+.1f %%\n",
                   run, lastOwn, baseOwn, g
            if (g > 5) { print "FINDING: the heap besides the textures grew more than 5 %"; bad = 1 }
        } else if ((last - base) * 100.0 / base > 5) {
            print "FINDING: resident memory grew more than 5 %"; bad = 1
        }
        exit bad
    }' "$log" || findings=$((findings + 1))
done

echo "Profile file read back:"
if ! "$build/velmora-profiles" "$work/data/users.cfg" | sed 's/^/    /'; then
    echo "FINDING: the profile file did not read back whole"
    findings=$((findings + 1))
fi

echo "Soak: $frames frames in $run run(s), ${elapsed} s, $findings finding(s)"
[[ $findings -eq 0 ]]
