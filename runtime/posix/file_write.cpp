#include "runtime/file_write.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace runtime {
namespace {

struct ErrnoKind {
    int code;
    SaveFailureKind kind;
};

constexpr auto ErrnoKinds = std::array{
    ErrnoKind{ENOSPC, SaveFailureKind::DiskFull},       ErrnoKind{EDQUOT, SaveFailureKind::DiskFull},
    ErrnoKind{EFBIG, SaveFailureKind::DiskFull},        ErrnoKind{EACCES, SaveFailureKind::NoPermission},
    ErrnoKind{EPERM, SaveFailureKind::NoPermission},    ErrnoKind{EROFS, SaveFailureKind::NoPermission},
    ErrnoKind{ETXTBSY, SaveFailureKind::NoPermission},  ErrnoKind{ENAMETOOLONG, SaveFailureKind::NameTooLong},
    ErrnoKind{EISDIR, SaveFailureKind::IsFolder},       ErrnoKind{ENOENT, SaveFailureKind::FolderMissing},
    ErrnoKind{ENOTDIR, SaveFailureKind::FolderMissing}, ErrnoKind{EIO, SaveFailureKind::IoError},
};

SaveFailure failure(int code)
{
    for (ErrnoKind const& entry : ErrnoKinds)
        if (entry.code == code)
            return {entry.kind, code};
    return {SaveFailureKind::Other, code};
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor const&) = delete;
    Descriptor& operator=(Descriptor const&) = delete;

    [[nodiscard]] int get() const { return fd_; }
    // A failing close can be the first report of a failed write.
    [[nodiscard]] int close()
    {
        int const result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// Writes every byte and flushes them to the disk; the error code otherwise.
int write_all(Descriptor& file, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t const written = ::write(file.get(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC; // a device that takes nothing and says nothing is full
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fdatasync(file.get()) != 0)
        return errno;
    return file.close() == 0 ? 0 : errno;
}

std::string temporary_name(std::filesystem::path const& folder)
{
    static std::minstd_rand generator{std::random_device{}()};
    return (folder / (".brisvale-" + std::to_string(generator()) + ".tmp")).string();
}

// A new file in the folder that nobody else opens, with the permission bits that the target has or that a new
// file would get. A replacement starts owner-only so that no one can open it before it has the old file's bits.
int create_temporary(std::filesystem::path const& folder, std::string& name, struct stat const* existing)
{
    mode_t const first_mode = existing != nullptr ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporary_name(folder);
        int const fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, first_mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd >= 0 && existing != nullptr) {
            (void)::fchown(fd, existing->st_uid, existing->st_gid); // may be refused; the bits still hold
            (void)::fchmod(fd, existing->st_mode & 07777);
        }
        return fd < 0 ? -errno : fd;
    }
    return -EEXIST;
}

std::optional<SaveFailure> write_in_place(std::filesystem::path const& target, std::string_view bytes)
{
    Descriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (file.get() < 0)
        return failure(errno);
    if (int const error = write_all(file, bytes))
        return failure(error);
    return std::nullopt;
}

// Saving through a link writes the file it points to and keeps the link, also when that file is not made yet.
// The link text is followed as written rather than made canonical, since a canonical path stops at a missing file.
std::filesystem::path link_end(std::filesystem::path path)
{
    constexpr int MostLinks = 40; // the kernel's own limit; a longer chain fails later with ELOOP
    std::error_code error;
    for (int hop = 0; hop < MostLinks && std::filesystem::is_symlink(path, error); ++hop) {
        std::filesystem::path const points_to = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = points_to.is_absolute() ? points_to : path.parent_path() / points_to;
    }
    return path;
}

} // namespace

std::optional<SaveFailure> write_file(std::filesystem::path const& requested, std::string_view bytes)
{
    std::filesystem::path const target = link_end(requested);
    std::filesystem::path const folder = target.has_parent_path() ? target.parent_path() : ".";

    struct stat existing {};
    bool const exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failure(EISDIR);
    if (!exists && errno != ENOENT)
        return failure(errno);

    std::string temporary;
    int const fd = create_temporary(folder, temporary, exists ? &existing : nullptr);
    if (fd < 0) {
        bool const writable_in_place = exists && (-fd == EACCES || -fd == EPERM) && ::access(target.c_str(), W_OK) == 0;
        return writable_in_place ? write_in_place(target, bytes) : std::optional(failure(-fd));
    }
    Descriptor file(fd);
    int error = write_all(file, bytes);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failure(error);
    }
    // The rename is durable once the folder is flushed too.
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0)
        (void)::fsync(directory.get());
    return std::nullopt;
}

} // namespace runtime
