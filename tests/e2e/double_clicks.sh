#!/usr/bin/env bash
# End-to-end check that a double click is one move: in a real X server, start a
# game (F2), double-click the stock in the drawing phase and a hand card in the
# discarding phase with xdotool (two clicks 40 ms apart), and check the counts the
# table shows after each: two cards drawn, one card discarded.
# The counts are read from the table log the program writes when LARKSPUR_TABLE_LOG
# is set: one line per change of what the table shows.
# Usage: double_clicks.sh ARTEFACTS_DIR [BUILD_DIR]
set -u -o pipefail

fail() { echo "e2e-double: FAIL: $*" >&2; exit 1; }

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
copy_program "$build" /tmp/larkspur-double.XXXXXX
# Pace 0: the robot is quick, yet a card still takes 100 ms to fly from the stock
# and a discard 500 ms to land, so the second click of a pair lands in a flight.
printf '%s\r\n' '"Tester","Barnaby",0,0,0,0,0,5000' >"$run/Name.dat"
log=$run/table.log
LARKSPUR_TABLE_LOG=$log "$run/larkspur" >"$artefacts/double-larkspur.log" 2>&1 &
pid=$!
wait_for_window 'double-larkspur.log'
table_origin
fail_shot() {
  import -window root "$artefacts/double-failure.png" 2>/dev/null
  cp "$log" "$artefacts/double-table.log" 2>/dev/null
  fail "$* (screen in double-failure.png, table log in double-table.log)"
}

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F2
# The human's turn may come after the robot's first turn.
drawing=$(settled 'status=Tester  click the Discard pack or click Stock for two cards\.' 30) ||
  fail_shot "the human's turn to draw did not come"
stock0=$(number stock "$drawing") hand0=$(field hand "$drawing")

xdotool mousemove $((ox + 30)) $((oy + 680)) click --repeat 2 --delay 40 1
melding=$(settled 'discarding=1' 10) || fail_shot "the double click on the stock drew nothing"
stock1=$(number stock "$melding") hand1=$(field hand "$melding") discard1=$(number discard "$melding")
(( hand1 == hand0 + 2 )) ||
  fail_shot "a double click on the stock took $((hand1 - hand0)) cards into the hand, not 2"
# Each red three drawn is laid down beside the melds and replaced from the stock.
(( stock0 - stock1 >= 2 && stock0 - stock1 <= 6 )) ||
  fail_shot "the stock went from $stock0 to $stock1 cards on a double click"
import -window root "$artefacts/double-drawn.png" 2>/dev/null

# The long label above the hand, then a double click on the first card of the hand.
xdotool mousemove $((ox + 104 + 345)) $((oy + 592 + 11)) click 1
settled 'status=Tester  now click on 1 card which will be discarded\.' 5 >/dev/null ||
  fail_shot "the Discard label did not start the discarding phase"
xdotool mousemove $((ox + 112 + 10)) $((oy + 680)) click --repeat 2 --delay 40 1
for _ in $(seq 50); do
  discarded=$(grep -m 1 'status=Tester  your opponent will now play\.' "$log") && break
  sleep 0.1
done
[[ -n ${discarded-} ]] || fail_shot "the double click on a hand card discarded nothing"
hand2=$(field hand "$discarded") discard2=$(number discard "$discarded")
(( hand2 == hand1 - 1 && discard2 == discard1 + 1 )) ||
  fail_shot "a double click on a hand card left $hand2 cards in hand (was $hand1) and $discard2 on the pile (was $discard1)"
import -window root "$artefacts/double-discarded.png" 2>/dev/null
cp "$log" "$artefacts/double-table.log"
echo "e2e-double: PASS (stock $stock0 -> $stock1, hand $hand0 -> $hand1 -> $hand2, pile $discard1 -> $discard2)"
