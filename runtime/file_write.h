#pragma once

// Writing a file so that it is either wholly the new bytes or untouched: the bytes go to a temporary file in the
// target's folder, are flushed to the disk, and the temporary file is then renamed over the target.

#include <filesystem>
#include <optional>
#include <string_view>

namespace runtime {

enum class SaveFailureKind { DiskFull, NoPermission, NameTooLong, IsFolder, FolderMissing, IoError, Other };

struct SaveFailure {
    SaveFailureKind kind = SaveFailureKind::Other;
    int code = 0; // the system's own error code
};

// Nothing on success. On failure an existing file is byte for byte as it was and no temporary file is left. An
// existing file's permission bits are kept. Where no temporary file can be made in the folder but the file itself
// is writable, it is rewritten in place, checked like every write.
[[nodiscard]] std::optional<SaveFailure> write_file(std::filesystem::path const& target, std::string_view bytes);

} // namespace runtime
