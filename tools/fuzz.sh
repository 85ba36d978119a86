#!/usr/bin/env bash
# Builds the fuzz targets in fuzz/ with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer over the
# core sources they test (no Qt), then runs each for FUZZ_SECONDS (60 by default) from its seed corpus in
# fuzz/corpus/<target>/. A crash or a failed property ends the script with an error; the input that caused it is
# kept as build-fuzz/<target>-crash-*. The corpus grows in a temporary copy, so the committed seeds stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

seconds=${FUZZ_SECONDS:-60}
out=build-fuzz
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

targets=(gb18030_codec icon_choice edit_text)
# target name, then the core sources it needs
declare -A sources=(
    [gb18030_codec]="runtime/gb18030.cpp"
    [icon_choice]="ui/icon_choice.cpp"
    [edit_text]="runtime/edit_text.cpp runtime/text.cpp runtime/heap.cpp runtime/fatal.cpp runtime/release_routine.cpp"
)
# seeds kept elsewhere in the tree: the real window icon is the icon reader's best seed
declare -A tree_seeds=(
    [icon_choice]="assets/brisvale.ico"
)
warnings=(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast
    -Werror)

for target in "${targets[@]}"; do
    # shellcheck disable=SC2086 # the sources are a word list
    clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        "${warnings[@]}" -I. -o "$out/$target" "fuzz/${target}_fuzz.cpp" ${sources[$target]}
done

for target in "${targets[@]}"; do
    corpus="$work/$target"
    cp -r "fuzz/corpus/$target" "$corpus"
    [ -z "${tree_seeds[$target]:-}" ] || cp "${tree_seeds[$target]}" "$corpus/"
    echo "fuzzing $target for ${seconds}s"
    "$out/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$out/$target-" "$corpus"
done
