#!/usr/bin/env bash
# Builds everything with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in build-sanitize and runs
# the tests there; a single report fails the run. Children the process tests start are sanitized too and inherit
# the options. Tests labelled no-sanitize (a preloaded library, a memory cap) cannot run under the sanitizers'
# run time and are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=g++ -DBRISVALE_WERROR=ON -DBRISVALE_SANITIZE=ON
cmake --build build-sanitize

# allocator_may_return_null: the program reports a request the heap cannot meet itself, and tests check that
# report; by default the sanitizer would end the process first with its own.
asan_options=(
    halt_on_error=1
    detect_leaks=1
    allocator_may_return_null=1
    detect_stack_use_after_return=1
    check_initialization_order=1
    strict_init_order=1
)
export ASAN_OPTIONS="$(IFS=:; echo "${asan_options[*]}")"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp"
ctest --test-dir build-sanitize --output-on-failure --timeout 600 --parallel 2 -LE no-sanitize
