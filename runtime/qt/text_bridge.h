#pragma once

// Text values at the toolkit's edge: Qt holds UTF-16, the program GB18030 bytes.

#include "runtime/text.h"

#include <QString>
#include <QStringView>

namespace runtime::qt {

// Absent for the empty string, like a read of an empty box.
[[nodiscard]] Text to_text(QStringView utf16);
[[nodiscard]] QString to_qstring(std::string_view gb18030);

} // namespace runtime::qt
