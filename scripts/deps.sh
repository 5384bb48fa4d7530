#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need,
# only those that are missing.  Runs apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho
  googletest libgtest-dev libbenchmark-dev
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xauth xdotool imagemagick)
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
