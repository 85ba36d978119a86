// Save on the real window: the system's save dialog, the names it writes, the question before a replacement, the
// bytes of the file, and a failure's report.

#include "driver/dialogs.h"
#include "driver/program.h"
#include "driver/programs.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

using driver::Program;
namespace control = ui::control;
namespace fs = std::filesystem;

constexpr char const* SaveButton = "按钮3";
// "张三", CR LF, "李四", a lone LF, "€": every line end as it was typed, in GB18030 bytes.
constexpr wchar_t const* Roster = L"张三\r\n李四\n€";
std::string const RosterBytes{"\xD5\xC5\xC8\xFD\x0D\x0A\xC0\xEE\xCB\xC4\x0A\x80"};

std::string file_bytes(fs::path const& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::set<fs::path> files_in(fs::path const& folder)
{
    std::set<fs::path> names;
    for (auto const& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

fs::path documents_folder()
{
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

class Save : public testing::Test {
  protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  (L"brisvale-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count_));
        fs::create_directories(folder_);
        ASSERT_TRUE(program_.started());
        program_.set_text(control::RosterBox, Roster);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Presses Save and waits for its dialog.
    HWND open_dialog()
    {
        program_.click_later(SaveButton);
        HWND const dialog = driver::wait_for_file_dialog(program_.thread());
        EXPECT_NE(dialog, nullptr) << "no save dialog";
        return dialog;
    }

    // Saves under the name as typed into the dialog, and waits for what follows.
    void save_as(std::wstring const& name)
    {
        if (HWND const dialog = open_dialog())
            driver::confirm_file_name(dialog, name);
    }

    Program program_{driver::brisvale_path()};
    fs::path folder_;
    static inline int count_ = 0;
};

TEST_F(Save, CancelledDialogSavesNothing)
{
    fs::path const documents = documents_folder();
    auto const before = files_in(documents);
    HWND const dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    driver::press_button(dialog, IDCANCEL);
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    EXPECT_EQ(files_in(documents), before);
    EXPECT_EQ(program_.text(control::RosterBox), Roster);
}

TEST_F(Save, FirstDialogOpensInDocumentsWithTheStoredFilter)
{
    std::wstring const name = L"brisvale-first-" + std::to_wstring(GetCurrentProcessId());
    fs::path const written = documents_folder() / (name + L".txt");
    HWND const dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(driver::file_types(dialog), std::vector<std::wstring>{L"文本文件（*.txt）"});
    driver::confirm_file_name(dialog, name);
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    EXPECT_EQ(file_bytes(written), RosterBytes);
    fs::remove(written);
}

struct NameCase {
    wchar_t const* typed;
    wchar_t const* written;
};

// ".txt" is added unless the name already ends in it, in any ASCII case.
constexpr std::array NameCases{
    NameCase{L"名单", L"名单.txt"},           NameCase{L"roster.txt", L"roster.txt"},
    NameCase{L"roster.TxT", L"roster.TxT"},   NameCase{L"roster.csv", L"roster.csv.txt"},
    NameCase{L"a.txt.bak", L"a.txt.bak.txt"}, NameCase{L"名单.ＴＸＴ", L"名单.ＴＸＴ.txt"},
};

TEST_F(Save, WritesTheRosterBytesUnderTheNameWithTxtAdded)
{
    for (NameCase const& name : NameCases) {
        save_as((folder_ / name.typed).native());
        EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread())) << fs::path(name.typed);
        EXPECT_EQ(file_bytes(folder_ / name.written), RosterBytes) << fs::path(name.written);
        fs::remove(folder_ / name.written);
        // Nothing else is left behind, a temporary file least of all.
        EXPECT_TRUE(files_in(folder_).empty()) << fs::path(name.typed);
    }
}

TEST_F(Save, LaterDialogsStartAtTheLastConfirmedName)
{
    save_as((folder_ / L"first").native());
    ASSERT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    HWND const dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(driver::file_name_box(dialog).ends_with(L"first")) << fs::path(driver::file_name_box(dialog));
    driver::confirm_file_name(dialog, L"second"); // a bare name is in the folder the dialog shows
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    EXPECT_EQ(file_bytes(folder_ / L"second.txt"), RosterBytes);
}

TEST_F(Save, AsksBeforeReplacingTheFileItWillWriteWithNoAsTheDefault)
{
    fs::path const existing = folder_ / L"old.txt";
    std::ofstream(existing, std::ios::binary) << "old";
    // The confirmed name lacks ".txt": the question is about the file that would be written.
    for (wchar_t const* typed : {L"old", L"old.txt"}) {
        save_as((folder_ / typed).native());
        auto const question = driver::wait_for_message_box(program_.thread());
        ASSERT_TRUE(question) << "no question for " << fs::path(typed);
        EXPECT_EQ(question->title, L"确认另存为");
        EXPECT_NE(question->text.find(L"old.txt”已存在"), std::wstring::npos) << fs::path(question->text);
        EXPECT_EQ(question->default_button, IDNO);
        driver::press_button(question->window, IDNO);
        EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
        EXPECT_EQ(file_bytes(existing), "old");
    }
    save_as((folder_ / L"old").native());
    auto const question = driver::wait_for_message_box(program_.thread());
    ASSERT_TRUE(question);
    driver::press_button(question->window, IDYES);
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    EXPECT_EQ(file_bytes(existing), RosterBytes);
    EXPECT_EQ(files_in(folder_), std::set<fs::path>{L"old.txt"});
}

TEST_F(Save, ReportsAFailureWithTheReasonAndTheSystemsCode)
{
    fs::create_directory(folder_ / L"taken.txt");
    save_as((folder_ / L"taken").native());
    auto const report = driver::wait_for_message_box(program_.thread());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, L"保存失败");
    EXPECT_NE(report->text.find(L"已有同名的文件夹"), std::wstring::npos) << fs::path(report->text);
    EXPECT_NE(report->text.find(L"错误代码 5）"), std::wstring::npos) << fs::path(report->text);
    driver::press_button(report->window, IDOK);
    EXPECT_TRUE(driver::wait_until_no_dialog(program_.thread()));
    EXPECT_TRUE(fs::is_directory(folder_ / L"taken.txt"));
    EXPECT_EQ(program_.text(control::RosterBox), Roster);
}

} // namespace
