#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, and everything the
# scripts use (the fuzz build's sanitizer runtimes, the virtual display for the smoke test,
# git and debootstrap for scripts/fresh-check.sh). Packages are installed without their
# recommendations, so whatever a script needs is named here.
# Only missing packages are installed; safe to run again.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libsdl2-mixer-dev
  libfontconfig-dev fonts-ipafont-gothic
  libyaml-cpp-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-apps python3
  git debootstrap
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
