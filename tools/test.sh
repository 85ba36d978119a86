#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DBRISVALE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300
# The same tests again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer; then the fuzz targets
# for a bounded time.
tools/sanitize.sh
tools/fuzz.sh
