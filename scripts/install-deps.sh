#!/usr/bin/env bash
# Installs the Debian packages Larkspur needs to build, play and test, skipping
# what is already there. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev
  kdegames-card-data-kf5 fonts-dejavu-core fonts-liberation
  libgtest-dev
)
if [[ ${1:-} == --tests ]]; then
  packages+=(xvfb xauth xdotool x11-utils imagemagick dbus clang libclang-rt-14-dev)
fi

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
