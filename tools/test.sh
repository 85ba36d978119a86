#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DBRISVALE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300
