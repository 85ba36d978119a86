#pragma once

// The programs under test, built beside the driver.

#include <string>

namespace driver {

// brisvale.exe as it ships.
[[nodiscard]] std::wstring brisvale_path();
// The same program whose release routine says when it runs and whose heap can be told to fail
// (tests/win32/probe_main.cpp).
[[nodiscard]] std::wstring probe_path();

} // namespace driver
