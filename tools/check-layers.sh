#!/usr/bin/env bash
# Keeps the code's structure one-way: app/ on top; the screens (game/, editor/) below it; the
# kit (ui/, puzzle/, bonus/, fx/, data/) below them; platform/ at the ground. A file may
# include headers of its own layer or the layers beneath, and only platform/ may include SDL,
# OpenGL or OpenAL headers. Prints every offending line and exits 1 if there is one.
set -euo pipefail
src=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$src"

layer() {
    case "$1" in
    app) echo 3 ;;
    game | editor) echo 2 ;;
    ui | puzzle | bonus | fx | data) echo 1 ;;
    platform) echo 0 ;;
    *) echo -1 ;;
    esac
}

# The tracked and new files of a checkout, or every file of a plain folder.
sources() {
    local dirs=(app game editor ui puzzle bonus fx data platform)
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files --cached --others --exclude-standard -- "${dirs[@]/%//*}"
    else
        find "${dirs[@]}" -type f 2>/dev/null
    fi | grep -E '\.(cpp|hpp|h|cc)$'
}

bad=0
while IFS= read -r file; do
    dir=${file%%/*}
    own=$(layer "$dir")
    while IFS=: read -r line text; do
        inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
        top=${inc%%/*}
        if [[ "$inc" == */* ]]; then
            theirs=$(layer "$top")
            if ((theirs > own)); then
                echo "$file:$line: $dir/ must not include $inc (a layer above it)"
                bad=1
            fi
        fi
        if [[ "$dir" != platform ]] && [[ "$inc" =~ ^(SDL|SDL2/|GL/|GLES|epoxy/|AL/|al\.h|alc\.h|gl\.h) ]]; then
            echo "$file:$line: only platform/ may include $inc"
            bad=1
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(sources)
if ((bad)); then
    echo "layering check failed" >&2
    exit 1
fi
echo "layering check: clean"
