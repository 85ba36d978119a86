// The Windows file write: the bytes land whole, a replaced file keeps its attributes, names past MAX_PATH work, and
// a refused save leaves the folder as it was.

#include "runtime/file_write.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using runtime::SaveFailure;
using runtime::SaveFailureKind;
using runtime::write_file;

// Every path below goes to the system in its extended form, so that the fixture itself is not held to MAX_PATH.
std::wstring extended(fs::path const& path)
{
    return L"\\\\?\\" + fs::absolute(path).make_preferred().native();
}

std::optional<std::string> read_bytes(fs::path const& file)
{
    HANDLE const handle = CreateFileW(extended(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read != 0)
        bytes.append(buffer, read);
    CloseHandle(handle);
    return bytes;
}

void put_bytes(fs::path const& file, std::string_view bytes)
{
    HANDLE const handle =
        CreateFileW(extended(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << file << ": error " << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    CloseHandle(handle);
}

DWORD attributes_of(fs::path const& file)
{
    return GetFileAttributesW(extended(file).c_str());
}

// Each file under a folder with its bytes: equal before and after a refused save, nothing changed and no temporary
// file left behind.
std::map<std::wstring, std::string> snapshot(fs::path const& folder)
{
    std::map<std::wstring, std::string> found;
    for (fs::directory_entry const& entry : fs::recursive_directory_iterator(folder))
        found[entry.path().lexically_relative(folder).native()] =
            entry.is_directory() ? "folder" : read_bytes(entry.path()).value_or("(unreadable)");
    return found;
}

std::string describe(std::optional<SaveFailure> const& result)
{
    if (!result)
        return "saved";
    return "kind " + std::to_string(static_cast<int>(result->kind)) + ", error " + std::to_string(result->code);
}

// Removes a folder and everything in it, read-only files too, through extended paths: a case may nest folders
// past MAX_PATH.
void remove_folder(std::wstring const& folder)
{
    WIN32_FIND_DATAW found{};
    HANDLE const search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring const name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring const path = folder + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                remove_folder(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

class WindowsFileWrite : public testing::Test {
  protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / (L"brisvale-write-" + std::to_wstring(GetCurrentProcessId()));
        remove_folder(extended(folder_));
        fs::create_directories(folder_);
    }
    void TearDown() override { remove_folder(extended(folder_)); }

    fs::path folder_;
};

TEST_F(WindowsFileWrite, WritesTheBytesWholeIntoANewOrAnOldFile)
{
    struct Case {
        char const* what;
        std::optional<std::string_view> old_bytes;
        std::string_view new_bytes;
    };
    for (Case const& test : {
             Case{"a new file, no BOM or line end added", std::nullopt, "\xD5\xC5\xC8\xFD\r\n\x00\x80"sv},
             Case{"a longer old file, no stale tail", "a much longer old roster\r\n"sv, "short"sv},
             Case{"empty bytes truncate an old file", "old"sv, ""sv},
         }) {
        SCOPED_TRACE(test.what);
        fs::path const file = folder_ / "名单.txt";
        fs::remove(file);
        if (test.old_bytes)
            put_bytes(file, *test.old_bytes);
        EXPECT_EQ(describe(write_file(file, test.new_bytes)), "saved");
        EXPECT_EQ(read_bytes(file), std::string(test.new_bytes));
        EXPECT_EQ(snapshot(folder_).size(), 1U) << "a temporary file was left";
    }
}

// The old file is replaced, not overwritten: what the user set on it stays.
TEST_F(WindowsFileWrite, ReplacingKeepsTheOldFilesAttributes)
{
    fs::path const file = folder_ / "roster.txt";
    put_bytes(file, "old"sv);
    DWORD const set = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(extended(file).c_str(), set));
    ASSERT_EQ(attributes_of(file) & set, set) << "this file system keeps no attributes";

    EXPECT_EQ(describe(write_file(file, "new"sv)), "saved");
    EXPECT_EQ(read_bytes(file), "new");
    EXPECT_EQ(attributes_of(file) & set, set);
}

// A name of more than MAX_PATH characters as the save dialog gives it, without the extended prefix.
TEST_F(WindowsFileWrite, SavesUnderANameLongerThanMaxPath)
{
    fs::path folder = folder_;
    while (folder.native().size() < MAX_PATH)
        folder /= std::wstring(60, L'名');
    std::wstring nested = extended(folder_);
    for (fs::path const& part : folder.lexically_relative(folder_)) {
        nested += L"\\" + part.native();
        ASSERT_TRUE(CreateDirectoryW(nested.c_str(), nullptr)) << "error " << GetLastError();
    }
    fs::path const file = folder / "roster.txt";
    ASSERT_GT(file.native().size(), std::size_t{MAX_PATH});

    EXPECT_EQ(describe(write_file(file, "first"sv)), "saved");
    EXPECT_EQ(describe(write_file(file, "second"sv)), "saved");
    EXPECT_EQ(read_bytes(file), "second");
}

TEST_F(WindowsFileWrite, RefusedSavesLeaveTheFolderAsItWas)
{
    fs::create_directory(folder_ / "folder.txt");
    put_bytes(folder_ / "read-only.txt", "kept"sv);
    ASSERT_TRUE(SetFileAttributesW(extended(folder_ / "read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    struct Case {
        char const* target;
        SaveFailureKind kind;
        DWORD code;
    };
    for (Case const& test : {
             Case{"folder.txt", SaveFailureKind::IsFolder, ERROR_ACCESS_DENIED},
             Case{"missing\\roster.txt", SaveFailureKind::FolderMissing, ERROR_PATH_NOT_FOUND},
             Case{"read-only.txt", SaveFailureKind::NoPermission, ERROR_ACCESS_DENIED},
         }) {
        SCOPED_TRACE(test.target);
        auto const before = snapshot(folder_);
        std::optional<SaveFailure> const result = write_file(folder_ / test.target, "new"sv);
        EXPECT_EQ(describe(result), describe(SaveFailure{test.kind, static_cast<int>(test.code)}));
        EXPECT_EQ(snapshot(folder_), before);
    }
}

} // namespace
