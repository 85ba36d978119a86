#pragma once

// The bench's measurements, each giving its rows of the table.

#include "bench/measure.h"
#include "bench/scale.h"

#include <filesystem>

namespace bench {

// The OK click at each roster size against the original whole-text algorithm, and its flatness.
[[nodiscard]] std::vector<Row> ok_click_rows(Scale const& scale);
// A key typed at the end of a long roster and one typed into the name box, against an empty roster.
[[nodiscard]] std::vector<Row> typing_rows(Scale const& scale);
// Saving a long roster into the folder against a plain write of the same bytes there.
[[nodiscard]] std::vector<Row> save_rows(Scale const& scale, std::filesystem::path const& folder);
// The GB18030 encoder on roster text against ICU's converter.
[[nodiscard]] std::vector<Row> encode_rows(Scale const& scale);
// Start-up to the first paint and resident memory at idle against a minimal Qt window, and the memory a long
// roster takes; all in child processes.
[[nodiscard]] std::vector<Row> process_rows(Scale const& scale);

} // namespace bench
