#pragma once

#include <filesystem>

namespace roster {

// The file a save writes: the confirmed name with ".txt" appended, unless it already ends in ".txt" in any case.
// The name stays in the platform's own encoding; only the roster goes through the text codec.
[[nodiscard]] std::filesystem::path save_target(std::filesystem::path const& confirmed);

} // namespace roster
