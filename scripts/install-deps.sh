#!/usr/bin/env bash
# Installs the Debian packages Larkspur needs to build, play and test, skipping
# what is already there. Uses sudo when not run as root.
# Usage: install-deps.sh [--tests] [--bench]
#   (none)   what the game and its core and front-end tests build with
#   --tests  also what ./test.sh runs: Xvfb and the tools that drive and watch the
#            program (python3 presses its close box), clang with its sanitizer and
#            libFuzzer runtimes, and the validators of the desktop entry and the
#            AppStream metainfo, and the Debian package tools with lintian
#   --bench  also Google Benchmark, for the bench preset's bench_core
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev zlib1g-dev libfontconfig-dev
  kdegames-card-data-kf5 fonts-dejavu-core fonts-liberation
  libgtest-dev
)
for arg in "$@"; do
  case $arg in
    --tests)
      packages+=(xvfb xauth xdotool x11-utils imagemagick dbus python3 clang libclang-rt-14-dev
        desktop-file-utils appstream dpkg-dev debhelper lintian)
      ;;
    --bench) packages+=(libbenchmark-dev) ;;
    *) echo "install-deps.sh: unknown option $arg (use --tests, --bench)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
