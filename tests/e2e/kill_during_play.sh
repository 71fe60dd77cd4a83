#!/usr/bin/env bash
# Kills the game with SIGKILL at random moments of play, again and again, and
# checks each time that the kept hand is whole: started again, the program
# offers it (no "Kept hand not used", no .bad file) and Resume Hand (Ctrl+R)
# puts a table back, on which play goes on until the next kill. Play is the
# mouse's, at pace 0: the stock, the Discard label and the hand's first card,
# Carry On after a hand, the first button of any message. Not part of
# ./test.sh (it takes minutes); run it to see how a hand survives a crash.
# Usage: kill_during_play.sh ARTEFACTS_DIR [BUILD_DIR] [KILLS]   (default 30 kills)
set -u -o pipefail
fail() { echo "e2e-kill: FAIL: $*" >&2; exit 1; }

kills=${3:-30}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
in_x_server $((kills * 30 + 120)) "$@"

name=kill
copy_program "$build" /tmp/larkspur-kill.XXXXXX
printf '%s\r\n' '"Tester","Barnaby",0,0,0,0,0,5000' >"$run/Name.dat"
data=$run/data/Larkspur/Larkspur
kept=$data/KeptHand.txt
log=$run/table.log
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
click() {
  xdotool mousemove $((ox + $1)) $((oy + $2)) click 1 mousemove $((screen_w - 1)) $((screen_h - 1))
}
# One step of play for whatever the table waits for.
step() {
  local w
  w=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$window" | head -1)
  if [[ -n $w && $(xdotool getwindowname "$w" 2>/dev/null) != '' ]]; then
    xdotool windowfocus "$w" 2>/dev/null
    xdotool key Return  # a message: its first button
    return
  fi
  case $(last) in
    *results=1*) click $((392 + 284)) $((128 + 325)) ;;  # Carry On
    *'click the Discard pack or click Stock'*) click 30 680 ;;
    *'click a card to meld it'*) click $((104 + 345)) $((592 + 11)) ;;
    *'now click on 1 card'*) click 122 680 ;;
  esac
}

resumed=0 fresh=0 written=0
for k in $(seq "$kills"); do
  had=no
  [[ -f $kept ]] && had=yes
  : >"$log"
  LARKSPUR_TABLE_LOG=$log "$run/larkspur" >>"$artefacts/kill-larkspur.log" 2>&1 &
  pid=$!
  wait_for_window kill-larkspur.log
  table_origin
  xdotool windowfocus --sync "$window" 2>/dev/null
  if [[ $had == yes ]]; then
    settled 'status=Tester  welcome back to Larkspur' 10 >/dev/null ||
      fail_shot "kill $((k - 1)) left a kept hand that is not offered"
    xdotool key ctrl+r
    settled 'status=Tester  (click|now click)' 10 >/dev/null ||
      fail_shot "kill $((k - 1)) left a kept hand that Ctrl+R did not put back"
    resumed=$((resumed + 1))
  else
    settled 'status=Tester  welcome to Larkspur' 10 >/dev/null ||
      fail_shot "no kept hand, yet the start-up is not the usual one"
    xdotool key F2
    settled 'status=Tester  click the Discard pack or click Stock' 30 >/dev/null ||
      fail_shot "the human's first turn did not come"
    fresh=$((fresh + 1))
  fi
  ls "$data"/*.bad >/dev/null 2>&1 && fail_shot "a kept file was set aside after kill $((k - 1))"
  # Play for a random while, then kill at once, wherever the game is.
  until_ms=$(( $(date +%s%3N) + 300 + RANDOM % 4000 ))
  while (( $(date +%s%3N) < until_ms )); do
    step
    sleep 0.$((RANDOM % 3))
  done
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  pid=''
  [[ -f $kept ]] && written=$((written + 1))
  if [[ -f $kept ]]; then
    [[ $(head -1 "$kept") == 'Larkspur kept hand 1' && $(tail -1 "$kept") == end\ * ]] ||
      fail "kill $k left a kept hand that is not whole"
  fi
done
echo "e2e-kill: PASS ($kills kills at random moments of play: $written left a kept hand," \
  "each offered and put back at the next start ($resumed resumed), $fresh new games;" \
  "no kept file was ever refused)"
