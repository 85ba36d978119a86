#pragma once

#include <windows.h>

namespace runtime::win32 {

// Paints an owner-drawn push button that shows only its picture, at its own size, centred and clipped to the face,
// in the classic raised frame. The caption stays the button's text (a screen reader says it) but is not drawn: the
// picture carries the word. Without a picture it is a plain button showing its caption.
void paint_picture_button(DRAWITEMSTRUCT const& item, HBITMAP picture);

} // namespace runtime::win32
