#pragma once

// Text values at the toolkit's edge: Qt holds UTF-16, the program GB18030 bytes.

#include "runtime/text.h"

#include <QString>
#include <QStringView>

namespace runtime::qt {

// Absent for the empty string, like a read of an empty box.
[[nodiscard]] Text to_text(QStringView utf16);
[[nodiscard]] QString to_qstring(std::string_view gb18030);

// An uninitialised text of `size` bytes that the caller is about to fill. A long one has all its pages mapped in
// one request instead of one page fault at a time, which on a virtual machine costs more than the encoding.
[[nodiscard]] Text text_to_fill(std::size_t size);

} // namespace runtime::qt
