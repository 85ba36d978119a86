#pragma once

// The file dialog's filter text: description and pattern texts separated by "|", taken in pairs.

#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct FilterEntry {
    std::string description; // GBK bytes
    std::string pattern;
};

// Trailing white space is dropped; a text that does not end in "||" gets it; every "|" that is not the second
// byte of a double-byte character ends one text; the list ends at the first empty description.
[[nodiscard]] std::vector<FilterEntry> file_filter_entries(std::string_view filter_text);

// The entry to select first: a negative index counts as 0.
[[nodiscard]] constexpr int initial_filter_entry(int stored)
{
    return stored < 0 ? 0 : stored;
}

} // namespace ui
