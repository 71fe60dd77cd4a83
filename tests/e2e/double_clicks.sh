#!/usr/bin/env bash
# End-to-end check that a double click is one move: in a real X server, start a
# game (F2), double-click the stock in the drawing phase and a hand card in the
# discarding phase with xdotool (two clicks 40 ms apart, so the second lands while
# the first move's card is in flight), and check the counts the table shows after
# each: two cards drawn, one card discarded. The counts are read from the table log
# the program writes when LARKSPUR_TABLE_LOG is set.
# Usage: double_clicks.sh ARTEFACTS_DIR [BUILD_DIR]
set -u -o pipefail
fail() { echo "e2e-double: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/lib.sh"
in_x_server 120 "$@"

start_turn double
table_origin
xdotool mousemove $((ox + 30)) $((oy + 680)) click --repeat 2 --delay 40 1
check_drawn "a double click on the stock"
# The long label above the hand, then a double click on the first card of the hand.
xdotool mousemove $((ox + 104 + 345)) $((oy + 592 + 11)) click 1
settled 'status=Tester  now click on 1 card which will be discarded\.' 5 >/dev/null ||
  fail_shot "the Discard label did not start the discarding phase"
xdotool mousemove $((ox + 112 + 10)) $((oy + 680)) click --repeat 2 --delay 40 1
check_discarded "a double click on a hand card"
