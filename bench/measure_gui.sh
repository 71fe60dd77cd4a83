#!/usr/bin/env bash
# Start-up time, idle processor use and peak memory of the built program under Xvfb,
# side by side with the start-up floor (larkspur-floor: a bare Qt main window with a
# menu bar and 108 picture labels, the table's size, nothing else), run by turns in
# the same X server: floor, game, floor, game ... so both see the same machine.
# Usage: measure_gui.sh [-n RUNS] [-i IDLE_S] [BUILD_DIR]
#   RUNS      runs of each program, the medians are reported (default 7)
#   IDLE_S    idle window after a window is mapped, in seconds (default 5)
#   BUILD_DIR a build folder with larkspur, larkspur-floor and the rest, installed into a
#             scratch prefix for the runs (default:
#             $LARKSPUR_BUILD_DIR, else build/release, where ./play.sh and the
#             release preset build them)
# mapped_ms  launch -> MapNotify of the program's top-level window (stamped as xev reports it)
# idle_cpu   processor time of the program (all threads, children included) over the idle
#            window / its wall time, in percent; one 10 ms tick in 5 s shows as 0.2 %
# peak_mb    VmHWM, the program's peak resident memory, MiB
# ratio      the game's median mapped_ms / the floor's, both from this run
# Targets: ratio at most 1.25, 0.0 % idle, peak at most 40 MB.
set -u -o pipefail
runs=7 idle=5
while getopts "n:i:h" o; do case $o in
  n) runs=$OPTARG;; i) idle=$OPTARG;; *) sed -n '2,18p' "$0" >&2; exit 2;;
esac; done
shift $((OPTIND - 1))
# A count that is not a whole number is refused, not read as none.
[[ $runs =~ ^[0-9]+$ && $runs -ge 1 ]] || { echo "measure_gui: RUNS must be a whole number from 1, not '$runs'" >&2; exit 2; }
[[ $idle =~ ^[0-9]+(\.[0-9]+)?$ ]] || { echo "measure_gui: IDLE_S must be a number of seconds, not '$idle'" >&2; exit 2; }
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${LARKSPUR_BUILD_DIR:-$source_dir/build/release}}
for p in larkspur larkspur-sounds.so larkspur-floor; do
  [[ -x $build/$p ]] || { echo "measure_gui: no $p in $build" >&2; exit 1; }
done
for t in Xvfb xev xdotool dbus-daemon ps awk; do
  command -v $t >/dev/null || { echo "measure_gui: missing $t" >&2; exit 1; }
done

scratch=$(mktemp -d /tmp/larkspur-bench.XXXXXX)
hz=$(getconf CLK_TCK)
xpid='' bpid='' epid='' apid=''
alive() { local s; { read -r s <"/proc/$1/stat"; } 2>/dev/null || return 1; s=${s##*) }; [[ ${s:0:1} != Z ]]; }
# PID $1 and its live descendants.
tree() { ps -e -o pid=,ppid= | awk -v r="$1" '{ c[$2] = c[$2] " " $1 }
  END { q = r; while (q != "") { n = split(q, a, " "); q = ""
        for (i = 1; i <= n; i++) { print a[i]; q = q c[a[i]] } } }'; }
# Clock ticks of PID $1 and its descendants (utime, stime, cutime, cstime).
ticks() { local s=0 p f; for p in $(tree "$1"); do
  { read -r f <"/proc/$p/stat"; } 2>/dev/null || continue; f=(${f##*) })
  s=$(( s + f[11] + f[12] + f[13] + f[14] )); done; echo $s; }
stop() { local p; for p in "$@"; do [[ -n $p ]] && kill "$p" 2>/dev/null; done
  for _ in {1..30}; do local left=0; for p in "$@"; do [[ -n $p ]] && alive "$p" && left=1; done
    (( left )) || return 0; sleep 0.1; done
  for p in "$@"; do [[ -n $p ]] && kill -9 "$p" 2>/dev/null; done; }
cleanup() {
  [[ -n $apid ]] && stop $(tree "$apid")
  [[ -n $epid ]] && stop $(tree "$epid")
  stop "$bpid" "$xpid"; wait 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT; trap 'exit 130' INT TERM HUP

# A private X server on the first free display from :93.
for d in {93..199}; do
  [[ -e /tmp/.X$d-lock || -e /tmp/.X11-unix/X$d ]] && continue
  Xvfb :$d -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 & xpid=$!
  for _ in {1..200}; do DISPLAY=:$d xdotool getdisplaygeometry >/dev/null 2>&1 && break 2
    alive $xpid || break; sleep 0.05; done
  stop $xpid; wait $xpid 2>/dev/null; xpid=''
done
[[ -n $xpid ]] || { echo "measure_gui: could not start Xvfb" >&2; exit 1; }
export DISPLAY=:$d XDG_RUNTIME_DIR=$scratch/run
# Every run is a first start: no window place or options kept from the user's games.
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A private session bus, as on a desktop.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
  --print-address=1 >"$scratch/bus" 2>/dev/null & bpid=$!
for _ in {1..100}; do [[ -s $scratch/bus ]] && break; sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$scratch/bus"); export DBUS_SESSION_BUS_ADDRESS

# Every top-level MapNotify, stamped in microseconds when xev reports it.
( xev -root -event substructure 2>/dev/null | while IFS= read -r l; do
    [[ ${prev-} == MapNotify* && $l == *"override NO" ]] && echo "${EPOCHREALTIME/./} $l"; prev=$l
  done >"$scratch/maps" ) & epid=$!
sleep 0.5

# Each program runs from a copy of its own: the game installed into a prefix of
# its own, so it finds its sound module and sounds where an install puts them
# (it loads the module only from there or from its build folder).
app=$scratch/app floor=$scratch/floor
mkdir "$app" "$floor"
command -v cmake >/dev/null || { echo "measure_gui: missing cmake" >&2; exit 1; }
cmake --install "$build" --prefix "$app" >/dev/null ||
  { echo "measure_gui: cannot install $build into $app" >&2; exit 1; }
cp "$build/larkspur-floor" "$floor/"

# One run of program $2 under the name $1: its figures are appended to the
# arrays $1_M (mapped_ms), $1_C (idle_cpu) and $1_R (peak_mb).
measure() {
  local name=$1 program=$2 t0 t1 l n w p c0 c1 i0 i1 L
  local -n M=${name}_M C=${name}_C R=${name}_R
  rm -f "$app/bin/Name.dat"
  mapfile -t L <"$scratch/maps"; n=${#L[@]}
  t0=${EPOCHREALTIME/./} t1=''
  "$program" >"$scratch/app.log" 2>&1 & apid=$!
  while [[ -z $t1 ]] && (( ${EPOCHREALTIME/./} - t0 < 20000000 )) && alive $apid; do
    sleep 0.005; mapfile -t -s "$n" L <"$scratch/maps"
    for l in "${L[@]}"; do
      (( n++ )); w=${l#*window }; w=${w%%,*}
      p=$(xdotool getwindowpid $((w)) 2>/dev/null) || continue
      [[ $p == "$apid" ]] && { t1=${l%% *}; break; }
    done
  done
  if [[ -z $t1 ]]; then
    echo "run $r $name: no window mapped"; sed 's/^/  app: /' "$scratch/app.log" | tail -5
    stop $(tree $apid); wait $apid 2>/dev/null; apid=''; return
  fi
  c0=$(ticks $apid) i0=${EPOCHREALTIME/./}
  sleep "$idle"
  c1=$(ticks $apid) i1=${EPOCHREALTIME/./}
  [[ $name != game ]] || grep -q larkspur-sounds.so "/proc/$apid/maps" ||
    echo "run $r $name: its sound module did not load (the figures are a silent game's)"
  M+=($(( (t1 - t0 + 500) / 1000 )))
  C+=($(awk -v c=$((c1 - c0)) -v hz="$hz" -v us=$((i1 - i0)) 'BEGIN { printf "%.2f", c / hz / (us / 1e6) * 100 }'))
  R+=($(awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/$apid/status))
  printf "run %d %-5s mapped_ms=%s idle_cpu=%s%% peak_mb=%s\n" "$r" "$name" "${M[-1]}" "${C[-1]}" "${R[-1]}"
  stop $(tree $apid); wait $apid 2>/dev/null; apid=''
}

echo "# $build: larkspur-floor and larkspur by turns   runs: $runs each   idle: ${idle}s"
floor_M=() floor_C=() floor_R=() game_M=() game_C=() game_R=()
for (( r = 1; r <= runs; r++ )); do
  measure floor "$floor/larkspur-floor"
  measure game "$app/bin/larkspur"
done

(( ${#floor_M[@]} && ${#game_M[@]} )) || { echo "measure_gui: no successful runs" >&2; exit 1; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
  printf "%g", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for name in floor game; do
  declare -n M=${name}_M C=${name}_C R=${name}_R
  printf "median of %d runs, %-5s mapped_ms=%s idle_cpu=%s%% peak_mb=%s\n" "${#M[@]}" "$name" \
    "$(median "${M[@]}")" "$(median "${C[@]}")" "$(median "${R[@]}")"
  unset -n M C R
done
echo "ratio game/floor of the mapped_ms medians: $(awk -v g="$(median "${game_M[@]}")" \
  -v f="$(median "${floor_M[@]}")" 'BEGIN { printf "%.2f", g / f }')" \
  "  (targets: ratio <= 1.25, idle 0.0 %, game peak <= 40 MB)"
