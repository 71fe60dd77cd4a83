#!/usr/bin/env bash
# End-to-end check of the built program in a real X server, driven like a person:
# start it, see the table, take a screenshot, press Ctrl+X and check that it ended
# and wrote its player file beside itself.
# Usage: run_e2e.sh ARTEFACTS_DIR [BUILD_DIR]
#   ARTEFACTS_DIR  receives startup.png (the whole screen) and larkspur.log
#   BUILD_DIR      holds the built larkspur, its sound module and wav files (default: $LARKSPUR_BUILD_DIR,
#                  else build/dev beside the sources, the dev preset's folder)
set -u -o pipefail

fail() { echo "e2e: FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/lib.sh"
in_x_server 120 "$@"

copy_program "$build" /tmp/larkspur-e2e.XXXXXX

"$run/larkspur" >"$artefacts/larkspur.log" 2>&1 &
pid=$!

wait_for_window larkspur.log
title=$(xdotool getwindowname "$window")
[[ $title == Larkspur ]] || fail "window title is '$title', not 'Larkspur'"

sleep 1  # let the table paint
import -window root "$artefacts/startup.png" || fail "screenshot failed"

# The table: 1061 x 762 of dark green below the menu bar, the stock's card back bottom left.
table_origin
pixel() { convert "$artefacts/startup.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:; }
read -r r g b <<<"$(pixel $((X + 1000)) $((Y + menu + 700)))"
[[ $r,$g,$b == "$baize_rgb" ]] || fail "table is not dark green at (1000, 700): $r $g $b"
# The top card of the stock lies 14 px right of and 14 px above the bottom card at (0, 624);
# its back is blue near the corner (the middle shows a fan of aces).
read -r r g b <<<"$(pixel $((X + 14 + 8)) $((Y + menu + 610 + 12)))"
(( b > 120 && b > r + 60 && b > g + 30 )) || fail "no blue card back on the stock pile: $r $g $b"

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+x
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  import -window root "$artefacts/after-exit.png"
  fail "the program did not end within 5 s of Ctrl+X (see after-exit.png)"
fi
wait "$pid"
status=$?
pid=''
(( status == 0 )) || fail "the program ended with status $status"

[[ -f $run/Name.dat ]] || fail "Name.dat was not written beside the program"
line=$(head -1 "$run/Name.dat")
[[ $line =~ ^\"Player\",\"[^\"]*\",-?[0-9]+(,-?[0-9]+){5}$'\r'?$ ]] ||
  fail "Name.dat does not hold the player line: $line"
echo "e2e: PASS (window ${WIDTH}x${HEIGHT}, screenshot $artefacts/startup.png, Name.dat: $line)"
