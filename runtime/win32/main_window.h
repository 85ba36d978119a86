#pragma once

#include "runtime/application.h"
#include "ui/layout.h"

#include <windows.h>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace runtime::win32 {

// The main window, built from the stored layout. While it exists it is the window the handlers address; when it
// is destroyed, by the Close button's posted request or at once by the close box, a quit request with code 0 is
// posted.
class MainWindow {
  public:
    // Creates, shows and activates the window; null when the system cannot make it.
    [[nodiscard]] static MainWindow* create(std::span<ClickBinding const> bindings);
    // The window the handlers address, or null when none is loaded.
    [[nodiscard]] static MainWindow* loaded();

    MainWindow(MainWindow const&) = delete;
    MainWindow& operator=(MainWindow const&) = delete;

    [[nodiscard]] HWND window() const { return window_; }
    // The index in the stored layout of the control of that name, and its window (null for the file dialog).
    [[nodiscard]] static std::optional<std::size_t> control_index(std::string_view name);
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] HWND control_at(std::size_t index) const { return controls_[index]; }
    // The index of the control that is or holds this window, such as a drop-down box's list.
    [[nodiscard]] std::optional<std::size_t> control_holding(HWND window) const;

    // Moves the focus along the focus order, wrapping at both ends.
    void move_focus(int step);

    // The file dialog's file name: the last confirmed full path, empty before the first.
    [[nodiscard]] std::wstring const& file_dialog_name() const { return file_dialog_name_; }
    void set_file_dialog_name(std::wstring name) { file_dialog_name_ = std::move(name); }

    // Destroys the window once the current handler has returned.
    void post_destroy_request() const;

  private:
    explicit MainWindow(std::span<ClickBinding const> bindings);
    ~MainWindow();

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void build_controls();
    void set_icons();
    void click(std::size_t index) const;
    LRESULT colour(HDC dc, HWND control);
    void remember_focus();
    void restore_focus();

    std::span<ClickBinding const> bindings_;
    HWND window_ = nullptr;
    std::array<HWND, ui::MainWindowControls.size()> controls_{};
    std::array<HWND, ui::MainWindowControls.size()> lists_{}; // a drop-down box's list window
    std::array<HBRUSH, ui::MainWindowControls.size()> brushes_{};
    std::array<HBITMAP, ui::MainWindowControls.size()> pictures_{};
    std::vector<HWND> focus_order_;
    HWND focus_to_restore_ = nullptr;
    HBRUSH background_ = nullptr;
    HFONT font_ = nullptr;
    HICON icons_[2] = {};
    std::wstring file_dialog_name_;
};

} // namespace runtime::win32
