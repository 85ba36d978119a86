#pragma once

// Appending little-endian integers to a byte buffer, as the Windows bitmap and icon file headers store them.

#include <cstdint>
#include <vector>

namespace make_assets {

using Bytes = std::vector<std::uint8_t>;

inline void append_u8(Bytes& out, std::uint8_t value)
{
    out.push_back(value);
}

inline void append_u16(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void append_u32(Bytes& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
    }
}

inline void append_i32(Bytes& out, std::int32_t value)
{
    append_u32(out, static_cast<std::uint32_t>(value));
}

} // namespace make_assets
