# Shared by the end-to-end tests: run the built program from a copy of its
# folder, so its player file is fresh and ours. Sets run (the folder) and
# pid (filled in by the caller); the copy goes when the script ends.
# Usage: copy_program BUILD_DIR TEMPLATE
copy_program() {
  run=$(mktemp -d "$2") || fail "cannot make a folder for the program"
  pid=''
  trap 'cleanup_program' EXIT
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
