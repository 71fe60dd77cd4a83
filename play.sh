#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLARKSPUR_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target larkspur
exec build/larkspur
