#pragma once

// What Save says to the user, in the program's own words: the system's wording follows the locale and is English
// in many setups.

#include "runtime/file_write.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace roster {

inline constexpr std::string_view SaveFailedTitle = "保存失败";
inline constexpr std::string_view ReplaceTitle = "确认另存为";

struct SaveFailureReason {
    runtime::SaveFailureKind kind;
    std::string_view reason;
};

inline constexpr auto SaveFailureReasons = std::array{
    SaveFailureReason{runtime::SaveFailureKind::DiskFull, "磁盘空间不足"},
    SaveFailureReason{runtime::SaveFailureKind::NoPermission, "没有写入这个位置的权限"},
    SaveFailureReason{runtime::SaveFailureKind::NameTooLong, "文件名太长"},
    SaveFailureReason{runtime::SaveFailureKind::IsFolder, "已有同名的文件夹"},
    SaveFailureReason{runtime::SaveFailureKind::FolderMissing, "文件夹不存在"},
    SaveFailureReason{runtime::SaveFailureKind::IoError, "磁盘读写出错"},
    SaveFailureReason{runtime::SaveFailureKind::Other, "未知错误"},
};

// The file as the user reads it: UTF-8, the platform's own separators.
[[nodiscard]] std::string display_path(std::filesystem::path const& file);

[[nodiscard]] std::string save_failure_message(std::filesystem::path const& file, runtime::SaveFailure const& failure);
[[nodiscard]] std::string replace_question(std::filesystem::path const& file);

} // namespace roster
