# Shared by the end-to-end tests: run the built program from a copy of its
# folder, so its player file is fresh and ours, and find its window.

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
# it starts as on a first start and leaves the user's own alone.
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
