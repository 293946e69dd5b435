#!/bin/bash
# Builds Quandrel with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan (or $QUANDREL_ASAN_BUILD_DIR) and runs every test suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUANDREL_ASAN_BUILD_DIR:-build-asan}
jobs=$(nproc)

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUANDREL_SANITIZE=ON -DQUANDREL_WERROR=ON -DQUANDREL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"

# Tests that open a real window under Xvfb run with every check but the leak
# check: the X server's GL driver (Mesa's swrast_dri.so) and libdbus keep
# memory to the end of the process, and the driver is unloaded before the
# leak report could name it. Leaks of our own code are checked by every other
# test, including the same game run headless, and by the memcheck test.
real_window='e2e_sdl_click_in_window|e2e_sdl_record_in_window|desktop_installed_window'
# The Windows build under Wine is built without sanitizers whatever this build
# is, so the normal suite's run of it is the one that counts.
ctest --test-dir "$build" --output-on-failure -j"$jobs" -E "$real_window|windows_wine"
ASAN_OPTIONS="${ASAN_OPTIONS/detect_leaks=1/detect_leaks=0}" \
  ctest --test-dir "$build" --output-on-failure -j"$jobs" -R "$real_window"
