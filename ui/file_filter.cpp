#include "ui/file_filter.h"

namespace ui {
namespace {

bool is_lead_byte(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x81 && byte != '\xFF';
}

std::vector<std::string> split_texts(std::string_view text)
{
    std::vector<std::string> texts;
    std::string current;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (is_lead_byte(text[at]) && at + 1 < text.size()) {
            current += text.substr(at, 2);
            ++at;
        } else if (text[at] == '|') {
            texts.push_back(std::move(current));
            current.clear();
        } else {
            current += text[at];
        }
    }
    return texts;
}

} // namespace

std::vector<FilterEntry> file_filter_entries(std::string_view filter_text)
{
    std::size_t const end = filter_text.find_last_not_of(" \t\r\n");
    filter_text = end == std::string_view::npos ? std::string_view{} : filter_text.substr(0, end + 1);
    if (filter_text.empty())
        return {};
    std::string text(filter_text);
    if (!text.ends_with("||"))
        text += "||";
    std::vector<std::string> const texts = split_texts(text);
    std::vector<FilterEntry> entries;
    for (std::size_t at = 0; at < texts.size() && !texts[at].empty(); at += 2)
        entries.push_back({texts[at], at + 1 < texts.size() ? texts[at + 1] : std::string{}});
    return entries;
}

} // namespace ui
