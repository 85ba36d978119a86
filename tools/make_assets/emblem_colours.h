#pragma once

// The emblem's full colours. The 256-colour palette is built around them too, so the 256-colour images keep these
// colours and their soft edges instead of snapping to the nearest step of a generic colour cube.

#include <QRgb>

namespace make_assets::emblem_colours {

inline constexpr QRgb Badge = 0xFFFFFFFF;
inline constexpr QRgb BadgeRim = 0xFFA8BDD8;
inline constexpr QRgb Disc = 0xFF3366CC;
inline constexpr QRgb Sign = 0xFFFFFFFF;
inline constexpr QRgb Shadow = 0x504A8CE0; // translucent, laid over the badge

// Opaque colour a laid over b with a's weight in 255ths, as an alpha would lay it.
[[nodiscard]] constexpr QRgb mix(QRgb a, QRgb b, int weight_of_a)
{
    auto const channel = [&](int shift) {
        const int a_channel = static_cast<int>((a >> shift) & 0xFFu);
        const int b_channel = static_cast<int>((b >> shift) & 0xFFu);
        return static_cast<QRgb>((a_channel * weight_of_a + b_channel * (255 - weight_of_a) + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// The shadow as it shows on the white badge.
inline constexpr QRgb ShadowOnBadge = mix(Shadow, Badge, static_cast<int>(Shadow >> 24));

} // namespace make_assets::emblem_colours
