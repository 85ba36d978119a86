#include "runtime/qt/text_bridge.h"

#include "runtime/gb18030.h"

namespace runtime::qt {

Text to_text(QStringView utf16)
{
    if (utf16.isEmpty())
        return {};
    std::u16string_view const units(utf16.utf16(), static_cast<std::size_t>(utf16.size()));
    Text text = Text::with_size(gb18030_length(units));
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
