#!/usr/bin/env bash
# End-to-end check that a hand survives the window's close box: in a real X
# server, start a game (F2), make a move (a click on the stock), close the
# window with its close box and confirm both questions; start the program
# again, see the status line offer the kept hand, choose Resume Hand (Ctrl+R)
# and check with the table log that the table is the one left; then finish the
# hand with the mouse (Options -> Speed -> No pauses), and leave with
# "Exit and Save", after which no kept hand is left.
# Usage: resume_hand.sh ARTEFACTS_DIR [BUILD_DIR]
#   ARTEFACTS_DIR  receives resume-*.png, the table logs and the programs' output
#   BUILD_DIR      holds the built larkspur (default: $LARKSPUR_BUILD_DIR, else build/dev)
set -u -o pipefail
fail() { echo "e2e-resume: FAIL: $*" >&2; exit 1; }

budget=${LARKSPUR_E2E_BUDGET:-240}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
in_x_server $((budget + 60)) "$@"
deadline=$((SECONDS + budget))
command -v python3 >/dev/null || fail "missing tool: python3"

start_turn resume no-pauses  # a copy of the program, its table log in $log, F2 and the turn to draw
table_origin
kept=$run/data/Larkspur/Larkspur/KeptHand.txt
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
click() {  # table x, table y, in pixels
  xdotool mousemove $((ox + $1)) $((oy + $2)) click 1 mousemove $((screen_w - 1)) $((screen_h - 1))
}
# Answers the program's message window whose title matches this pattern with its
# first button, by Return.
answer() {
  local w=''
  for _ in $(seq 50); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $w ]] && break
    sleep 0.1
  done
  [[ -n $w ]] || fail_shot "no message '$1' came"
  xdotool windowfocus --sync "$w" 2>/dev/null
  xdotool key Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -q . || return 0
    sleep 0.1
  done
  fail_shot "the message '$1' stayed after Return"
}

# A move: two cards from the stock. The table as it is then left.
click 30 680
check_drawn "a click on the stock"
left=$(settled 'discarding=1' 10) || fail_shot "the table did not settle after the draw"
import -window root "$artefacts/resume-left.png" 2>/dev/null
[[ -f $kept ]] || fail_shot "no kept hand in $kept after a move"

# The close box, confirmed twice: "Really Exit?", then "Quit without saving?".
python3 "$here/close_box.py" "$window" || fail_shot "the close box could not be pressed"
answer 'Really Exit\?'
answer 'Quit without saving\?'
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail_shot "the program did not end after the close box"
wait "$pid" || fail "the program ended with status $?"
pid=''
[[ $(head -1 "$kept" 2>/dev/null) == 'Larkspur kept hand 1' ]] ||
  fail "the kept hand is not in $kept after the close box"
cp "$kept" "$artefacts/resume-KeptHand.txt"

# Started again, the status line offers the hand; Ctrl+R puts it back as it was left.
cp "$log" "$artefacts/resume-table-before.log"
log=$run/table-again.log
LARKSPUR_TABLE_LOG=$log "$run/larkspur" >"$artefacts/resume-again-larkspur.log" 2>&1 &
pid=$!
wait_for_window resume-again-larkspur.log
settled 'status=Tester  welcome back to Larkspur - your last hand is kept\.' 10 >/dev/null ||
  fail_shot "the status line does not offer the kept hand"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+r
resumed=$(settled 'discarding=1' 10) || fail_shot "Ctrl+R did not put the hand back"
import -window root "$artefacts/resume-resumed.png" 2>/dev/null
[[ $resumed == "$left" ]] || fail_shot "the table put back ($resumed) is not the one left ($left)"

# The rest of the hand: discard the first card of the hand, and on each later turn
# draw from the stock and discard again, until the results show.
label_x=$((104 + 345)) label_y=$((592 + 11))  # LblDiscarding, 1560,8880 10350x330 twips
first_card_x=$((112 + 10)) hand_y=680           # the hand's first card (HandFirstLeft 1680 twips)
turns=0
while :; do
  (( SECONDS < deadline )) || fail_shot "the hand did not end within $budget s ($turns turns)"
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the hand"
  now=$(settled 'results=1|status=Tester  (click the Discard pack or click Stock|click a card to meld it|now click on 1 card)' 60) ||
    fail_shot "after turn $turns the human's turn did not come, nor the results"
  case $now in
    *results=1*) break ;;
    *'click the Discard pack or click Stock'*) turns=$((turns + 1)) && click 30 680 ;;
    *'click a card to meld it'*) click $label_x $label_y ;;
    *'now click on 1 card'*) click $first_card_x $hand_y ;;
  esac
  sleep 0.2
done
import -window root "$artefacts/resume-results.png" 2>/dev/null

# "Exit and Save": the hand is over, so nothing is left to resume.
click $((392 + 92)) $((128 + 325))
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail_shot "the program did not end on Exit and Save"
pid=''
[[ -e $kept ]] && fail "a kept hand is left after the hand was over: $kept"
cp "$log" "$artefacts/resume-table-after.log"
echo "e2e-resume: PASS (the table left, $(field stock "$left"), $(field discard "$left")," \
  "hand $(field hand "$left"), came back by Ctrl+R; the hand finished in $turns more turns)"
