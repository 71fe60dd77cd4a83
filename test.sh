#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and runs every test headless:
# core and front-end tests (dev preset, build/dev), an install of that build into
# a temporary prefix with its desktop entry and metainfo validated, the core tests
# with a shorter soak (120 games a run: memory faults show early) under
# AddressSanitizer and UndefinedBehaviorSanitizer (asan preset, build/asan), a
# bounded fuzz run of the player-file reader (fuzz preset, build/fuzz), the
# end-to-end tests of the dev build in a real X server (the whole hands with No
# pauses, the double clicks at a pace of the player file), and the Debian package,
# built from a copy of the sources, checked and its game started. Each
# preset keeps its own folder, so a second run rebuilds only what changed.
# Screenshots and the output of the fuzzer and the package check go to artifacts/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
jobs=$(nproc)
# Each step says when it starts, in seconds from here, and how long the one
# before took, so a slow one shows.
step='' step_start=0
phase() {
  if [[ -n $step ]]; then echo "== ($step: $((SECONDS - step_start)) s)"; fi
  step=$1 step_start=$SECONDS
  if [[ -n $step ]]; then echo "== $step (at ${SECONDS} s)"; fi
}
SECONDS=0

phase "Build and run the core and front-end tests"
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$jobs"
ctest --preset dev -j"$jobs"

phase "Installing for all users"
tests/install/check_install.sh build/dev

phase "The core tests and soak with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

# The package build and the fuzzer keep the processors busy while the end-to-end
# tests mostly wait for the window, so they share the machine instead of taking
# turns. Each runs in its own process group, to stop it whole.
mkdir -p artifacts
phase ""
echo "== Building and checking the Debian package, beside the steps below (from ${SECONDS} s)"
setsid tests/package/check_deb.sh artifacts >artifacts/package.log 2>&1 &
packaging=$!
echo "== Fuzzing the player-file reader, beside the end-to-end tests (from ${SECONDS} s)"
setsid tests/fuzz/run_fuzz.sh 20 >artifacts/fuzz.log 2>&1 &
fuzzing=$!
trap 'status=$?; kill -- -$fuzzing -$packaging 2>/dev/null || true; exit $status' EXIT
phase "End to end: start and exit"
tests/e2e/run_e2e.sh artifacts build/dev
phase "End to end: a whole hand with the mouse, No pauses"
tests/e2e/play_first_hand.sh artifacts build/dev
phase "End to end: double clicks, at the player file's pace"
tests/e2e/double_clicks.sh artifacts build/dev
phase "End to end: a whole hand with the keyboard, No pauses"
tests/e2e/keyboard_turn.sh artifacts build/dev
phase "Waiting for the fuzzer and the package check"
wait $fuzzing || { cat artifacts/fuzz.log; echo "The fuzz run failed (artifacts/fuzz.log)."; exit 1; }
tail -n 1 artifacts/fuzz.log
wait $packaging ||
  { cat artifacts/package.log; echo "The package check failed (artifacts/package.log)."; exit 1; }
tail -n 1 artifacts/package.log
phase ""

echo "All tests passed in ${SECONDS} s."
