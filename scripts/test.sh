#!/bin/bash
# Builds Quandrel (warnings are errors here) and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUANDREL_WERROR=ON \
  -DQUANDREL_TESTS=ON -DQUANDREL_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure --no-tests=error -j"$(nproc)"
