#!/usr/bin/env bash
# Fuzzes the player file reader for a bounded time.
# Usage: run_fuzz.sh [seconds]   (default 20)
# Builds the fuzz_player_file target through the fuzz preset (clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, in build/fuzz), seeds a small
# corpus and exits non-zero on a crash or a broken invariant; the failing input is
# kept and its path printed.
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
fuzzer="$root/build/fuzz/tests/fuzz/fuzz_player_file"
work="$(mktemp -d "${TMPDIR:-/tmp}/larkspur-fuzz.XXXXXX")"

corpus="$work/corpus"
mkdir -p "$corpus"
printf '"Player","Barnaby",300,2,2,0,0,5000\r\n' >"$corpus/example"
printf '"Smith, John","Robo ""the"" Bot",0,32767,0,-1250,-32768,500\r\n' >"$corpus/quoted"
printf ' Ann , "Bob" , 100 ,1, 2 ,3,4 , 600 \n' >"$corpus/blanks"
printf '"Ann","Bob",abc,3,4,70000,-5,9000\r\n' >"$corpus/bad-numbers"
printf '"Ann","Bob",150,7' >"$corpus/short"
printf '"unclosed,1,2' >"$corpus/unclosed"
: >"$corpus/empty"

status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=512 \
  -artifact_prefix="$work/" -print_final_stats=1 "$corpus" >"$work/log" 2>&1 || status=$?
tail -n 20 "$work/log"
if [ "$status" -ne 0 ]; then
  echo "run_fuzz.sh: the player file fuzzer failed (status $status); input and log in $work" >&2
  exit 1
fi
rm -rf "$work"
echo "run_fuzz.sh: no faults found in ${seconds} s"
