#include "runtime/win32/main_window.h"

#include "runtime/win32/control_builders.h"
#include "runtime/win32/picture_button.h"
#include "runtime/win32/resources.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/window_names.h"
#include "ui/focus_order.h"

#include <algorithm>

namespace runtime::win32 {
namespace {

MainWindow* loaded_ = nullptr;

// The Close button's request, served by the message loop after the handler has returned.
constexpr UINT DestroyRequest = WM_APP + 1;

COLORREF to_colorref(ui::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// The fixed frame with a caption and the close box; minimise and maximise boxes only where the record has them.
DWORD window_style(ui::WindowRecord const& record)
{
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (record.minimise_box)
        style |= WS_MINIMIZEBOX;
    if (record.maximise_box)
        style |= WS_MAXIMIZEBOX;
    return style;
}

// The text size the program has always used: 9 points on a 96 dpi screen. The character set lets the system pick
// another font with the Chinese characters where this one is missing.
HFONT create_font()
{
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(font.lfFaceName, L"SimSun");
    return CreateFontIndirectW(&font);
}

bool register_class(WNDPROC procedure)
{
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = MainWindowClass;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

MainWindow::MainWindow(std::span<ClickBinding const> bindings)
    : bindings_(bindings), background_(CreateSolidBrush(to_colorref(ui::MainWindow.background))), font_(create_font())
{
}

MainWindow::~MainWindow()
{
    for (HBRUSH brush : brushes_)
        if (brush != nullptr)
            DeleteObject(brush);
    for (HBITMAP picture : pictures_)
        if (picture != nullptr)
            DeleteObject(picture);
    for (HICON icon : icons_)
        if (icon != nullptr)
            DestroyIcon(icon);
    DeleteObject(font_);
    DeleteObject(background_);
}

MainWindow* MainWindow::create(std::span<ClickBinding const> bindings)
{
    auto* main = new MainWindow(bindings);
    ui::WindowRecord const& record = ui::MainWindow;
    if (!register_class(procedure)) {
        delete main;
        return nullptr;
    }
    // The frame is centred on the primary screen; integer division rounds toward zero.
    int const left = (GetSystemMetrics(SM_CXSCREEN) - record.outer.width) / 2;
    int const top = (GetSystemMetrics(SM_CYSCREEN) - record.outer.height) / 2;
    HWND const window =
        CreateWindowExW(0, MainWindowClass, from_utf8(record.caption).c_str(), window_style(record), left, top,
                        record.outer.width, record.outer.height, nullptr, nullptr, GetModuleHandleW(nullptr), main);
    if (window == nullptr) {
        delete main;
        return nullptr;
    }
    main->set_icons();
    main->build_controls();
    loaded_ = main;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return main;
}

MainWindow* MainWindow::loaded()
{
    return loaded_;
}

void MainWindow::build_controls()
{
    for (std::size_t index = 0; index < ui::MainWindowControls.size(); ++index) {
        ui::ControlRecord const& record = ui::MainWindowControls[index];
        controls_[index] = build_control(record, index, window_, font_);
        if (controls_[index] == nullptr)
            continue;
        // Each control lies directly below the one created after it.
        SetWindowPos(controls_[index], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (record.kind == ui::ControlKind::ComboBox) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(controls_[index], &info))
                lists_[index] = info.hwndList;
        }
        if (record.kind != ui::ControlKind::Label)
            brushes_[index] = CreateSolidBrush(to_colorref(record.back_rgb));
        if (record.kind == ui::ControlKind::Button)
            pictures_[index] = load_picture(record.picture);
    }
    for (std::size_t index : ui::focus_order(ui::MainWindowControls))
        if (controls_[index] != nullptr)
            focus_order_.push_back(controls_[index]);
    if (!focus_order_.empty())
        focus_to_restore_ = focus_order_.front();
}

void MainWindow::set_icons()
{
    auto const icons = load_window_icons();
    if (!icons)
        return;
    icons_[0] = icons->big;
    icons_[1] = icons->small;
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons->big));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons->small));
}

std::optional<std::size_t> MainWindow::control_index(std::string_view name)
{
    for (std::size_t index = 0; index < ui::MainWindowControls.size(); ++index)
        if (ui::MainWindowControls[index].name == name)
            return index;
    return std::nullopt;
}

HWND MainWindow::control(std::string_view name) const
{
    auto const index = control_index(name);
    return index ? controls_[*index] : nullptr;
}

std::optional<std::size_t> MainWindow::control_holding(HWND window) const
{
    for (; window != nullptr && window != window_; window = GetParent(window)) {
        for (std::size_t index = 0; index < controls_.size(); ++index)
            if (window == controls_[index] || (window == lists_[index] && window != nullptr))
                return index;
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return std::nullopt;
}

void MainWindow::move_focus(int step)
{
    if (focus_order_.empty())
        return;
    auto const focus = control_holding(GetFocus());
    HWND const current = focus ? controls_[*focus] : nullptr;
    auto const found = std::find(focus_order_.begin(), focus_order_.end(), current);
    auto const size = static_cast<std::ptrdiff_t>(focus_order_.size());
    std::ptrdiff_t const next = found == focus_order_.end() ? 0 : (found - focus_order_.begin() + step + size) % size;
    HWND const target = focus_order_[static_cast<std::size_t>(next)];
    SetFocus(target);
    // As a dialog does, a single-line box reached by the keyboard has its text selected for typing over.
    auto const index = control_holding(target);
    if (index && ui::MainWindowControls[*index].kind == ui::ControlKind::EditBox &&
        !ui::MainWindowControls[*index].multi_line)
        SendMessageW(target, EM_SETSEL, 0, -1);
}

void MainWindow::post_destroy_request() const
{
    PostMessageW(window_, DestroyRequest, 0, 0);
}

void MainWindow::click(std::size_t index) const
{
    std::string_view const name = ui::MainWindowControls[index].name;
    for (ClickBinding const& binding : bindings_)
        if (binding.control == name)
            binding.handler();
}

LRESULT MainWindow::colour(HDC dc, HWND control)
{
    auto const index = control_holding(control);
    if (!index)
        return reinterpret_cast<LRESULT>(background_);
    ui::ControlRecord const& record = ui::MainWindowControls[*index];
    SetTextColor(dc, to_colorref(record.text_rgb));
    if (record.kind == ui::ControlKind::Label) {
        // A label's text lies on the window's own background.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(background_);
    }
    SetBkColor(dc, to_colorref(record.back_rgb));
    return reinterpret_cast<LRESULT>(brushes_[*index]);
}

void MainWindow::remember_focus()
{
    HWND const focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus))
        focus_to_restore_ = focus;
}

void MainWindow::restore_focus()
{
    if (focus_to_restore_ != nullptr && IsWindow(focus_to_restore_))
        SetFocus(focus_to_restore_);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* main = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        main->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main));
    }
    auto* main = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (main == nullptr)
        return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        LRESULT const result = DefWindowProcW(window, message, wparam, lparam);
        delete main;
        return result;
    }
    return main->handle(message, wparam, lparam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        return colour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_COMMAND: {
        // An owner-drawn button reports the second click of a quick pair as a double click; it is a click too.
        auto const index = control_holding(reinterpret_cast<HWND>(lparam));
        bool const clicked = HIWORD(wparam) == BN_CLICKED || HIWORD(wparam) == BN_DOUBLECLICKED;
        if (index && clicked && ui::MainWindowControls[*index].kind == ui::ControlKind::Button) {
            click(*index);
            return 0;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto const& item = *reinterpret_cast<DRAWITEMSTRUCT const*>(lparam);
        auto const index = control_holding(item.hwndItem);
        if (index && item.CtlType == ODT_BUTTON) {
            paint_picture_button(item, pictures_[*index]);
            return TRUE;
        }
        break;
    }
    case WM_ACTIVATE:
        // The focus comes back to the control that had it when the window was last left.
        if (LOWORD(wparam) == WA_INACTIVE)
            remember_focus();
        else
            restore_focus();
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, background_);
        return TRUE;
    }
    case DestroyRequest:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        if (loaded_ == this) {
            loaded_ = nullptr;
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

} // namespace runtime::win32
