#include "runtime/file_write.h"

#include <windows.h>

#include <array>
#include <random>
#include <string>

namespace runtime {
namespace {

// Not named in every SDK's headers.
constexpr DWORD ErrorDiskQuotaExceeded = 1295;

struct ErrorKind {
    DWORD code;
    SaveFailureKind kind;
};

constexpr auto ErrorKinds = std::array{
    ErrorKind{ERROR_DISK_FULL, SaveFailureKind::DiskFull},
    ErrorKind{ERROR_HANDLE_DISK_FULL, SaveFailureKind::DiskFull},
    ErrorKind{ErrorDiskQuotaExceeded, SaveFailureKind::DiskFull},
    ErrorKind{ERROR_FILE_TOO_LARGE, SaveFailureKind::DiskFull},
    ErrorKind{ERROR_ACCESS_DENIED, SaveFailureKind::NoPermission},
    ErrorKind{ERROR_WRITE_PROTECT, SaveFailureKind::NoPermission},
    ErrorKind{ERROR_SHARING_VIOLATION, SaveFailureKind::NoPermission},
    ErrorKind{ERROR_LOCK_VIOLATION, SaveFailureKind::NoPermission},
    ErrorKind{ERROR_UNABLE_TO_REMOVE_REPLACED, SaveFailureKind::NoPermission},
    ErrorKind{ERROR_FILENAME_EXCED_RANGE, SaveFailureKind::NameTooLong},
    ErrorKind{ERROR_BUFFER_OVERFLOW, SaveFailureKind::NameTooLong},
    ErrorKind{ERROR_DIRECTORY, SaveFailureKind::IsFolder},
    ErrorKind{ERROR_PATH_NOT_FOUND, SaveFailureKind::FolderMissing},
    ErrorKind{ERROR_INVALID_DRIVE, SaveFailureKind::FolderMissing},
    ErrorKind{ERROR_BAD_NETPATH, SaveFailureKind::FolderMissing},
    ErrorKind{ERROR_BAD_NET_NAME, SaveFailureKind::FolderMissing},
    ErrorKind{ERROR_CRC, SaveFailureKind::IoError},
    ErrorKind{ERROR_SECTOR_NOT_FOUND, SaveFailureKind::IoError},
    ErrorKind{ERROR_WRITE_FAULT, SaveFailureKind::IoError},
    ErrorKind{ERROR_READ_FAULT, SaveFailureKind::IoError},
    ErrorKind{ERROR_GEN_FAILURE, SaveFailureKind::IoError},
    ErrorKind{ERROR_IO_DEVICE, SaveFailureKind::IoError},
    ErrorKind{ERROR_DEVICE_NOT_CONNECTED, SaveFailureKind::IoError},
};

// The attributes a replaced file keeps: all the user can set but read-only, which a save is refused on.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                 FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_SYSTEM;

SaveFailure failure(DWORD code)
{
    for (ErrorKind const& entry : ErrorKinds)
        if (entry.code == code)
            return {entry.kind, static_cast<int>(code)};
    return {SaveFailureKind::Other, static_cast<int>(code)};
}

class File {
  public:
    explicit File(HANDLE handle) : handle_(handle) {}
    ~File()
    {
        if (open())
            CloseHandle(handle_);
    }
    File(File const&) = delete;
    File& operator=(File const&) = delete;

    [[nodiscard]] bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE get() const { return handle_; }
    // A failing close can be the first report of a failed write.
    [[nodiscard]] bool close()
    {
        bool const closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// Writes every byte and flushes them to the disk; the error code otherwise.
DWORD write_all(File& file, std::string_view bytes)
{
    constexpr std::size_t LargestWrite = std::size_t{1} << 30;
    while (!bytes.empty()) {
        auto const chunk = static_cast<DWORD>(std::min(bytes.size(), LargestWrite));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_DISK_FULL; // a device that takes nothing and says nothing is full
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file.get()))
        return GetLastError();
    return file.close() ? ERROR_SUCCESS : GetLastError();
}

// Paths of MAX_PATH units or more reach the file system only in their extended form.
std::wstring system_path(std::filesystem::path const& path)
{
    std::wstring const& name = path.native();
    if (name.size() < MAX_PATH || name.starts_with(L"\\\\?\\"))
        return name;
    std::wstring const full = std::filesystem::absolute(path).make_preferred().native();
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring temporary_name(std::filesystem::path const& folder)
{
    static std::minstd_rand generator{std::random_device{}()};
    return (folder / (L".brisvale-" + std::to_wstring(generator()) + L".tmp")).native();
}

// A new file in the folder that nobody else opens meanwhile.
HANDLE create_temporary(std::filesystem::path const& folder, std::wstring& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporary_name(folder);
        HANDLE const file = CreateFileW(system_path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

std::optional<SaveFailure> write_in_place(std::wstring const& target, std::string_view bytes)
{
    File file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    if (!file.open())
        return failure(GetLastError());
    if (DWORD const error = write_all(file, bytes))
        return failure(error);
    return std::nullopt;
}

} // namespace

std::optional<SaveFailure> write_file(std::filesystem::path const& requested, std::string_view bytes)
{
    std::wstring const target = system_path(requested);
    std::filesystem::path const folder =
        requested.has_parent_path() ? requested.parent_path() : std::filesystem::path(L".");

    DWORD const attributes = GetFileAttributesW(target.c_str());
    bool const exists = attributes != INVALID_FILE_ATTRIBUTES;
    // Writing a folder as a file is refused as access denied, the code the system gives it.
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SaveFailure{SaveFailureKind::IsFolder, ERROR_ACCESS_DENIED};
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return failure(GetLastError());

    std::wstring temporary;
    File file(create_temporary(folder, temporary));
    if (!file.open()) {
        DWORD const error = GetLastError();
        bool const writable_in_place =
            exists && error == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
        return writable_in_place ? write_in_place(target, bytes) : std::optional(failure(error));
    }
    DWORD error = write_all(file, bytes);
    // Replacing keeps the old file's attributes and access rights; a new file is moved into place. ReplaceFileW
    // copies the attributes itself on Windows but not on every system that offers it (Wine), so they are given to
    // the new bytes first; where that fails, the replacement's own copy is still there to do it.
    if (error == ERROR_SUCCESS && exists)
        SetFileAttributesW(system_path(temporary).c_str(), attributes & KeptAttributes);
    if (error == ERROR_SUCCESS && exists &&
        !ReplaceFileW(target.c_str(), system_path(temporary).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr))
        error = GetLastError();
    if (error == ERROR_SUCCESS && !exists &&
        !MoveFileExW(system_path(temporary).c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        if (file.open())
            (void)file.close(); // an open file cannot be deleted
        DeleteFileW(system_path(temporary).c_str());
        return failure(error);
    }
    return std::nullopt;
}

} // namespace runtime
