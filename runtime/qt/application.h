#pragma once

// What every Brisvale process on Qt needs before its first window: the style, the Chinese translations of Qt's
// own texts and the fatal error box. The test programs call it too, so that they drive the same widgets.

namespace runtime::qt {

void prepare_application();

// The quit request that ends the message loop with code 0. Without a running loop it does nothing: Qt's own
// exit() would leave every later event loop, a dialog's included, returning at once.
void request_quit();

} // namespace runtime::qt
