#pragma once

// How much the bench does: the full run behind docs/PERFORMANCE.md, or the smoke run CI makes at small sizes to
// show that every measurement still works.

#include <cstddef>
#include <vector>

namespace bench {

struct ClickSize {
    std::size_t lines;
    int in_place_clicks;   // per round
    int whole_text_clicks; // per round; the original algorithm is slow on long rosters
};

struct Scale {
    std::vector<ClickSize> click_sizes; // the flatness compares the last size with the second
    int rounds;                         // in-process measurements alternate ours and the baseline this often
    std::size_t big_roster_lines;       // typing, saving, encoding and memory
    int keys;                           // per round and box
    int saves;
    int encodes;
    int starts; // child processes of each program
    int memory_runs;
};

inline Scale const FullScale{
    .click_sizes = {{0, 100, 100}, {1'000, 100, 25}, {100'000, 100, 2}, {1'000'000, 100, 1}},
    .rounds = 3,
    .big_roster_lines = 1'000'000,
    .keys = 100,
    .saves = 5,
    .encodes = 5,
    .starts = 9,
    .memory_runs = 3,
};

inline Scale const SmokeScale{
    .click_sizes = {{0, 5, 2}, {100, 5, 2}, {1'000, 5, 2}},
    .rounds = 1,
    .big_roster_lines = 1'000,
    .keys = 5,
    .saves = 1,
    .encodes = 1,
    .starts = 1,
    .memory_runs = 1,
};

} // namespace bench
