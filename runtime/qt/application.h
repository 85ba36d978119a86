#pragma once

// What every Brisvale process on Qt needs before its first window: the style, the Chinese translations of Qt's
// own texts and the fatal error box. The test programs call it too, so that they drive the same widgets.

namespace runtime::qt {

void prepare_application();

} // namespace runtime::qt
