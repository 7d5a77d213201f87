#!/usr/bin/env bash
# Sets up, builds, creates the demo working folder demo/ when it is missing,
# and starts the program there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
[ -f demo/SQDB.DB ] || build/sqdb-init demo --sample
cd demo
exec ../build/keizai-shihyo
