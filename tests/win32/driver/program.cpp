#include "driver/program.h"

#include "runtime/gb18030.h"
#include "runtime/win32/window_names.h"
#include "ui/layout.h"

#include <array>

namespace driver {
namespace {

struct FoundWindow {
    DWORD process;
    HWND window;
};

BOOL CALLBACK find_main_window(HWND window, LPARAM data)
{
    auto& found = *reinterpret_cast<FoundWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    if (process == found.process && IsWindowVisible(window) &&
        std::wstring_view(name.data()) == runtime::win32::MainWindowClass) {
        found.window = window;
        return FALSE;
    }
    return TRUE;
}

std::size_t layout_index(std::string_view name)
{
    for (std::size_t index = 0; index < ui::MainWindowControls.size(); ++index)
        if (ui::MainWindowControls[index].name == name)
            return index;
    return ui::MainWindowControls.size();
}

// Sets the variables for the child to inherit and puts the driver's own values back afterwards.
class ScopedEnvironment {
  public:
    explicit ScopedEnvironment(Environment const& environment)
    {
        for (auto const& [name, value] : environment) {
            std::array<wchar_t, 512> old{};
            DWORD const length = GetEnvironmentVariableW(name.c_str(), old.data(), static_cast<DWORD>(old.size()));
            saved_.push_back({name, length > 0 ? std::optional<std::wstring>(old.data()) : std::nullopt});
            SetEnvironmentVariableW(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment()
    {
        for (auto const& [name, value] : saved_)
            SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
    ScopedEnvironment(ScopedEnvironment const&) = delete;
    ScopedEnvironment& operator=(ScopedEnvironment const&) = delete;

  private:
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

} // namespace

Program::Program(std::wstring const& executable, Environment const& environment)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE write_end = nullptr;
    if (!CreatePipe(&output_, &write_end, &inheritable, 0))
        return;
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring command_line = L"\"" + executable + L"\"";
    BOOL created = FALSE;
    {
        ScopedEnvironment const scoped(environment);
        created = CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &process_);
    }
    CloseHandle(write_end);
    if (!created)
        return;
    FoundWindow found{process_.dwProcessId, nullptr};
    (void)wait_until([&] {
        EnumWindows(find_main_window, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
    });
    window_ = found.window;
    thread_ = window_ != nullptr ? GetWindowThreadProcessId(window_, nullptr) : 0;
}

Program::~Program()
{
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    if (output_ != nullptr)
        CloseHandle(output_);
}

HWND Program::control(std::string_view name) const
{
    return GetDlgItem(window_, runtime::win32::control_id(layout_index(name)));
}

std::string Program::control_name(HWND window) const
{
    for (; window != nullptr && window != window_; window = GetParent(window)) {
        if (GetParent(window) != window_)
            continue;
        int const id = GetDlgCtrlID(window);
        for (std::size_t index = 0; index < ui::MainWindowControls.size(); ++index)
            if (runtime::win32::control_id(index) == id)
                return std::string(ui::MainWindowControls[index].name);
    }
    return {};
}

std::wstring Program::text(std::string_view name) const
{
    HWND const window = control(name);
    auto const length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    auto const copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Program::set_text(std::string_view name, std::wstring const& text) const
{
    SendMessageW(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Program::roster_bytes() const
{
    std::wstring const roster = text(ui::control::RosterBox);
    std::u16string_view const units(reinterpret_cast<char16_t const*>(roster.data()), roster.size());
    std::string bytes(runtime::gb18030_length(units), '\0');
    runtime::gb18030_encode(units, bytes.data());
    return bytes;
}

int Program::selected_item(std::string_view name) const
{
    return static_cast<int>(SendMessageW(control(name), CB_GETCURSEL, 0, 0));
}

void Program::select_item(std::string_view name, int item) const
{
    SendMessageW(control(name), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void Program::click(std::string_view name) const
{
    SendMessageW(control(name), BM_CLICK, 0, 0);
}

void Program::click_later(std::string_view name) const
{
    PostMessageW(control(name), BM_CLICK, 0, 0);
}

void Program::close_box() const
{
    PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::string Program::focused() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread_, &info))
        return {};
    return control_name(info.hwndFocus);
}

void Program::bring_to_front() const
{
    SetForegroundWindow(window_);
    (void)wait_until([&] { return GetForegroundWindow() == window_; });
}

std::optional<DWORD> Program::wait_for_exit()
{
    if (!wait_until([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }))
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

// Once the program has ended, all it wrote is in the pipe; but a process it started may still hold the pipe open
// (Wine starts its desktop process from the first program that needs one), so the pipe is drained instead of read to
// its end. A program still running is ended first, or the test would wait for it without end.
std::string Program::output()
{
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }
    std::string text;
    DWORD available = 0;
    while (PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(output_, chunk.data(), available, &read, nullptr) || read == 0)
            break;
        text.append(chunk.data(), read);
    }
    return text;
}

} // namespace driver
