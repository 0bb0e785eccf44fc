#!/bin/sh
# Every screenshot scene into the folder given (default ./screens): the main window in English,
# French and Hebrew, the list grids, the units grid, the unit property sheet and the talkgroup manager. Run from the build folder after
# "ninja velmora-screens".
set -e
out=${1:-screens}
bin=$(dirname "$0")
[ -x "$bin/velmora-screens" ] || bin=./bin
for language in English French Hebrew; do
    QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" window "$language" "$out"
done
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" grids "$out/grids"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" units "$out/units"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" sheet "$out/sheet"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" ergo "$out/ergo"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" transfer "$out/transfer"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" talkgroups "$out/talkgroups"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" sms "$out/sms"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" copywizard "$out/copywizard"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" help "$out/help"
QT_QPA_PLATFORM=offscreen "$bin/velmora-screens" pim "$out/pim"
