#include "ui/icon_choice.h"

#include <cstdint>

namespace ui {

namespace {

constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t DirectoryEntrySize = 16;
constexpr std::uint16_t IconType = 1;
constexpr std::size_t WidthOffset = 0;
constexpr std::size_t ColourCountOffset = 2;
constexpr std::uint8_t BigWidth = 32;
constexpr std::uint8_t SmallWidth = 16;
constexpr std::uint8_t FewestColours = 16;

std::uint8_t byte_at(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint8_t>(bytes[offset]);
}

std::uint16_t u16_at(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(byte_at(bytes, offset) | byte_at(bytes, offset + 1) << 8);
}

// The caller has checked that all count entries lie within the bytes.
std::optional<std::size_t> first_entry_matching(std::string_view bytes, std::size_t count, std::uint8_t width)
{
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t entry = DirectoryHeaderSize + index * DirectoryEntrySize;
        if (byte_at(bytes, entry + WidthOffset) == width &&
            byte_at(bytes, entry + ColourCountOffset) >= FewestColours) {
            return index;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<IconChoice> choose_window_icons(std::string_view icon_file) noexcept
{
    if (icon_file.size() < DirectoryHeaderSize || u16_at(icon_file, 0) != 0 || u16_at(icon_file, 2) != IconType) {
        return std::nullopt;
    }
    // The count comes from the file: the directory it claims must fit before any entry is read.
    const std::size_t count = u16_at(icon_file, 4);
    if (count == 0 || (icon_file.size() - DirectoryHeaderSize) / DirectoryEntrySize < count) {
        return std::nullopt;
    }
    const std::size_t last = count - 1;
    return IconChoice{first_entry_matching(icon_file, count, BigWidth).value_or(last),
                      first_entry_matching(icon_file, count, SmallWidth).value_or(last)};
}

} // namespace ui
