#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing: with no argument those
# that building and running the game needs (./play); with --test also the
# tools of the tests, benchmarks and fuzz runs (./check).  Runs apt-get as
# root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(
    clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick openbox x11-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  SUDO=()
else
  SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
