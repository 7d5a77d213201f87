#!/usr/bin/env bash
# Sets up (with the packaging tools), builds, makes the Debian package of the
# build with CPack, checks it as installed, and prints the file it made.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packaging >&2
rm -rf build/package
cpack --config build/CPackConfig.cmake -B build/package >build/cpack.log 2>&1 \
  || { cat build/cpack.log >&2; exit 1; }
deb=$(ls build/package/*.deb)
tests/package/check-package.sh "$deb" >&2
echo "$deb"
