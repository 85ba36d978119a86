// The dialogs of a save on Win32: the system's save dialog and the message boxes.

#include "runtime/controls.h"
#include "runtime/win32/main_window.h"
#include "runtime/win32/wide_text.h"
#include "ui/file_filter.h"
#include "ui/layout.h"

#include <commdlg.h>
#include <shlobj.h>

#include <memory>

namespace runtime {
namespace {

// Room for the longest path the system takes, with its NUL.
constexpr std::size_t FileNameUnits = 32768;

// The system reads a filter as description and pattern pairs, each ended by a NUL, the list by another. An entry
// without a pattern of its own takes the one its description shows in full-width parentheses.
std::wstring system_filter(std::vector<ui::FilterEntry> const& entries)
{
    std::wstring filter;
    for (ui::FilterEntry const& entry : entries) {
        std::wstring const description = win32::from_gb18030(entry.description);
        std::wstring pattern = win32::from_gb18030(entry.pattern);
        if (pattern.empty()) {
            std::size_t const open = description.rfind(L'（');
            std::size_t const close = description.rfind(L'）');
            bool const shown = open != std::wstring::npos && close != std::wstring::npos && close > open;
            pattern = shown ? description.substr(open + 1, close - open - 1) : L"*";
        }
        filter += description + L'\0' + pattern + L'\0';
    }
    return filter + L'\0';
}

std::wstring documents_folder()
{
    std::wstring folder;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

} // namespace

bool show_file_dialog(std::string_view)
{
    win32::MainWindow* main = win32::MainWindow::loaded();
    ui::FileDialogRecord const& record = ui::MainFileDialog;
    std::vector<ui::FilterEntry> const entries = ui::file_filter_entries(record.filter);
    std::wstring const filter = system_filter(entries);
    std::wstring const title = win32::from_utf8(record.title);
    // The first showing starts in the Documents folder; each later one at the last confirmed name.
    std::wstring const& last = main->file_dialog_name();
    std::wstring const first_folder = last.empty() ? documents_folder() : std::wstring();
    auto name = std::make_unique<wchar_t[]>(FileNameUnits);
    last.copy(name.get(), std::min(last.size(), FileNameUnits - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = main->window();
    dialog.lpstrFilter = entries.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(ui::initial_filter_entry(record.initial_filter)) + 1;
    dialog.lpstrFile = name.get();
    dialog.nMaxFile = FileNameUnits;
    dialog.lpstrInitialDir = first_folder.empty() ? nullptr : first_folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    // The program asks itself about the file it will write, which is not always the name confirmed here, and
    // the file need not exist yet. The working folder stays where it was: a folder saved into is not held open
    // by the program, and can be renamed or deleted while it runs.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog) || name[0] == L'\0')
        return false;
    main->set_file_dialog_name(name.get());
    return true;
}

std::filesystem::path file_dialog_name(std::string_view)
{
    win32::MainWindow const* main = win32::MainWindow::loaded();
    return main != nullptr ? std::filesystem::path(main->file_dialog_name()) : std::filesystem::path();
}

bool ask_yes_no(std::string_view title, std::string_view question)
{
    win32::MainWindow const* main = win32::MainWindow::loaded();
    return MessageBoxW(main != nullptr ? main->window() : nullptr, win32::from_utf8(question).c_str(),
                       win32::from_utf8(title).c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void show_error(std::string_view title, std::string_view message)
{
    win32::MainWindow const* main = win32::MainWindow::loaded();
    MessageBoxW(main != nullptr ? main->window() : nullptr, win32::from_utf8(message).c_str(),
                win32::from_utf8(title).c_str(), MB_OK | MB_ICONERROR);
}

} // namespace runtime
