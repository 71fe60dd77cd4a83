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

if [[ -z ${LARKSPUR_E2E_IN_X-} ]]; then
  (( $# >= 1 )) || { sed -n '2,8p' "$0" >&2; exit 2; }
  for tool in xvfb-run xdotool import timeout; do
    command -v $tool >/dev/null || fail "missing tool: $tool"
  done
  mkdir -p "$1" || fail "cannot make artefacts folder $1"
  LARKSPUR_E2E_IN_X=1 exec timeout -k 10 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

artefacts=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-${LARKSPUR_BUILD_DIR:-$source_dir/build/dev}}
[[ -x $build/larkspur ]] || fail "no built program at $build/larkspur"

source "$(dirname "$0")/lib.sh"
copy_program "$build" /tmp/larkspur-keyboard.XXXXXX
printf '%s\r\n' '"Tester","Barnaby",0,0,0,0,0,5000' >"$run/Name.dat"
log=$run/table.log
LARKSPUR_TABLE_LOG=$log "$run/larkspur" >"$artefacts/keyboard-larkspur.log" 2>&1 &
pid=$!
wait_for_window 'keyboard-larkspur.log'
fail_shot() {
  import -window root "$artefacts/keyboard-failure.png" 2>/dev/null
  cp "$log" "$artefacts/keyboard-table.log" 2>/dev/null
  fail "$* (screen in keyboard-failure.png, table log in keyboard-table.log)"
}
# The pointer stays off the window, so nothing but the keys can reach the table.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
keys() { xdotool key --delay 40 "$@"; }

xdotool windowfocus --sync "$window" 2>/dev/null
keys F2
# The human's turn may come after the robot's first turn.
drawing=$(settled 'status=Tester  click the Discard pack or click Stock for two cards\.' 30) ||
  fail_shot "the human's turn to draw did not come"
stock0=$(number stock "$drawing") hand0=$(field hand "$drawing")

# The stock is the first thing a click could use.
keys Tab Return
melding=$(settled 'discarding=1' 10) || fail_shot "Tab and Return on the stock drew nothing"
stock1=$(number stock "$melding") hand1=$(field hand "$melding") discard1=$(number discard "$melding")
(( hand1 == hand0 + 2 )) || fail_shot "Tab and Return took $((hand1 - hand0)) cards into the hand, not 2"
# Each red three drawn is laid down beside the melds and replaced from the stock.
(( stock0 - stock1 >= 2 && stock0 - stock1 <= 6 )) ||
  fail_shot "the stock went from $stock0 to $stock1 cards on Tab and Return"
import -window root "$artefacts/keyboard-drawn.png" 2>/dev/null

# After drawing the ring has gone: Tab starts again at the hand's first card, and
# the Discard label comes after the last.
tabs=()
for _ in $(seq $((hand1 + 1))); do tabs+=(Tab); done
keys "${tabs[@]}"
import -window root "$artefacts/keyboard-discard-label.png" 2>/dev/null
keys Return
discarding=$(settled 'discarding=0\|status=Tester  now click on 1 card which will be discarded\.' 5) ||
  fail_shot "Return on the Discard label did not start the discarding phase"
(( $(field hand "$discarding") == hand1 )) || fail_shot "the hand changed on the Discard label"

keys Tab Return
for _ in $(seq 50); do
  discarded=$(grep -m 1 'status=Tester  your opponent will now play\.' "$log") && break
  sleep 0.1
done
[[ -n ${discarded-} ]] || fail_shot "Tab and Return on a hand card discarded nothing"
hand2=$(field hand "$discarded") discard2=$(number discard "$discarded")
(( hand2 == hand1 - 1 && discard2 == discard1 + 1 )) ||
  fail_shot "Tab and Return on a hand card left $hand2 cards in hand (was $hand1) and $discard2 on the pile (was $discard1)"
import -window root "$artefacts/keyboard-discarded.png" 2>/dev/null
cp "$log" "$artefacts/keyboard-table.log"
echo "e2e-keyboard: PASS (stock $stock0 -> $stock1, hand $hand0 -> $hand1 -> $hand2, pile $discard1 -> $discard2)"
