#!/usr/bin/env bash
# Sets up, builds and runs every test on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure -j"$(nproc)"
