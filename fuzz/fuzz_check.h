#pragma once

// A property a fuzz target checks: when it fails, the target says which and aborts, which libFuzzer reports as a
// crash and saves the input for.

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void require(bool holds, char const* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

} // namespace fuzz
