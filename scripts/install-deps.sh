#!/usr/bin/env bash
# Installs every Debian package qeltimer needs to build, run and test.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-qpa-plugins libqt6printsupport6
  qt6-httpserver-dev qt6-websockets-dev chromium
  libsdl2-dev libsdl2-mixer-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  socat sox espeak-ng poppler-utils xvfb xauth python3
  fonts-dejavu-core clang-format
  libreoffice-calc-nogui
  clang libclang-rt-14-dev
  libsqlite3-dev sqlite3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
