#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and runs every test headless:
# core and front-end tests, the soak under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded fuzz run of the player-file reader, and
# the end-to-end test in a real X server. Screenshots go to artifacts/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
jobs=$(nproc)

echo "== Build and run the core and front-end tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLARKSPUR_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

echo "== The core tests and soak with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLARKSPUR_CORE_ONLY=ON \
  -DLARKSPUR_SANITIZE=ON -DLARKSPUR_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs" --target core_tests
build-asan/tests/core_tests --gtest_brief=1

echo "== Fuzzing the player-file reader"
tests/fuzz/run_fuzz.sh 20

echo "== End to end in a real X server"
mkdir -p artifacts
tests/e2e/run_e2e.sh artifacts build
tests/e2e/play_first_hand.sh artifacts build

echo "All tests passed."
