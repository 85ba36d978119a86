#pragma once

// The lines of a text found by the plainest scan there is, for the line index of an edit box's text to be checked
// against: a line ends at CR LF, a lone CR or a lone LF.

#include <cstddef> // size_t
#include <string_view>
#include <vector>

namespace testing_support {

struct ScannedLine {
    std::size_t start;
    std::string_view content; // without the end
    std::string_view end;     // empty for the last line
};

inline std::vector<ScannedLine> scanned_lines(std::string_view text)
{
    std::vector<ScannedLine> lines;
    std::size_t start = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '\r' && text[index] != '\n')
            continue;
        std::size_t const end_size = text.substr(index, 2) == "\r\n" ? 2 : 1;
        lines.push_back({start, text.substr(start, index - start), text.substr(index, end_size)});
        start = index + end_size;
        index = start - 1;
    }
    lines.push_back({start, text.substr(start), {}});
    return lines;
}

} // namespace testing_support
