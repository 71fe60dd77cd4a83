#!/usr/bin/env bash
# Sets up what is missing, builds Larkspur (the release preset, in build/release)
# and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
exec build/release/larkspur
