#!/usr/bin/env bash
# End-to-end play of one whole hand in a real X server, driven like a person with
# the mouse: New (F2), then on every turn of the human a click on the stock, a click
# on the long "Click single cards to meld ..." label and a click on a card of the
# hand, until the hand ends and the results frame appears; then "Exit and Save".
# Afterwards the program must have ended and its player file must hold the new
# game totals with everything else unchanged. The game runs with Options -> Speed
# -> No pauses, so nothing but the drawing holds it up.
# Usage: play_first_hand.sh ARTEFACTS_DIR [BUILD_DIR]
#   ARTEFACTS_DIR  receives hand-*.png, screenshots of the table during play and at the
#                  results, hand-play.log (what was clicked and seen), hand-larkspur.log
#                  (the program's output) and hand-Name.dat (the player file at the end)
#   BUILD_DIR      holds the built larkspur, its sound module and wav files (default: $LARKSPUR_BUILD_DIR,
#                  else build/dev beside the sources, the dev preset's folder)
# The whole run is bounded: it fails after 240 s (LARKSPUR_E2E_BUDGET) of play.
#
# The game's state is never read directly. Whose turn it is shows on the screen:
# the long label is visible only while the human may meld, the results frame only
# at the end of the hand, the program's message window is a separate small window.
# A click on the stock while the robot plays is ignored by the game, so the stock
# is clicked whenever the table stands still and the label is not showing.
set -u -o pipefail

fail() { echo "e2e-hand: FAIL: $*" >&2; exit 1; }

budget=${LARKSPUR_E2E_BUDGET:-240}
source "$(dirname "$0")/lib.sh"
in_x_server $((budget + 60)) "$@"
started=$SECONDS
deadline=$((SECONDS + budget))

copy_program "$build" /tmp/larkspur-hand.XXXXXX
# No pauses: the robot's turns and the cards' flights take no time. The player
# file's pace, 0, stays as it is; no game under way, target 5000.
no_pauses
names_before='"Tester","Barnaby",0,0,0,0,0,5000'
printf '%s\r\n' "$names_before" >"$run/Name.dat"
rm -f "$artefacts"/hand-*.png "$artefacts"/hand-play.log "$artefacts"/hand-larkspur.log \
  "$artefacts"/hand-Name.dat

log() { echo "[$((SECONDS - started))s] $*" >>"$artefacts/hand-play.log"; }
fail_shot() {
  import -window root "$artefacts/hand-failure.png" 2>/dev/null
  log "FAIL: $*"
  fail "$* (screen in $artefacts/hand-failure.png, steps in $artefacts/hand-play.log)"
}

"$run/larkspur" >"$artefacts/hand-larkspur.log" 2>&1 &
pid=$!

wait_for_window hand-larkspur.log
table_origin  # table coordinates (pixels, 15 twips each) to screen coordinates: ox, oy
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

# Places on the table, in pixels from the table's top left corner.
stock_x=30 stock_y=680                         # bottom left of the stock pile
label_x=104 label_y=592 label_w=690 label_h=22  # LblDiscarding, 1560,8880 10350x330 twips
hand_y=680                                      # a row through the hand (HumanHandTop, 9480 twips)
hand_from=112                                   # the first hand card's Left (HandFirstLeft, 1680 twips)
pile_x=0 pile_y=386 pile_w=100 pile_h=184       # discard count label and the pile
frame_x=392 frame_y=128 frame_w=393 frame_h=392 # FramResults, 5880,1920 5895x5880 twips
exit_x=$((392 + 92)) exit_y=$((128 + 325))      # "Exit and Save", 600,4680 1575x405 in the frame
away_x=$((screen_w - 20)) away_y=$((screen_h - 20))  # off the window: no tooltips

click() {  # table x, table y
  xdotool mousemove $((ox + $1)) $((oy + $2)) click 1 mousemove $away_x $away_y
}
shot() { import -window root "$1" 2>/dev/null || fail_shot "screenshot failed"; }
# Share (0 to 1) of the pixels in a table rectangle that have one colour, within a
# tolerance in per cent (the style shades a frame's face a little).
share() {  # file x y w h r,g,b [fuzz]
  convert "$1" -crop "$4x$5+$((ox + $2))+$((oy + $3))" +repage -fuzz "${7:-0}%" \
    -fill black +opaque "rgb($6)" -fill white -opaque "rgb($6)" -format '%[fx:mean]' info:
}
above() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v > t) }'; }
label_showing() { above "$(share "$1" $label_x $label_y $label_w $label_h $command_back_rgb)" 0.5; }
label_gone() { ! above "$(share "$1" $label_x $label_y $label_w $label_h $command_back_rgb)" 0.05; }
results_showing() { above "$(share "$1" $frame_x $frame_y $frame_w $frame_h $frame_face_rgb 4)" 0.5; }
pile_of() {  # file out: the pile's part of a screenshot
  convert "$1" -crop "${pile_w}x${pile_h}+$((ox + pile_x))+$((oy + pile_y))" +repage "$2"
}
hand_of() {  # file out: the band of a screenshot the hand lies in
  convert "$1" -crop "$((WIDTH - hand_from))x64+$((ox + hand_from))+$((oy + hand_y - 32))" \
    +repage "$2"
}
# Left and right end of the hand: the row through it, from the first card on, is
# covered by overlapping cards without gaps, up to the last card's right edge.
hand_extent() {
  convert "$1" -crop "$((WIDTH - hand_from))x1+$((ox + hand_from))+$((oy + hand_y))" +repage \
    -depth 8 txt:- | awk -v base=$hand_from -v baize="$(rgb_hex $baize_rgb)" -F'[,: ]+' '
      /^#/ { next }
      index($0, baize) == 0 { if (first == "") first = $1; last = $1 }
      END { if (first == "") print "-1 -1"; else print first + base, last + base }'
}

# The program's own message window: a small frameless window of its own (tooltips are
# smaller, the root window is the whole screen). Prints its id, if one is showing.
message_window() {
  local w X Y WIDTH HEIGHT SCREEN WINDOW
  for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    [[ $w == "$window" ]] && continue
    WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    (( WIDTH >= 200 && HEIGHT >= 60 && WIDTH < screen_w )) && { echo "$w"; return 0; }
  done
  return 1
}
# Answer it with its single button at the bottom centre; a second try takes the left
# button of a pair.
dialogs_seen=0
answer_dialogs() {
  local w name X Y WIDTH HEIGHT SCREEN WINDOW tries
  while w=$(message_window); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    name=$(xdotool getwindowname "$w" 2>/dev/null)
    dialogs_seen=$((dialogs_seen + 1))
    shot "$artefacts/hand-dialog-$dialogs_seen.png"
    log "message window '$name' ${WIDTH}x${HEIGHT} at $X,$Y (hand-dialog-$dialogs_seen.png); answering it"
    for tries in 0 44 fail; do
      [[ $tries == fail ]] &&
        fail_shot "the message window '$name' did not close when its button was clicked"
      xdotool mousemove $((X + WIDTH / 2 - tries)) $((Y + HEIGHT - 16)) click 1 \
        mousemove $away_x $away_y
      for _ in $(seq 20); do
        xdotool search --onlyvisible --name '.*' 2>/dev/null | grep -qx "$w" || break 2
        sleep 0.1
      done
    done
  done
}

# Start a new game.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F2
log "pressed F2 (New)"
for _ in $(seq 100); do
  [[ $(xdotool getwindowname "$window") == 'Larkspur - Target Score is 5000' ]] && break
  sleep 0.1
done
[[ $(xdotool getwindowname "$window") == 'Larkspur - Target Score is 5000' ]] ||
  fail_shot "F2 did not start a new hand (window title: $(xdotool getwindowname "$window"))"

tmp=$run/shots
mkdir -p "$tmp"
turns=0 stock_clicks=0 last_right=0 first_right=0 kept_start=0
while :; do
  (( SECONDS < deadline )) || fail_shot "the hand did not end within $budget s ($turns turns played)"
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the hand (see hand-larkspur.log)"
  answer_dialogs
  shot "$tmp/now.ppm"
  if results_showing "$tmp/now.ppm"; then
    log "results frame showing after $turns turns"
    break
  fi

  if label_showing "$tmp/now.ppm"; then
    # The human has drawn and may meld: finish melding at once, then discard.
    turns=$((turns + 1))
    click $((label_x + label_w / 2)) $((label_y + label_h / 2))
    gone=''
    for _ in $(seq 25); do
      shot "$tmp/discarding.ppm"
      label_gone "$tmp/discarding.ppm" && { gone=1; break; }
      sleep 0.2
    done
    [[ -n $gone ]] || fail_shot "turn $turns: the label stayed after it was clicked"
    read -r left right < <(hand_extent "$tmp/discarding.ppm")
    (( left >= hand_from && left <= hand_from + 2 && right > left + 60 )) ||
      fail_shot "turn $turns: no hand at Left 1680 (hand row covered from $left to $right)"
    # The hand only grows (two drawn, one discarded), until it fills the table's width.
    (( right >= last_right - 2 )) ||
      fail_shot "turn $turns: the hand shrank from ${last_right} px to ${right} px wide"
    (( turns == 1 )) && first_right=$right
    last_right=$right
    if (( turns == 1 || turns % 5 == 0 )); then
      convert "$tmp/discarding.ppm" "$artefacts/hand-turn-$(printf %02d $turns)-drawn.png"
    fi
    pile_of "$tmp/discarding.ppm" "$tmp/pile-before.ppm"
    hand_of "$tmp/discarding.ppm" "$tmp/hand-before.ppm"
    # Any point of the hand's row lies on one of its cards.
    x=$((left + 4 + RANDOM % (right - left - 7)))
    log "turn $turns: drew (hand $left..$right px), clicked the label, discarding the card at x=$x"
    click $x $hand_y
    # The card leaves the hand for the pile. Without pauses the robot may have
    # played already, taking the pile and leaving one that looks the same, so
    # the hand's change counts too.
    changed=''
    for _ in $(seq 50); do
      sleep 0.2
      shot "$tmp/after.ppm"
      pile_of "$tmp/after.ppm" "$tmp/pile-after.ppm"
      hand_of "$tmp/after.ppm" "$tmp/hand-after.ppm"
      cmp -s "$tmp/pile-before.ppm" "$tmp/pile-after.ppm" || { changed=1; break; }
      cmp -s "$tmp/hand-before.ppm" "$tmp/hand-after.ppm" || { changed=1; break; }
      message_window >/dev/null && { changed=dialog; break; }
    done
    [[ -n $changed ]] || fail_shot "turn $turns: the clicked card did not leave the hand"
    if (( turns == 1 )); then convert "$tmp/after.ppm" "$artefacts/hand-turn-01-discarded.png"; fi
    continue
  fi

  # Not drawn yet, or the robot is playing: click the stock once the table stands still.
  sleep 0.3
  shot "$tmp/still.ppm"
  cmp -s "$tmp/now.ppm" "$tmp/still.ppm" || continue
  if (( ! kept_start )); then  # the table when the stock is first clicked
    convert "$tmp/still.ppm" "$artefacts/hand-table-start.png"
    kept_start=1
  fi
  click $stock_x $stock_y
  stock_clicks=$((stock_clicks + 1))
  # Give a draw time to finish before the stock could be clicked again: wait for the
  # label, or for the table to stand still a while (the click came while the robot
  # played), at most a few seconds.
  waited=$SECONDS
  cp "$tmp/still.ppm" "$tmp/now.ppm"
  for _ in $(seq 15); do
    sleep 0.3
    cp "$tmp/now.ppm" "$tmp/before.ppm"
    shot "$tmp/now.ppm"
    label_showing "$tmp/now.ppm" && break
    results_showing "$tmp/now.ppm" && break
    message_window >/dev/null && break
    (( SECONDS - waited >= 3 )) && cmp -s "$tmp/before.ppm" "$tmp/now.ppm" && break
  done
done

(( turns >= 1 )) || fail_shot "the hand ended before the human had a turn"
(( turns < 3 || first_right >= WIDTH - 5 || last_right > first_right )) ||
  fail_shot "the hand did not grow over $turns turns ($first_right px, then $last_right px)"
sleep 0.5
shot "$artefacts/hand-results.png"
results_showing "$artefacts/hand-results.png" || fail_shot "the results frame vanished"
log "results frame shown; clicking Exit and Save"
click $exit_x $exit_y
ended=''
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || { ended=1; break; }
  sleep 0.1
done
[[ -n $ended ]] || fail_shot "the program did not end within 10 s of 'Exit and Save'"
wait "$pid"
status=$?
pid=''
(( status == 0 )) || fail "the program ended with status $status"

[[ -f $run/Name.dat ]] || fail "Name.dat is gone"
cp "$run/Name.dat" "$artefacts/hand-Name.dat"
content=$(od -An -c "$run/Name.dat" | tr -s ' \n' ' ')
lines=$(wc -l <"$run/Name.dat")
(( lines == 1 )) || fail "Name.dat holds $lines lines, expected one (see $artefacts/hand-Name.dat)"
line=$(head -1 "$run/Name.dat")
[[ $line == *$'\r' ]] || fail "Name.dat's line does not end with CR LF: $content"
line=${line%$'\r'}
size=$(stat -c %s "$run/Name.dat")
(( size == ${#line} + 2 )) || fail "Name.dat holds more than its one line: $content"
[[ $line =~ ^\"Tester\",\"Barnaby\",0,0,0,(-?[0-9]+),(-?[0-9]+),5000$ ]] ||
  fail "Name.dat changed names, pace, games won or target, or is malformed: $line (was $names_before)"
human=$((10#${BASH_REMATCH[1]#-})) robot=$((10#${BASH_REMATCH[2]#-}))
[[ ${BASH_REMATCH[1]} == -* ]] && human=$((-human))
[[ ${BASH_REMATCH[2]} == -* ]] && robot=$((-robot))
# The human never melded and still holds at least fifteen cards, so the hand's total
# for the human, and with it the game total, is below zero.
(( human < 0 )) || fail "the human's game total in Name.dat is $human; it must be negative: $line"
(( robot >= -32768 && robot <= 32767 )) || fail "the robot's game total $robot is out of range: $line"
log "Name.dat: $line"
echo "e2e-hand: PASS ($turns human turns, $stock_clicks stock clicks, $dialogs_seen message windows," \
  "$((SECONDS - started)) s; totals $human and $robot; Name.dat: $line; screenshots in $artefacts)"
