#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and runs every test headless:
# core and front-end tests (dev preset, build/dev; the lean simulator compared with
# the table over 1,000 hands among them), an install of that build into a temporary
# prefix with its desktop entry and metainfo validated, the core tests with a
# shorter soak (120 games a run, 200 hands compared: memory faults show early) under
# AddressSanitizer and UndefinedBehaviorSanitizer (asan preset, build/asan), a
# bounded fuzz run of the player-file reader (fuzz preset, build/fuzz), and the
# end-to-end tests of the dev build in a real X server. Each
# preset keeps its own folder, so a second run rebuilds only what changed.
# Screenshots and the fuzzer's output go to artifacts/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
jobs=$(nproc)
# Each step says when it starts, in seconds from here, so a slow one shows.
phase() { echo "== $1 (at ${SECONDS} s)"; }
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

phase "Fuzzing the player-file reader, beside the end-to-end tests in a real X server"
# The fuzzer keeps one core busy for a fixed time while the end-to-end tests mostly
# wait for the window, so the two share the machine instead of taking turns.
mkdir -p artifacts
setsid tests/fuzz/run_fuzz.sh 20 >artifacts/fuzz.log 2>&1 &  # its own group, to stop it whole
fuzzing=$!
trap 'status=$?; kill -- -$fuzzing 2>/dev/null || true; exit $status' EXIT
tests/e2e/run_e2e.sh artifacts build/dev
tests/e2e/play_first_hand.sh artifacts build/dev
tests/e2e/double_clicks.sh artifacts build/dev
tests/e2e/keyboard_turn.sh artifacts build/dev
wait $fuzzing || { cat artifacts/fuzz.log; echo "The fuzz run failed (artifacts/fuzz.log)."; exit 1; }
tail -n 1 artifacts/fuzz.log

echo "All tests passed in ${SECONDS} s."
