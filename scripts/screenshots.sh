#!/bin/bash
# Screenshots of Pelmorin for the README, taken from the program as a player
# uses it: the sample world map at zoom 100 with a route set with the right
# button, the city list and the palette, and the whole world zoomed out.
#
#   scripts/screenshots.sh <program folder> <output folder>
#
# The program runs on a copy of its folder, so the settings of the real one
# are left alone. Without a display, the script runs itself under a virtual
# X server. PELMORIN_SCREENSHOTS_ALL=1 also keeps the intermediate pictures
# (start, after the zoom keys and a drag).
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage : $0 <dossier du programme> <dossier des images>" >&2
    exit 2
fi
bindir=$(cd "$1" && pwd)
mkdir -p "$2"
outdir=$(cd "$2" && pwd)
width=1024
height=700

for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool est nécessaire (xdotool, imagemagick)" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run est nécessaire" >&2; exit 1; }
    exec xvfb-run -a -s "-screen 0 ${width}x${height}x24" "$0" "$bindir" "$outdir"
fi

[ -x "$bindir/pelmorin" ] || { echo "pas de programme dans $bindir" >&2; exit 1; }
[ -f "$bindir/pelmorin.vr" ] || { echo "pas de carte d'exemple dans $bindir" >&2; exit 1; }

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A fresh program folder: the executable, its tiles and the sample map, and
# a configuration that fills the screen (the open maps take their defaults:
# "pelmorin.vr", maximised, zoom 100, centred on column 169, row 58).
cp -r "$bindir/." "$work/"
rm -f "$work/pelmorin.cfg"
printf '[Fenetre]\r\nLargeur=%d\r\nHauteur=%d\r\nx=0\r\ny=0\r\n' "$width" "$height" >"$work/pelmorin.cfg"

cd "$work"
./pelmorin >"$work/pelmorin.log" 2>&1 &
pid=$!

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^Carte du Pelmorin' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "la fenêtre principale n'est pas apparue" >&2; cat "$work/pelmorin.log" >&2; exit 1; }
# No window manager gives the focus: take it, then let the map come up.
xdotool windowfocus --sync "$window"
sleep 2

shot() {
    sleep 0.6
    import -window root "$1"
}
keep() {
    if [ "${PELMORIN_SCREENSHOTS_ALL:-0}" = 1 ]; then
        shot "$outdir/$1"
    fi
}
key() {
    xdotool windowfocus --sync "$window"
    xdotool key --delay 120 "$@"
}
# Right click at (x, y), then the n-th item of the pop-up menu.
popup() {
    local x=$1 y=$2 item=$3
    xdotool mousemove --sync "$x" "$y" click 3
    sleep 0.4
    local downs=()
    for _ in $(seq 1 "$item"); do downs+=(Down); done
    xdotool key --delay 80 "${downs[@]}" Return
    sleep 0.4
}

keep pelmorin-depart.png

# A route: the start on one cell, the end on another.
popup 330 330 1
popup 720 520 2
xdotool mousemove 520 420
shot "$outdir/pelmorin-itineraire.png"

# The city list (F9) and the palette (F11) beside the map, then away again.
key F9 F11
# The palette opens at the top-left of the map area: choose its roads.
sleep 0.5
xdotool mousemove --sync 95 29 click 1
sleep 0.4
xdotool key --delay 120 Down Down Return
xdotool mousemove 520 420
shot "$outdir/pelmorin-outils.png"
key F9 F11

# Zoom keys and a drag with the left button.
key F4 F4 F3
xdotool mousemove --sync 600 420 mousedown 1
for step in $(seq 1 12); do
    xdotool mousemove --sync $((600 - step * 20)) $((420 - step * 10))
    sleep 0.03
done
xdotool mouseup 1
keep pelmorin-glisser.png

# The whole world: zoomed out to 9 %, then to the smallest zoom, 5 %.
key F4 F4 F4 F4 F4 F4 F4 F4 F4 F4
shot "$outdir/pelmorin-monde.png"
key F4 F4 F4 F4
keep pelmorin-zoom5.png

echo "images écrites dans $outdir"
