#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and runs every test headless:
# core and front-end tests (dev preset, build/dev; the lean simulator compared with
# the table over 1,000 hands and every kept hand of 200 seeded games resumed and
# played on, LARKSPUR_RESUME_GAMES, among them), an install of that build into a
# temporary prefix with its desktop entry and metainfo validated, the core tests
# with a shorter soak (120 games a run, 200 hands compared: memory faults show
# early) under AddressSanitizer and UndefinedBehaviorSanitizer (asan preset,
# build/asan), a bounded fuzz run of the readers of the player file, the kept
# hand and the statistics (fuzz preset, build/fuzz), the end-to-end tests of the
# dev build in a real X server, and the Debian package, built from a copy of the
# sources, checked and its game started. Each preset keeps its own folder, so a
# second run rebuilds only what changed.
# Screenshots and the output of the fuzzer and the package check go to artifacts/.
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
LARKSPUR_RESUME_GAMES=200 ctest --preset dev -j"$jobs"

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
phase "Building and checking the Debian package, beside the steps below"
setsid tests/package/check_deb.sh artifacts >artifacts/package.log 2>&1 &
packaging=$!
phase "Fuzzing the files' readers, beside the end-to-end tests in a real X server"
setsid tests/fuzz/run_fuzz.sh 20 >artifacts/fuzz.log 2>&1 &
fuzzing=$!
trap 'status=$?; kill -- -$fuzzing -$packaging 2>/dev/null || true; exit $status' EXIT
tests/e2e/run_e2e.sh artifacts build/dev
tests/e2e/play_first_hand.sh artifacts build/dev
tests/e2e/double_clicks.sh artifacts build/dev
tests/e2e/keyboard_turn.sh artifacts build/dev
tests/e2e/resume_hand.sh artifacts build/dev
wait $fuzzing || { cat artifacts/fuzz.log; echo "The fuzz run failed (artifacts/fuzz.log)."; exit 1; }
tail -n 1 artifacts/fuzz.log
wait $packaging ||
  { cat artifacts/package.log; echo "The package check failed (artifacts/package.log)."; exit 1; }
tail -n 1 artifacts/package.log

echo "All tests passed in ${SECONDS} s."
