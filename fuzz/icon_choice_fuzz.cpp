// The icon chooser on any bytes: it reads nothing outside them (AddressSanitizer watches libFuzzer's exact-size
// copy of the input), and a choice it returns names images of a directory that lies within the bytes.

#include "fuzz/fuzz_check.h"
#include "ui/icon_choice.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t DirectoryEntrySize = 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    auto const choice = ui::choose_window_icons({reinterpret_cast<char const*>(data), size});
    if (!choice)
        return 0;
    fuzz::require(size >= DirectoryHeaderSize, "a chosen icon file holds the directory header");
    std::size_t const count = static_cast<std::size_t>(data[4] | data[5] << 8);
    fuzz::require(count > 0 && DirectoryHeaderSize + count * DirectoryEntrySize <= size,
                  "a chosen icon file holds its whole directory");
    fuzz::require(choice->big < count && choice->small < count, "the chosen images are in the directory");
    return 0;
}
