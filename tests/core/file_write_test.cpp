#include "runtime/file_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <linux/fs.h>
#include <map>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using runtime::SaveFailure;
using runtime::SaveFailureKind;
using runtime::write_file;

namespace {

// The user that the permission tests run as: ourselves, or "nobody" when the tests run as root.
constexpr uid_t UnprivilegedUser = 65534;
constexpr gid_t UnprivilegedGroup = 65534;

bool running_as_root()
{
    return ::geteuid() == 0;
}

char const* kind_name(SaveFailureKind kind)
{
    constexpr auto Names =
        std::array{"DiskFull", "NoPermission", "NameTooLong", "IsFolder", "FolderMissing", "IoError", "Other"};
    return Names.at(static_cast<std::size_t>(kind));
}

std::string describe(std::optional<SaveFailure> const& result)
{
    if (!result)
        return "saved";
    return std::string(kind_name(result->kind)) + " (" + std::strerror(result->code) + ")";
}

::testing::AssertionResult saved(std::optional<SaveFailure> const& result)
{
    if (!result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the save failed: " << describe(result);
}

::testing::AssertionResult failed_with(std::optional<SaveFailure> const& result, SaveFailure expected)
{
    if (result && result->kind == expected.kind && result->code == expected.code)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << describe(expected) << ", got " << describe(result);
}

std::optional<std::string> read_bytes(fs::path const& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void put_bytes(fs::path const& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << file;
}

std::vector<std::string> entries(fs::path const& folder)
{
    std::vector<std::string> names;
    for (fs::directory_entry const& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Everything under a folder: each path with its kind and, for a file, its bytes. Equal snapshots before and after
// a failed save prove that nothing was changed and no temporary file was left anywhere.
std::map<std::string, std::string> snapshot(fs::path const& folder)
{
    std::map<std::string, std::string> found;
    for (fs::directory_entry const& entry : fs::recursive_directory_iterator(folder)) {
        std::string const name = entry.path().lexically_relative(folder).string();
        if (entry.is_symlink())
            found[name] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            found[name] = "folder";
        else
            found[name] = "file " + read_bytes(entry.path()).value_or("(unreadable)");
    }
    return found;
}

mode_t mode_of(fs::path const& file)
{
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
    return status.st_mode & 07777;
}

class FileWrite : public ::testing::Test {
  protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "brisvale-write-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        folder_ = pattern;
    }

    void TearDown() override
    {
        // Read-only folders left by a test would stop an unprivileged user from removing their contents.
        std::error_code ignored;
        for (fs::directory_entry const& entry : fs::recursive_directory_iterator(folder_, ignored))
            if (!entry.is_symlink(ignored) && entry.is_directory(ignored))
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    // A fresh folder for one case of a table.
    fs::path case_folder(std::string const& name) const
    {
        fs::path const folder = folder_ / name;
        fs::create_directory(folder);
        return folder;
    }

    fs::path folder_;
};

class UmaskGuard {
  public:
    explicit UmaskGuard(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(previous_); }
    UmaskGuard(UmaskGuard const&) = delete;
    UmaskGuard& operator=(UmaskGuard const&) = delete;

  private:
    mode_t previous_;
};

class CurrentFolderGuard {
  public:
    explicit CurrentFolderGuard(fs::path const& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
    ~CurrentFolderGuard()
    {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }
    CurrentFolderGuard(CurrentFolderGuard const&) = delete;
    CurrentFolderGuard& operator=(CurrentFolderGuard const&) = delete;

  private:
    fs::path previous_;
};

// Marks a file or folder immutable (chattr +i) and clears the mark again, so the fixture can remove it.
class ImmutableGuard {
  public:
    explicit ImmutableGuard(fs::path const& path) : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        if (descriptor_ < 0 || ::ioctl(descriptor_, FS_IOC_GETFLAGS, &flags_) != 0)
            error_ = errno;
        else if (int marked = flags_ | FS_IMMUTABLE_FL; ::ioctl(descriptor_, FS_IOC_SETFLAGS, &marked) != 0)
            error_ = errno;
    }
    ~ImmutableGuard()
    {
        if (error_ == 0)
            ::ioctl(descriptor_, FS_IOC_SETFLAGS, &flags_);
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    ImmutableGuard(ImmutableGuard const&) = delete;
    ImmutableGuard& operator=(ImmutableGuard const&) = delete;

    [[nodiscard]] int error() const { return error_; }

  private:
    int descriptor_;
    int flags_ = 0;
    int error_ = 0;
};

// A small tmpfs over a folder, unmounted again at the end of the test.
class SmallDiskGuard {
  public:
    SmallDiskGuard(fs::path folder, char const* size) : folder_(std::move(folder))
    {
        std::string const options = std::string("size=") + size;
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) != 0)
            error_ = errno;
    }
    ~SmallDiskGuard()
    {
        if (error_ == 0)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDiskGuard(SmallDiskGuard const&) = delete;
    SmallDiskGuard& operator=(SmallDiskGuard const&) = delete;

    [[nodiscard]] int error() const { return error_; }

  private:
    fs::path folder_;
    int error_ = 0;
};

// Lowers the largest file this process may write; writes past it fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimitGuard {
  public:
    explicit FileSizeLimitGuard(rlim_t limit) : previous_handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimitGuard()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previous_handler_);
    }
    FileSizeLimitGuard(FileSizeLimitGuard const&) = delete;
    FileSizeLimitGuard& operator=(FileSizeLimitGuard const&) = delete;

  private:
    rlimit previous_{};
    void (*previous_handler_)(int);
};

// Saves as an unprivileged user, where permission bits count: directly when we are one, otherwise in a forked
// child that gives up root first. Files the save should reach must belong to UnprivilegedUser in that case.
std::optional<SaveFailure> write_file_unprivileged(fs::path const& target, std::string_view bytes)
{
    if (!running_as_root())
        return write_file(target, bytes);

    struct Outcome {
        bool failed;
        SaveFailure failure;
    };
    std::array<int, 2> pipe_ends{};
    EXPECT_EQ(::pipe(pipe_ends.data()), 0);
    pid_t const child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(UnprivilegedGroup, UnprivilegedGroup, UnprivilegedGroup) != 0 ||
            ::setresuid(UnprivilegedUser, UnprivilegedUser, UnprivilegedUser) != 0)
            ::_exit(1);
        std::optional<SaveFailure> const result = write_file(target, bytes);
        Outcome const outcome{result.has_value(), result.value_or(SaveFailure{})};
        ::_exit(::write(pipe_ends[1], &outcome, sizeof outcome) == sizeof outcome ? 0 : 1);
    }
    ::close(pipe_ends[1]);
    Outcome outcome{};
    ssize_t const received = ::read(pipe_ends[0], &outcome, sizeof outcome);
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(received, static_cast<ssize_t>(sizeof outcome)) << "the unprivileged child did not report back";
    if (!outcome.failed)
        return std::nullopt;
    return outcome.failure;
}

// Main paths ------------------------------------------------------------------------------------------------------

struct ContentCase {
    char const* what;
    std::optional<std::string_view> old_bytes;
    std::string_view new_bytes;
};

constexpr auto ContentCases = std::array{
    ContentCase{.what = "binary bytes into a new file, no BOM or line end added",
                .old_bytes = std::nullopt,
                .new_bytes = "CR LF\r\nlone LF\nNUL\0 high \x80\xC4\xD0\xFE\xFF end"sv},
    ContentCase{.what = "a longer old file is replaced whole, no stale tail",
                .old_bytes = "an old file that is much longer than the new bytes\r\n"sv,
                .new_bytes = "short"sv},
    ContentCase{.what = "a shorter old file grows", .old_bytes = "x"sv, .new_bytes = "a longer line\n"sv},
    ContentCase{.what = "empty bytes give a 0-byte new file", .old_bytes = std::nullopt, .new_bytes = ""sv},
    ContentCase{.what = "empty bytes truncate an old file", .old_bytes = "old bytes"sv, .new_bytes = ""sv},
};

TEST_F(FileWrite, LeavesExactlyTheNewBytesAndNoTemporaryFile)
{
    for (std::size_t index = 0; index < ContentCases.size(); ++index) {
        ContentCase const& test = ContentCases[index];
        SCOPED_TRACE(test.what);
        fs::path const folder = case_folder(std::to_string(index));
        fs::path const target = folder / "saved.txt";
        if (test.old_bytes)
            put_bytes(target, *test.old_bytes);

        EXPECT_TRUE(saved(write_file(target, test.new_bytes)));

        EXPECT_EQ(read_bytes(target), std::string(test.new_bytes));
        EXPECT_EQ(entries(folder), std::vector<std::string>{"saved.txt"});
    }
}

TEST_F(FileWrite, ResolvesARelativeNameAgainstTheCurrentFolder)
{
    CurrentFolderGuard const inside(folder_);

    EXPECT_TRUE(saved(write_file("relative.txt", "relative\n")));

    EXPECT_EQ(read_bytes(folder_ / "relative.txt"), "relative\n");
    EXPECT_EQ(entries(folder_), std::vector<std::string>{"relative.txt"});
}

TEST_F(FileWrite, SavesAgainOverItsOwnResult)
{
    fs::path const target = folder_ / "saved.txt";
    for (std::string_view const bytes : {"first\n"sv, "second, longer\n"sv, "3\n"sv})
        ASSERT_TRUE(saved(write_file(target, bytes)));

    EXPECT_EQ(read_bytes(target), "3\n");
    EXPECT_EQ(entries(folder_), std::vector<std::string>{"saved.txt"});
}

// Permission bits and owner --------------------------------------------------------------------------------------

TEST_F(FileWrite, KeepsTheOldFilesPermissionBits)
{
    // A mask that would change every one of these modes shows the bits come from the old file.
    UmaskGuard const mask(077);
    for (mode_t const mode : {0640U, 0600U, 0755U, 0444U}) {
        SCOPED_TRACE(testing::Message() << "mode 0" << std::oct << mode);
        fs::path const folder = case_folder(std::to_string(mode));
        fs::path const target = folder / "kept.txt";
        put_bytes(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);

        EXPECT_TRUE(saved(write_file(target, "new")));

        EXPECT_EQ(mode_of(target), mode);
        EXPECT_EQ(read_bytes(target), "new");
        EXPECT_EQ(entries(folder), std::vector<std::string>{"kept.txt"});
    }
}

TEST_F(FileWrite, GivesANewFileTheModeTheUmaskAllows)
{
    struct MaskCase {
        mode_t mask;
        mode_t expected;
    };
    for (MaskCase const test : {MaskCase{022, 0644}, MaskCase{077, 0600}, MaskCase{002, 0664}, MaskCase{0, 0666}}) {
        SCOPED_TRACE(testing::Message() << "umask 0" << std::oct << test.mask);
        fs::path const target = folder_ / ("new-" + std::to_string(test.mask) + ".txt");
        UmaskGuard const mask(test.mask);

        EXPECT_TRUE(saved(write_file(target, "new")));

        EXPECT_EQ(mode_of(target), test.expected);
    }
}

TEST_F(FileWrite, KeepsTheOldFilesOwnerWhenAllowed)
{
    if (!running_as_root())
        GTEST_SKIP() << "only root may give a file to another user";
    fs::path const target = folder_ / "owned.txt";
    put_bytes(target, "old");
    ASSERT_EQ(::chown(target.c_str(), UnprivilegedUser, UnprivilegedGroup), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

    EXPECT_TRUE(saved(write_file(target, "new")));

    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, UnprivilegedUser);
    EXPECT_EQ(status.st_gid, UnprivilegedGroup);
    EXPECT_EQ(status.st_mode & 07777, 0640U);
    EXPECT_EQ(read_bytes(target), "new");
}

// Symbolic links ---------------------------------------------------------------------------------------------------

struct Link {
    char const* at;
    char const* points_to;
};

struct LinkCase {
    char const* what;
    std::vector<Link> links; // the save goes through the first
    char const* file;        // the file the links end at
    bool file_exists;
};

TEST_F(FileWrite, WritesThroughALinkAndKeepsTheLink)
{
    std::vector<LinkCase> const cases = {
        {"a link beside the file", {{"link.txt", "file.txt"}}, "file.txt", true},
        {"a link into another folder", {{"a/link.txt", "../b/file.txt"}}, "b/file.txt", true},
        {"a chain of two links", {{"link.txt", "middle.txt"}, {"middle.txt", "file.txt"}}, "file.txt", true},
        {"a link to a file not made yet", {{"link.txt", "file.txt"}}, "file.txt", false},
    };
    for (std::size_t index = 0; index < cases.size(); ++index) {
        LinkCase const& test = cases[index];
        SCOPED_TRACE(test.what);
        fs::path const folder = case_folder(std::to_string(index));
        fs::create_directory(folder / "a");
        fs::create_directory(folder / "b");
        if (test.file_exists)
            put_bytes(folder / test.file, "old bytes, longer than the new");
        for (Link const& link : test.links)
            fs::create_symlink(link.points_to, folder / link.at);
        std::map<std::string, std::string> expected = snapshot(folder);
        expected[test.file] = "file new";

        EXPECT_TRUE(saved(write_file(folder / test.links.front().at, "new")));

        // The links are still links with the same text, the file holds the bytes, nothing else appeared.
        EXPECT_EQ(snapshot(folder), expected);
    }
}

// Failures ---------------------------------------------------------------------------------------------------------

TEST_F(FileWrite, FailsWithoutTouchingAnythingWhenThePathIsUnusable)
{
    struct FailureCase {
        char const* what;
        std::string target;
        SaveFailure expected;
    };
    std::vector<FailureCase> const cases = {
        {"the target is a folder", "folder", {SaveFailureKind::IsFolder, EISDIR}},
        {"the target is a link to a folder", "link-to-folder", {SaveFailureKind::IsFolder, EISDIR}},
        {"a folder part is a file", "plain.txt/new.txt", {SaveFailureKind::FolderMissing, ENOTDIR}},
        {"the folder does not exist", "missing/new.txt", {SaveFailureKind::FolderMissing, ENOENT}},
        {"the target is a link to itself", "loop", {SaveFailureKind::Other, ELOOP}},
        {"the name is 257 bytes", std::string(253, 'a') + ".txt", {SaveFailureKind::NameTooLong, ENAMETOOLONG}},
    };
    put_bytes(folder_ / "plain.txt", "plain\r\n");
    fs::create_directory(folder_ / "folder");
    put_bytes(folder_ / "folder" / "inside.txt", "inside");
    fs::create_directory_symlink("folder", folder_ / "link-to-folder");
    fs::create_symlink("loop", folder_ / "loop");
    std::map<std::string, std::string> const before = snapshot(folder_);

    for (FailureCase const& test : cases) {
        SCOPED_TRACE(test.what);

        EXPECT_TRUE(failed_with(write_file(folder_ / test.target, "new"), test.expected));

        EXPECT_EQ(snapshot(folder_), before);
    }
}

TEST_F(FileWrite, KeepsTheOldFileWhenTheDiskIsFull)
{
    fs::path const disk = case_folder("disk");
    SmallDiskGuard const small(disk, "64k");
    if (small.error() != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(small.error());
    put_bytes(disk / "old.txt", "old bytes\r\n");
    std::map<std::string, std::string> const before = snapshot(disk);

    EXPECT_TRUE(
        failed_with(write_file(disk / "old.txt", std::string(1 << 20, 'n')), {SaveFailureKind::DiskFull, ENOSPC}));

    EXPECT_EQ(snapshot(disk), before);
    // The temporary file's space is given back: a save that fits still works.
    EXPECT_TRUE(saved(write_file(disk / "old.txt", std::string(32 << 10, 's'))));
}

TEST_F(FileWrite, KeepsTheOldFileWhenTheFileSizeLimitIsReached)
{
    fs::path const target = folder_ / "old.txt";
    put_bytes(target, "old bytes\r\n");
    std::map<std::string, std::string> const before = snapshot(folder_);
    std::optional<SaveFailure> result;
    {
        // The first write stops short at the limit, the next one fails.
        FileSizeLimitGuard const limit(1 << 20);
        result = write_file(target, std::string(2 << 20, 'n'));
    }

    EXPECT_TRUE(failed_with(result, {SaveFailureKind::DiskFull, EFBIG}));
    EXPECT_EQ(snapshot(folder_), before);
}

// Folders that refuse new files -------------------------------------------------------------------------------------

TEST_F(FileWrite, RewritesInPlaceWhenTheFolderRefusesNewFilesButTheFileIsWritable)
{
    fs::path const target = folder_ / "old.txt";
    put_bytes(target, "old bytes, longer than the new ones\r\n");
    ImmutableGuard const frozen(folder_);
    if (frozen.error() != 0)
        GTEST_SKIP() << "cannot mark a folder immutable here: " << std::strerror(frozen.error());

    EXPECT_TRUE(saved(write_file(target, "new\r\n")));

    EXPECT_EQ(read_bytes(target), "new\r\n");
    EXPECT_EQ(entries(folder_), std::vector<std::string>{"old.txt"});
}

TEST_F(FileWrite, FailsWhenNeitherTheFolderNorTheFileTakesWrites)
{
    put_bytes(folder_ / "old.txt", "old bytes\r\n");
    std::map<std::string, std::string> const before = snapshot(folder_);
    ImmutableGuard const frozen_file(folder_ / "old.txt");
    ImmutableGuard const frozen_folder(folder_);
    if (frozen_file.error() != 0 || frozen_folder.error() != 0)
        GTEST_SKIP() << "cannot mark a file and folder immutable here: "
                     << std::strerror(frozen_file.error() != 0 ? frozen_file.error() : frozen_folder.error());

    EXPECT_TRUE(failed_with(write_file(folder_ / "old.txt", "new"), {SaveFailureKind::NoPermission, EPERM}));
    EXPECT_TRUE(failed_with(write_file(folder_ / "new.txt", "new"), {SaveFailureKind::NoPermission, EPERM}));

    EXPECT_EQ(snapshot(folder_), before);
}

TEST_F(FileWrite, FollowsPermissionBitsForAnUnprivilegedUser)
{
    struct PermissionCase {
        char const* what;
        mode_t folder_mode;
        std::optional<mode_t> file_mode; // none: the file does not exist yet
        std::optional<SaveFailure> expected;
    };
    std::vector<PermissionCase> const cases = {
        // Replacing a read-only file needs only a writable folder: the rename does not open the old file.
        {"a read-only file in a writable folder", 0755, 0444, std::nullopt},
        {"a writable file in a read-only folder is rewritten in place", 0555, 0644, std::nullopt},
        {"a read-only file in a read-only folder", 0555, 0444, SaveFailure{SaveFailureKind::NoPermission, EACCES}},
        {"a new file in a read-only folder", 0555, std::nullopt, SaveFailure{SaveFailureKind::NoPermission, EACCES}},
    };
    uid_t const user = running_as_root() ? UnprivilegedUser : ::geteuid();
    gid_t const group = running_as_root() ? UnprivilegedGroup : ::getegid();
    ASSERT_EQ(::chown(folder_.c_str(), user, group), 0);

    for (std::size_t index = 0; index < cases.size(); ++index) {
        PermissionCase const& test = cases[index];
        SCOPED_TRACE(test.what);
        fs::path const folder = case_folder(std::to_string(index));
        fs::path const target = folder / "file.txt";
        std::string const old_bytes = "old bytes, longer than the new\r\n";
        if (test.file_mode) {
            put_bytes(target, old_bytes);
            ASSERT_EQ(::chown(target.c_str(), user, group), 0);
            ASSERT_EQ(::chmod(target.c_str(), *test.file_mode), 0);
        }
        ASSERT_EQ(::chown(folder.c_str(), user, group), 0);
        ASSERT_EQ(::chmod(folder.c_str(), test.folder_mode), 0);
        std::map<std::string, std::string> const before = snapshot(folder);

        std::optional<SaveFailure> const result = write_file_unprivileged(target, "new\n");

        if (test.expected) {
            EXPECT_TRUE(failed_with(result, *test.expected));
            EXPECT_EQ(snapshot(folder), before);
        } else {
            EXPECT_TRUE(saved(result));
            EXPECT_EQ(read_bytes(target), "new\n");
            EXPECT_EQ(mode_of(target), *test.file_mode);
            EXPECT_EQ(entries(folder), std::vector<std::string>{"file.txt"});
        }
    }
}

} // namespace
