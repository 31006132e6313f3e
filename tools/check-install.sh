#!/usr/bin/env bash
# Installs a configured build into a temporary prefix, validates what a desktop sees (the menu
# entry, the AppStream metainfo, the icons, the man page) and runs the installed game from
# another folder for a few frames. Usage: tools/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d /tmp/velmora-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
id=com.corvantis.Velmora
fail=0
bad() { echo "FAIL: $*"; fail=1; }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"
for f in bin/velmora libexec/velmora/velmora "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    share/man/man6/velmora.6 "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/128x128/apps/$id.png" \
    "share/icons/hicolor/256x256/apps/$id.png"; do
    [[ -f "$prefix/$f" ]] || bad "not installed: $f"
done
# Each PNG icon must be as large as the folder it lies in says.
for size in 48 128 256; do
    f="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    [[ -f $f ]] || continue
    read -r w h < <(od -An -tu1 -j16 -N8 "$f" | awk '{print $3*256+$4, $7*256+$8}')
    [[ "$w $h" == "$size $size" ]] || bad "$f is $w x $h"
done

echo "-- desktop-file-validate"
desktop-file-validate "$prefix/share/applications/$id.desktop" || bad "desktop entry"
echo "-- appstreamcli validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || bad "metainfo"
echo "-- man page"
# Rendered with every groff warning on; any warning is a fault in the page.
if ! groff -man -Tutf8 -ww -z "$prefix/share/man/man6/velmora.6" 2>"$tmp/man.err" || [[ -s $tmp/man.err ]]; then
    cat "$tmp/man.err"
    bad "man page"
fi
groff -man -Tutf8 -P-cbou "$prefix/share/man/man6/velmora.6" 2>/dev/null | grep -q "SCRIPTED RUNS" || bad "man page renders no text"

echo "-- the installed game, started from another folder"
mkdir -p "$tmp/elsewhere"
cd "$tmp/elsewhere"
printf '0 move 320 240\n5 click left\n20 shot %s\n' "$tmp/shot.png" >script.txt
set +e
XDG_DATA_HOME="$tmp/xdg" username=Installed SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
    "$prefix/bin/velmora" --virtual-clock --seed 1 --script script.txt --max-frames 30 >"$tmp/run.log" 2>&1
code=$?
set -e
[[ $code -eq 0 ]] || { tail -20 "$tmp/run.log"; bad "installed game exited with $code"; }
[[ -f "$tmp/xdg/velmora/data/users.cfg" ]] || bad "no profile file in the game's own folder"
[[ -f "$tmp/shot.png" ]] || bad "the relative script was not found or its shot not written"
[[ -z "$(ls -A "$tmp/elsewhere" | grep -v '^script.txt$')" ]] || bad "the game wrote into the folder it was started from"

if [[ $fail -eq 0 ]]; then echo "install check: all passed"; else echo "install check: FAILED"; fi
exit $fail
