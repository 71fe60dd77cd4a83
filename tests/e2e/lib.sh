# Shared by the end-to-end tests: run in an X server of their own, run the built
# program from a copy of its folder, so its player file is fresh and ours, find
# its window, and read its table log.

# Runs the calling script again inside an X server of its own (Xvfb), for at most
# LIMIT seconds, unless it already runs in one; then sets artefacts and build
# from the script's arguments ARTEFACTS_DIR [BUILD_DIR] (default:
# $LARKSPUR_BUILD_DIR, else build/dev beside the sources, the dev preset's folder).
# Usage: in_x_server LIMIT "$@"
in_x_server() {
  local limit=$1 tool
  shift
  if [[ -z ${LARKSPUR_E2E_IN_X-} ]]; then
    (( $# >= 1 )) || { sed -n '2,/^set /p' "$0" | sed '$d' >&2; exit 2; }
    for tool in Xvfb xdotool import convert timeout cmp; do
      command -v $tool >/dev/null || fail "missing tool: $tool"
    done
    mkdir -p "$1" || fail "cannot make artefacts folder $1"
    # A display of its own, far from the usual ones (:0, xvfb-run's :99 up): the
    # server's lock file keeps two servers started at the same moment (another
    # of these scripts, the package check) off the same one, and one that cannot
    # have its display ends, so the next is tried. It says its number when ready.
    # It never resets when its last client leaves: a program starting just then
    # could not connect.
    local told xvfb display="" status
    told=$(mktemp) || fail "cannot make a file for the display's number"
    for _ in $(seq 20); do
      Xvfb ":$((1000 + RANDOM % 20000))" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        -noreset 3>"$told" >>"$1/xvfb.log" 2>&1 &
      xvfb=$!
      for _ in $(seq 100); do
        [[ -s $told ]] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
      done
      display=$(tr -cd '0-9' <"$told")
      [[ -n $display ]] && break
      kill "$xvfb" 2>/dev/null
      wait "$xvfb" 2>/dev/null
    done
    rm -f "$told"
    [[ -n $display ]] || fail "no X server could be started (see $1/xvfb.log)"
    DISPLAY=:$display LARKSPUR_E2E_IN_X=1 timeout -k 10 "$limit" "$0" "$@"
    status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    exit $status
  fi
  artefacts=$(cd "$1" && pwd)
  build=${2:-${LARKSPUR_BUILD_DIR:-$(cd "$(dirname "$0")/../.." && pwd)/build/dev}}
  [[ -x $build/larkspur ]] || fail "no built program at $build/larkspur"
}

# Colours of the table as red,green,blue, the same as in src/table/TableModel.h.
baize_rgb=0,64,0             # BaizeColor
command_back_rgb=255,255,128  # CommandBackColor
frame_face_rgb=224,224,216    # FrameFaceColor

# Prints a colour given as red,green,blue the way ImageMagick's txt: format
# writes it (#004000 for 0,64,0). Usage: rgb_hex R,G,B
rgb_hex() {
  local IFS=,
  # shellcheck disable=SC2086  # split at the commas on purpose
  printf '#%02X%02X%02X' $1
}

# Sets run (the folder) and pid (filled in by the caller); the copy goes when the
# script ends. The program's per-user settings and data go into the copy too, so
# it starts as on a first start and leaves the user's own alone. The copy plays
# no sounds: the program loads its sound module only where the build or an
# install put it.
# Usage: copy_program BUILD_DIR TEMPLATE
copy_program() {
  run=$(mktemp -d "$2") || fail "cannot make a folder for the program"
  pid=''
  trap 'cleanup_program' EXIT
  export XDG_CONFIG_HOME=$run/config XDG_DATA_HOME=$run/data
  cp "$1/larkspur" "$run/" || fail "cannot copy the program"
  local sound
  for sound in carddeal1.wav riffle.wav win.wav Uhho.wav; do
    [[ -f $1/$sound ]] && cp "$1/$sound" "$run/"
  done
  return 0
}

cleanup_program() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  rm -rf "$run"
}

# Waits up to 10 s for the program's table window and sets window. LOG names the
# program's output in the artefacts folder, for the failure message.
# Usage: wait_for_window LOG
wait_for_window() {
  window=''
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Larkspur' 2>/dev/null | head -1)
    [[ -n $window ]] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window (see $1)"
    sleep 0.1
  done
  fail "no window named Larkspur appeared within 10 s"
}

# The table log the program writes when LARKSPUR_TABLE_LOG names a file (here
# $log): one line per change of what the table shows. Its latest line, one field
# of a line, and that field's digits.
last() { tail -n 1 "$log" 2>/dev/null; }
field() { sed -n "s/.*$1=\([^|]*\).*/\1/p" <<<"$2"; }
number() { field "$1" "$2" | tr -cd '0-9'; }
# Waits until the latest line matches a pattern and the table has stood still for
# half a second; prints the line. Usage: settled PATTERN SECONDS
settled() {
  local line='' same=0
  for _ in $(seq $(( $2 * 10 ))); do
    sleep 0.1
    if [[ $(last) == "$line" ]]; then same=$((same + 1)); else line=$(last); same=0; fi
    [[ $line =~ $1 && $same -ge 5 ]] && { echo "$line"; return 0; }
  done
  return 1
}

# The window's geometry (X Y WIDTH HEIGHT), menu (the menu bar's height) and the
# table's top left corner on the screen (ox, oy); the table is 1061 x 762 pixels.
table_origin() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  menu=$((HEIGHT - 762))
  (( WIDTH == 1061 && menu > 0 && menu < 60 )) ||
    fail "window is ${WIDTH}x${HEIGHT}, expected a 1061x762 table under a menu bar"
  ox=$X
  oy=$((Y + menu))
}

# Chooses Options -> Speed -> No pauses for the copy made by copy_program, as its
# per-user settings keep it: every wait of the game is skipped.
no_pauses() {
  mkdir -p "$XDG_CONFIG_HOME/Larkspur" &&
    printf '[options]\nnoPauses=true\n' >"$XDG_CONFIG_HOME/Larkspur/Larkspur.conf" ||
    fail "cannot write the program's settings"
}

# One turn of the human's, for the tests of how a turn is played (NAME prefixes
# their artefacts): a copy of the program with a pace-0 player file and its table
# log in $log, a new game (F2), and the wait for the human's turn to draw; sets
# stock0 and hand0. Pace 0 keeps the robot quick, yet a card still takes 100 ms to
# fly from the stock and a discard 500 ms to land; with SPEED no-pauses nothing waits.
# Usage: start_turn NAME [no-pauses]
start_turn() {
  name=$1
  copy_program "$build" "/tmp/larkspur-$name.XXXXXX"
  [[ ${2-} == no-pauses ]] && no_pauses
  printf '%s\r\n' '"Tester","Barnaby",0,0,0,0,0,5000' >"$run/Name.dat"
  log=$run/table.log
  LARKSPUR_TABLE_LOG=$log "$run/larkspur" >"$artefacts/$name-larkspur.log" 2>&1 &
  pid=$!
  wait_for_window "$name-larkspur.log"
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key F2
  local drawing  # the human's turn may come after the robot's first turn
  drawing=$(settled 'status=Tester  click the Discard pack or click Stock for two cards\.' 30) ||
    fail_shot "the human's turn to draw did not come"
  stock0=$(number stock "$drawing") hand0=$(field hand "$drawing")
}

# Fails with the screen and the table log kept among the artefacts.
fail_shot() {
  import -window root "$artefacts/$name-failure.png" 2>/dev/null
  cp "$log" "$artefacts/$name-table.log" 2>/dev/null
  fail "$* (screen in $name-failure.png, table log in $name-table.log)"
}

# After a draw made by HOW: two cards came into the hand; the stock lost them and
# one more for each red three drawn, laid down and replaced. Sets stock1, hand1 and
# discard1. Usage: check_drawn HOW
check_drawn() {
  local melding
  melding=$(settled 'discarding=1' 10) || fail_shot "$1 drew nothing"
  stock1=$(number stock "$melding") hand1=$(field hand "$melding")
  discard1=$(number discard "$melding")
  (( hand1 == hand0 + 2 )) || fail_shot "$1 took $((hand1 - hand0)) cards into the hand, not 2"
  (( stock0 - stock1 >= 2 && stock0 - stock1 <= 6 )) ||
    fail_shot "the stock went from $stock0 to $stock1 cards on $1"
  import -window root "$artefacts/$name-drawn.png" 2>/dev/null
}

# After a discard made by HOW: one card left the hand for the pile; then the
# turn's counts are reported. Usage: check_discarded HOW
check_discarded() {
  local discarded='' hand2 discard2
  for _ in $(seq 50); do
    discarded=$(grep -m 1 'status=Tester  your opponent will now play\.' "$log") && break
    sleep 0.1
  done
  [[ -n $discarded ]] || fail_shot "$1 discarded nothing"
  hand2=$(field hand "$discarded") discard2=$(number discard "$discarded")
  (( hand2 == hand1 - 1 && discard2 == discard1 + 1 )) ||
    fail_shot "$1 left $hand2 cards in hand (was $hand1) and $discard2 on the pile (was $discard1)"
  import -window root "$artefacts/$name-discarded.png" 2>/dev/null
  cp "$log" "$artefacts/$name-table.log"
  echo "e2e-$name: PASS (stock $stock0 -> $stock1, hand $hand0 -> $hand1 -> $hand2," \
    "pile $discard1 -> $discard2)"
}
