#include "runtime/win32/picture_button.h"

#include "runtime/win32/wide_text.h"

namespace runtime::win32 {
namespace {

void draw_picture(HDC dc, RECT const& button, RECT const& face, HBITMAP picture, int shift)
{
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    int const left = (button.right - button.left - size.bmWidth) / 2 + shift;
    int const top = (button.bottom - button.top - size.bmHeight) / 2 + shift;
    HDC const source = CreateCompatibleDC(dc);
    HGDIOBJ const previous = SelectObject(source, picture);
    int const saved = SaveDC(dc);
    IntersectClipRect(dc, face.left, face.top, face.right, face.bottom);
    BitBlt(dc, left, top, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    SelectObject(source, previous);
    DeleteDC(source);
}

void draw_caption(HDC dc, HWND button, RECT face, int shift)
{
    std::wstring const caption = window_text(button);
    OffsetRect(&face, shift, shift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void paint_picture_button(DRAWITEMSTRUCT const& item, HBITMAP picture)
{
    bool const pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT face = item.rcItem;
    // The classic raised frame, sunk while pressed; the rectangle shrinks to the face inside it.
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
    // A pressed button's face moves down and right by a pixel, as a caption does.
    int const shift = pushed ? 1 : 0;
    if (picture != nullptr)
        draw_picture(item.hDC, item.rcItem, face, picture, shift);
    else
        draw_caption(item.hDC, item.hwndItem, face, shift);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = face;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(item.hDC, &focus);
    }
}

} // namespace runtime::win32
