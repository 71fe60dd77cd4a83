#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and runs every test headless:
# core and front-end tests (dev preset, build/dev; the lean simulator compared with
# the table over 1,000 hands and every kept hand of 200 seeded games resumed and
# played on, LARKSPUR_RESUME_GAMES, among them), an install of that build into a
# temporary prefix with its desktop entry and metainfo validated, the core tests
# with a shorter soak (60 games a run, 200 hands compared: memory faults show
# early) under AddressSanitizer and UndefinedBehaviorSanitizer (asan preset,
# build/asan), a bounded fuzz run of the readers of the player file, the kept
# hand and the statistics (fuzz preset, build/fuzz), the end-to-end tests of the
# dev build, each in a real X server of its own (the whole hands with No pauses,
# the double clicks at a pace of the player file), and the Debian package, built
# from a copy of the sources, checked and its game started. Each preset keeps its
# own folder, so a second run rebuilds only what changed. Screenshots and the
# output of the steps that run beside the others go to artifacts/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
jobs=$(nproc)
export jobs
# Each step says when it starts, in seconds from here, and how long the one
# before took, so a slow one shows.
step='' step_start=0
phase() {
  if [[ -n $step ]]; then echo "== ($step: $((SECONDS - step_start)) s)"; fi
  step=$1 step_start=$SECONDS
  if [[ -n $step ]]; then echo "== $step (at ${SECONDS} s)"; fi
}
SECONDS=0

# The package check, the sanitizers and the fuzzer need nothing of the dev
# build: they run beside it from the start, so the machine's processors stay
# busy while the end-to-end tests mostly wait for their windows. Each runs in
# its own process group, to stop it whole, and writes to artifacts/.
mkdir -p artifacts
sanitized_core() {
  SECONDS=0
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j"$jobs"
  ctest --preset asan -j"$jobs"
  echo "The core tests under the sanitizers passed in ${SECONDS} s."
}
export -f sanitized_core
echo "== Beside the steps below, from ${SECONDS} s: the Debian package built and checked" \
  "(artifacts/package.log), the core tests and soak with AddressSanitizer and" \
  "UndefinedBehaviorSanitizer (artifacts/sanitizers.log), the files' readers fuzzed" \
  "(artifacts/fuzz.log)"
setsid tests/package/check_deb.sh artifacts >artifacts/package.log 2>&1 &
packaging=$!
setsid bash -ec sanitized_core >artifacts/sanitizers.log 2>&1 &
sanitizing=$!
setsid tests/fuzz/run_fuzz.sh 20 >artifacts/fuzz.log 2>&1 &
fuzzing=$!
beside=()
trap 'status=$?; kill -- -$packaging -$sanitizing -$fuzzing 2>/dev/null || true
  kill "${beside[@]}" 2>/dev/null || true; exit $status' EXIT

phase "Build and run the core and front-end tests"
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$jobs"
LARKSPUR_RESUME_GAMES=200 ctest --preset dev -j"$jobs"

phase "Installing for all users"
tests/install/check_install.sh build/dev

# Each end-to-end test has an X server of its own, so they run side by side.
phase "End to end: start and exit, double clicks, two whole hands with No pauses, a kept hand"
for test in run_e2e double_clicks play_first_hand keyboard_turn resume_hand; do
  tests/e2e/$test.sh artifacts build/dev >"artifacts/$test.log" 2>&1 &
  beside+=($!)
done
failed=0
for i in "${!beside[@]}"; do
  wait "${beside[$i]}" || failed=1
done
cat artifacts/run_e2e.log artifacts/double_clicks.log artifacts/play_first_hand.log \
  artifacts/keyboard_turn.log artifacts/resume_hand.log
((failed == 0)) || { echo "An end-to-end test failed (artifacts/*.log)."; exit 1; }

phase "Waiting for the sanitizers, the fuzzer and the package check"
wait $sanitizing ||
  { cat artifacts/sanitizers.log; echo "The sanitizers' step failed (artifacts/sanitizers.log)."; exit 1; }
tail -n 1 artifacts/sanitizers.log
wait $fuzzing || { cat artifacts/fuzz.log; echo "The fuzz run failed (artifacts/fuzz.log)."; exit 1; }
tail -n 1 artifacts/fuzz.log
wait $packaging ||
  { cat artifacts/package.log; echo "The package check failed (artifacts/package.log)."; exit 1; }
tail -n 1 artifacts/package.log
phase ""

echo "All tests passed in ${SECONDS} s."
