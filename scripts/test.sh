#!/usr/bin/env bash
# Sets up, builds and runs every test on Qt's offscreen platform, then builds
# the project again with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole suite there, halting on the first error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure -j"$(nproc)"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
# tst_browser is left out: the web engine starts processes of its own that
# are not built with the sanitizers and do not run under them.
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -E '^tst_browser$'
