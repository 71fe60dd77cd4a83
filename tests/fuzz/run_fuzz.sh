#!/usr/bin/env bash
# Fuzzes the readers of the files the game keeps for a bounded time in all:
# half of it the player file's (fuzz_player_file), half the kept hand's and the
# statistics' (fuzz_kept_files).
# Usage: run_fuzz.sh [seconds]   (default 20)
# Builds both targets through the fuzz preset (clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, in build/fuzz), seeds a small
# corpus for each and exits non-zero on a crash or a broken invariant; the
# failing input is kept and its path printed.
set -euo pipefail

seconds="${1:-20}"
case "$seconds" in
  '' | *[!0-9]*) echo "run_fuzz.sh: seconds must be a whole number" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
(
  cd "$root"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j"$(nproc)"
)
work="$(mktemp -d "${TMPDIR:-/tmp}/larkspur-fuzz.XXXXXX")"

players="$work/player-file"
mkdir -p "$players"
printf '"Player","Barnaby",300,2,2,0,0,5000\r\n' >"$players/example"
printf '"Smith, John","Robo ""the"" Bot",0,32767,0,-1250,-32768,500\r\n' >"$players/quoted"
printf ' Ann , "Bob" , 100 ,1, 2 ,3,4 , 600 \n' >"$players/blanks"
printf '"Ann","Bob",abc,3,4,70000,-5,9000\r\n' >"$players/bad-numbers"
printf '"Ann","Bob",150,7' >"$players/short"
printf '"unclosed,1,2' >"$players/unclosed"
: >"$players/empty"

# Kept hands and statistics as the game writes them.
kept="$work/kept-files"
mkdir -p "$kept"
cp "$root"/tests/fuzz/seeds/* "$kept/"
: >"$kept/empty"

# Runs one fuzzer for its share of the time. Usage: fuzz TARGET SECONDS CORPUS MAX_LEN
fuzz() {
  local status=0
  "$root/build/fuzz/tests/fuzz/$1" -max_total_time="$2" -timeout=10 -max_len="$4" \
    -artifact_prefix="$work/$1-" -print_final_stats=1 "$3" >"$work/$1.log" 2>&1 || status=$?
  tail -n 12 "$work/$1.log"
  if [ "$status" -ne 0 ]; then
    echo "run_fuzz.sh: $1 failed (status $status); input and log in $work" >&2
    exit 1
  fi
}
# A share of 0 would let libFuzzer run for ever: each gets a second at least.
half=$((seconds / 2)) && ((half > 0)) || half=1
rest=$((seconds - half)) && ((rest > 0)) || rest=1
fuzz fuzz_player_file "$half" "$players" 512
fuzz fuzz_kept_files "$rest" "$kept" 32768
rm -rf "$work"
echo "run_fuzz.sh: no faults found in $((half + rest)) s ($half s on the player file," \
  "$rest s on the kept hand and the statistics)"
