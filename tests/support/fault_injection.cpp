// A preloaded library that makes the file system fail where a test says, for the files a save writes: the disk
// filling partway, an I/O error at a write, at the flush or at the close, a rename that fails. Everything else, Qt's
// own pipes and files included, passes through untouched.
//
//   BRISVALE_FAULT_FOLDER  only files opened below this folder, and renames into it, are touched
//   BRISVALE_FAULT         CALL:ERRNO[:AFTER] with CALL one of write, fdatasync, close, rename; for write, AFTER bytes
//                          are taken first (a short write reaches the limit), then every write fails
// Both are read at every call, so a test can change them between saves.

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace {

struct ErrnoName {
    std::string_view name;
    int code;
};

constexpr auto ErrnoNames = std::array{
    ErrnoName{"ENOSPC", ENOSPC},
    ErrnoName{"EIO", EIO},
    ErrnoName{"EXDEV", EXDEV},
    ErrnoName{"EACCES", EACCES},
};

struct Fault {
    std::string_view call;
    int code = 0;
    long after = 0;
};

Fault current_fault()
{
    char const* text = std::getenv("BRISVALE_FAULT");
    if (text == nullptr)
        return {};
    std::string_view const setting(text);
    std::size_t const first = setting.find(':');
    std::size_t const second = setting.find(':', first + 1);
    Fault fault{.call = setting.substr(0, first)};
    std::string_view const code =
        setting.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
    for (ErrnoName const& entry : ErrnoNames)
        if (entry.name == code)
            fault.code = entry.code;
    if (second != std::string_view::npos)
        fault.after = std::atol(text + second + 1);
    return fault;
}

bool below_fault_folder(char const* path)
{
    char const* folder = std::getenv("BRISVALE_FAULT_FOLDER");
    return folder != nullptr && path != nullptr && std::strncmp(path, folder, std::strlen(folder)) == 0;
}

// Descriptors of files opened below the folder, with the bytes written to each.
std::mutex watched_mutex;
std::set<int> watched;
long written_so_far = 0;

bool is_watched(int fd)
{
    std::lock_guard lock(watched_mutex);
    return watched.contains(fd);
}

template <typename Function>
Function* next(char const* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

int watch(int fd, char const* path)
{
    if (fd >= 0 && below_fault_folder(path)) {
        std::lock_guard lock(watched_mutex);
        watched.insert(fd);
        written_so_far = 0;
    }
    return fd;
}

// open and openat read their mode argument only when they may create the file.
mode_t mode_argument(int flags, va_list arguments)
{
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(arguments, mode_t) : 0;
}

int fail_with(int code)
{
    errno = code;
    return -1;
}

} // namespace

extern "C" {

int open(char const* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    mode_t const mode = mode_argument(flags, arguments);
    va_end(arguments);
    static auto* real = next<int(char const*, int, ...)>("open");
    return watch(real(path, flags, mode), path);
}

int openat(int folder, char const* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    mode_t const mode = mode_argument(flags, arguments);
    va_end(arguments);
    static auto* real = next<int(int, char const*, int, ...)>("openat");
    return watch(real(folder, path, flags, mode), path);
}

ssize_t write(int fd, void const* bytes, size_t count)
{
    static auto* real = next<ssize_t(int, void const*, size_t)>("write");
    Fault const fault = current_fault();
    if (fault.call != "write" || !is_watched(fd))
        return real(fd, bytes, count);
    long const room = fault.after - written_so_far;
    if (room <= 0)
        return fail_with(fault.code);
    ssize_t const taken = real(fd, bytes, std::min(count, static_cast<size_t>(room)));
    if (taken > 0)
        written_so_far += taken;
    return taken;
}

int fdatasync(int fd)
{
    static auto* real = next<int(int)>("fdatasync");
    Fault const fault = current_fault();
    return fault.call == "fdatasync" && is_watched(fd) ? fail_with(fault.code) : real(fd);
}

int close(int fd)
{
    static auto* real = next<int(int)>("close");
    bool was_watched = false;
    {
        std::lock_guard lock(watched_mutex);
        was_watched = watched.erase(fd) > 0;
    }
    int const result = real(fd);
    Fault const fault = current_fault();
    return was_watched && fault.call == "close" ? fail_with(fault.code) : result;
}

int rename(char const* from, char const* to)
{
    static auto* real = next<int(char const*, char const*)>("rename");
    Fault const fault = current_fault();
    return fault.call == "rename" && below_fault_folder(to) ? fail_with(fault.code) : real(from, to);
}

} // extern "C"
