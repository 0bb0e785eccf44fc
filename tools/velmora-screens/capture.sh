#!/bin/sh
# Screenshots of the main window in English, French and Hebrew into the folder given (default
# ./screens). Run from the build folder after "ninja velmora-screens".
set -e
out=${1:-screens}
bin=$(dirname "$0")
[ -x "$bin/velmora-screens" ] || bin=./bin
for language in English French Hebrew; do
    QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" "$language" "$out"
done
