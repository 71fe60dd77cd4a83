#!/usr/bin/env bash
# End-to-end check that a whole hand can be played with the keyboard alone: in a
# real X server, start a game (F2) and, with xdotool key and never a click, Tab to
# the stock and press Return (two cards drawn; the ring stays, on the hand's first
# card), Tab on to the Discard label past every card of the hand and press Return
# (discarding begins, the ring back on the first card), then Return again (that
# card discarded). Every later turn goes the same way, Shift+Tab twice reaching
# the Discard label from the end, until the hand is over; on the results frame Escape does nothing, Tab twice
# comes back to "Carry On" and Return deals the next hand. The game runs with
# Options -> Speed -> No pauses, so the robot's turns take no time. The counts are
# read from the table log the program writes when LARKSPUR_TABLE_LOG is set.
# Usage: keyboard_turn.sh ARTEFACTS_DIR [BUILD_DIR]
set -u -o pipefail
fail() { echo "e2e-keyboard: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/lib.sh"
in_x_server 420 "$@"

# The pointer stays off the window, so nothing but the keys can reach the table.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
keys() { xdotool key --delay 40 "$@"; }

start_turn keyboard no-pauses
# The stock is the first thing a click could use.
keys Tab Return
check_drawn "Tab and Return on the stock"
# After drawing the ring stays on the table, on the hand's first card, the card
# nearest the stock: the Discard label comes after the last card.
tabs=()
for _ in $(seq "$hand1"); do tabs+=(Tab); done
keys "${tabs[@]}"
import -window root "$artefacts/keyboard-discard-label.png" 2>/dev/null
keys Return
discarding=$(settled 'status=Tester  now click on 1 card which will be discarded\.' 5) ||
  fail_shot "Return on the Discard label did not start the discarding phase"
(( $(field hand "$discarding") == hand1 )) || fail_shot "the hand changed on the Discard label"
keys Return
check_discarded "Return on the hand card the ring moved to"

# The rest of the hand: the robot plays, then the human draws and discards.
turns=1
deadline=$((SECONDS + 300))
while :; do
  (( SECONDS < deadline )) || fail_shot "the hand did not end within 300 s ($turns turns played)"
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the hand"
  now=$(settled 'results=1|status=Tester  click the Discard pack or click Stock for two cards\.' 60) ||
    fail_shot "after turn $turns neither the human's turn nor the results frame came"
  [[ $now == *results=1* ]] && break
  turns=$((turns + 1))
  keys Tab Return
  settled 'discarding=1' 10 >/dev/null || fail_shot "turn $turns: Tab and Return on the stock drew nothing"
  keys shift+Tab shift+Tab Return
  settled 'status=Tester  now click on 1 card which will be discarded\.' 10 >/dev/null ||
    fail_shot "turn $turns: Shift+Tab twice and Return did not start the discarding phase"
  keys Return
done
import -window root "$artefacts/keyboard-results.png" 2>/dev/null

# The results frame: Escape leaves it as it is; Tab twice goes round its two
# buttons back to "Carry On", and Return deals the next hand.
keys Escape
sleep 1
[[ $(last) == *results=1* ]] && kill -0 "$pid" 2>/dev/null ||
  fail_shot "Escape on the results frame did something"
keys Tab Tab Return
next=$(settled 'results=0\|.*status=Tester  click the Discard pack or click Stock for two cards\.' 60) ||
  fail_shot "Tab, Tab and Return on the results frame did not deal the next hand"
(( $(field hand "$next") == 15 )) || fail_shot "the next hand holds $(field hand "$next") cards"
cp "$log" "$artefacts/keyboard-table.log"
echo "e2e-keyboard: PASS (a hand of $turns human turns played with keys, and the next dealt" \
  "from the results frame by Tab, Tab and Return)"
