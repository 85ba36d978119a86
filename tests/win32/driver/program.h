#pragma once

// A Brisvale process under test, driven from outside through window messages and keyboard input as a user would
// drive it.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace driver {

using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// Waits, checking every few milliseconds, until the condition holds; false when it never did within a generous
// bound, so a broken program fails the test instead of hanging it.
[[nodiscard]] bool wait_until(auto const& condition)
{
    constexpr int Checks = 2000;
    for (int check = 0; check < Checks; ++check) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

class Program {
  public:
    // Starts the program and waits for its main window. The environment's variables are added to the driver's.
    explicit Program(std::wstring const& executable, Environment const& environment = {});
    ~Program(); // ends a program that a failed test left running
    Program(Program const&) = delete;
    Program& operator=(Program const&) = delete;

    [[nodiscard]] bool started() const { return window_ != nullptr; }
    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] DWORD thread() const { return thread_; }
    [[nodiscard]] HWND control(std::string_view name) const;
    // The layout name of the control that is or holds this window; empty for none.
    [[nodiscard]] std::string control_name(HWND window) const;

    // A control's whole text.
    [[nodiscard]] std::wstring text(std::string_view name) const;
    void set_text(std::string_view name, std::wstring const& text) const;
    // The roster box's text as the program's GB18030 bytes.
    [[nodiscard]] std::string roster_bytes() const;
    [[nodiscard]] int selected_item(std::string_view name) const;
    void select_item(std::string_view name, int item) const;

    // Presses a button and returns once its handler has.
    void click(std::string_view name) const;
    // Presses a button without waiting, for a handler that opens a dialog.
    void click_later(std::string_view name) const;
    // The close box.
    void close_box() const;

    // The layout name of the control with the keyboard focus.
    [[nodiscard]] std::string focused() const;
    // Makes the program's window the one that keyboard input reaches.
    void bring_to_front() const;

    // Waits for the process to end; its exit code, or nothing when it did not end.
    [[nodiscard]] std::optional<DWORD> wait_for_exit();
    // What the process wrote to its standard output; a process still running is ended first.
    [[nodiscard]] std::string output();

  private:
    PROCESS_INFORMATION process_{};
    HANDLE output_ = nullptr;
    HWND window_ = nullptr;
    DWORD thread_ = 0;
};

} // namespace driver
