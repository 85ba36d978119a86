#include "runtime/qt/text_bridge.h"

#include "runtime/gb18030.h"

#include <sys/mman.h>
#include <unistd.h>

namespace runtime::qt {
namespace {

constexpr std::size_t LeastSizeToPrefault = std::size_t{1} << 20;

// Only whole pages inside the block; the kernel may refuse, and then the pages come one fault at a time as ever.
void prefault(char* block, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    auto const page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    auto const start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    auto const end = (reinterpret_cast<std::uintptr_t>(block) + size) / page * page;
    if (end > start)
        (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)block;
    (void)size;
#endif
}

} // namespace

Text text_to_fill(std::size_t size)
{
    Text text = Text::with_size(size);
    if (size >= LeastSizeToPrefault)
        prefault(text.data(), size);
    return text;
}

Text to_text(QStringView utf16)
{
    if (utf16.isEmpty())
        return {};
    std::u16string_view const units(utf16.utf16(), static_cast<std::size_t>(utf16.size()));
    Text text = text_to_fill(gb18030_length(units));
    gb18030_encode(units, text.data());
    return text;
}

QString to_qstring(std::string_view gb18030)
{
    QString utf16(static_cast<qsizetype>(utf16_length(gb18030)), Qt::Uninitialized);
    gb18030_decode(gb18030, reinterpret_cast<char16_t*>(utf16.data()));
    return utf16;
}

} // namespace runtime::qt
