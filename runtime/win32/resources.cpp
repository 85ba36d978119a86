#include "runtime/win32/resources.h"

#include "ui/icon_choice.h"

#include <cstdint>
#include <span>

namespace runtime::win32 {
namespace {

constexpr wchar_t IconGroupName[] = L"DEFAULT_ICON";

// An icon group holds the icon file's directory with each 16-byte entry's last field, the image's offset in the
// file, replaced by a 2-byte resource id.
constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t GroupEntrySize = 14;
constexpr std::size_t FileEntrySize = 16;
constexpr std::size_t EntryFieldsKept = 12; // width, height, colours, reserved, planes, bits, image size
constexpr std::size_t IdOffset = 12;

std::span<std::byte const> resource_bytes(wchar_t const* name, wchar_t const* type)
{
    HMODULE const module = GetModuleHandleW(nullptr);
    HRSRC const found = FindResourceW(module, name, type);
    HGLOBAL const loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    void const* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return {};
    return {static_cast<std::byte const*>(bytes), SizeofResource(module, found)};
}

std::uint8_t byte_at(std::span<std::byte const> bytes, std::size_t offset)
{
    return static_cast<std::uint8_t>(bytes[offset]);
}

std::uint16_t u16_at(std::span<std::byte const> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(byte_at(bytes, offset) | byte_at(bytes, offset + 1) << 8);
}

// The icon file's directory as the group holds it, for the rule that reads icon files.
std::string file_directory(std::span<std::byte const> group, std::size_t count)
{
    std::string directory(reinterpret_cast<char const*>(group.data()), DirectoryHeaderSize);
    for (std::size_t index = 0; index < count; ++index) {
        auto const entry = group.subspan(DirectoryHeaderSize + index * GroupEntrySize, EntryFieldsKept);
        directory.append(reinterpret_cast<char const*>(entry.data()), entry.size());
        directory.append(FileEntrySize - EntryFieldsKept, '\0');
    }
    return directory;
}

HICON icon_image(std::span<std::byte const> group, std::size_t index)
{
    std::size_t const entry = DirectoryHeaderSize + index * GroupEntrySize;
    int const width = byte_at(group, entry) == 0 ? 256 : byte_at(group, entry);
    int const height = byte_at(group, entry + 1) == 0 ? 256 : byte_at(group, entry + 1);
    auto const image = resource_bytes(MAKEINTRESOURCEW(u16_at(group, entry + IdOffset)), RT_ICON);
    if (image.empty())
        return nullptr;
    constexpr DWORD IconFormatVersion = 0x00030000;
    return CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<std::byte*>(image.data())),
                                    static_cast<DWORD>(image.size()), TRUE, IconFormatVersion, width, height,
                                    LR_DEFAULTCOLOR);
}

} // namespace

std::wstring resource_name(std::string_view asset_file)
{
    std::wstring name;
    for (char const character : asset_file) {
        char const upper = character >= 'a' && character <= 'z' ? static_cast<char>(character - 'a' + 'A') : character;
        name += static_cast<wchar_t>(upper == '.' ? '_' : upper);
    }
    return name;
}

HBITMAP load_picture(std::string_view asset_file)
{
    if (asset_file.empty())
        return nullptr;
    // A DIB section keeps the file's own colours whatever the screen's depth.
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), resource_name(asset_file).c_str(), IMAGE_BITMAP,
                                           0, 0, LR_CREATEDIBSECTION));
}

std::optional<WindowIcons> load_window_icons()
{
    auto const group = resource_bytes(IconGroupName, RT_GROUP_ICON);
    if (group.size() < DirectoryHeaderSize)
        return std::nullopt;
    std::size_t const count = u16_at(group, 4);
    if ((group.size() - DirectoryHeaderSize) / GroupEntrySize < count)
        return std::nullopt;
    auto const choice = ui::choose_window_icons(file_directory(group, count));
    if (!choice)
        return std::nullopt;
    return WindowIcons{icon_image(group, choice->big), icon_image(group, choice->small)};
}

} // namespace runtime::win32
