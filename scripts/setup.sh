#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12 packages) and builds
# into build/. Safe to run again: installs only what is missing.
# With --packaging also what making and checking the Debian package needs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-charts-dev qt6-webengine-dev libgl-dev
  qt6-translations-l10n
  libsqlite3-dev
  fonts-ipafont-gothic
)
if [ "${1:-}" = --packaging ]; then
  packages+=(dpkg-dev file desktop-file-utils lintian)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
