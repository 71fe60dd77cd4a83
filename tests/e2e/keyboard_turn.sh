#!/usr/bin/env bash
# End-to-end check that a whole turn can be played with the keyboard alone: in a
# real X server, start a game (F2) and, with xdotool key and never a click, Tab to
# the stock and press Return (two cards drawn), Tab on to the Discard label past
# every card of the hand and press Return (discarding begins), then Tab to the
# first card of the hand and press Return (one card discarded). The counts are
# read from the table log the program writes when LARKSPUR_TABLE_LOG is set.
# Usage: keyboard_turn.sh ARTEFACTS_DIR [BUILD_DIR]
set -u -o pipefail
fail() { echo "e2e-keyboard: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/lib.sh"
in_x_server 120 "$@"

# The pointer stays off the window, so nothing but the keys can reach the table.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
keys() { xdotool key --delay 40 "$@"; }

start_turn keyboard
# The stock is the first thing a click could use.
keys Tab Return
check_drawn "Tab and Return on the stock"
# After drawing the ring has gone: Tab starts again at the hand's first card, and
# the Discard label comes after the last.
tabs=()
for _ in $(seq $((hand1 + 1))); do tabs+=(Tab); done
keys "${tabs[@]}"
import -window root "$artefacts/keyboard-discard-label.png" 2>/dev/null
keys Return
discarding=$(settled 'status=Tester  now click on 1 card which will be discarded\.' 5) ||
  fail_shot "Return on the Discard label did not start the discarding phase"
(( $(field hand "$discarding") == hand1 )) || fail_shot "the hand changed on the Discard label"
keys Tab Return
check_discarded "Tab and Return on a hand card"
