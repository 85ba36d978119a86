#include "palettes.h"

#include "emblem_colours.h"

#include <array>
#include <limits>
#include <stdexcept>

namespace make_assets {

namespace {

constexpr std::array<QRgb, 2> MonoPalette{0xFF000000, 0xFFFFFFFF};

// The standard 16 colours, in the order Windows lists them.
constexpr std::array<QRgb, 16> VgaPalette{
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

constexpr int CubeSteps = 6;
constexpr int CubeStep = 0x33;

// Colours that meet along the emblem's soft edges; the palette holds each pair's in-between shades.
struct EdgeColours {
    QRgb inner;
    QRgb outer;
};

constexpr std::array<EdgeColours, 5> EmblemEdges{{
    {emblem_colours::Disc, emblem_colours::Badge},
    {emblem_colours::Disc, emblem_colours::ShadowOnBadge},
    {emblem_colours::ShadowOnBadge, emblem_colours::Badge},
    {emblem_colours::BadgeRim, emblem_colours::Badge},
    {emblem_colours::BadgeRim, emblem_colours::ShadowOnBadge},
}};
constexpr std::array<int, 3> EdgeWeights{64, 128, 191};

constexpr int GreyStart = 0x18;
constexpr int GreyStep = 0x20;

constexpr QRgb opaque(int red, int green, int blue)
{
    return 0xFF000000u | static_cast<QRgb>(red << 16) | static_cast<QRgb>(green << 8) | static_cast<QRgb>(blue);
}

// The 16 colours, a 6x6x6 colour cube, the emblem's own shades, and greys between the cube's to fill up.
constexpr std::array<QRgb, 256> make_fixed_256_palette()
{
    std::array<QRgb, 256> palette{};
    std::size_t next = 0;
    for (const QRgb colour : VgaPalette) {
        palette[next++] = colour;
    }
    for (int red = 0; red < CubeSteps; ++red) {
        for (int green = 0; green < CubeSteps; ++green) {
            for (int blue = 0; blue < CubeSteps; ++blue) {
                palette[next++] = opaque(red * CubeStep, green * CubeStep, blue * CubeStep);
            }
        }
    }
    palette[next++] = emblem_colours::BadgeRim;
    palette[next++] = emblem_colours::ShadowOnBadge;
    for (EdgeColours const& edge : EmblemEdges) {
        for (int const weight : EdgeWeights) {
            palette[next++] = emblem_colours::mix(edge.inner, edge.outer, weight);
        }
    }
    for (int level = GreyStart; next < palette.size(); level += GreyStep) {
        palette[next++] = opaque(level, level, level);
    }
    return palette;
}

constexpr std::array<QRgb, 256> Fixed256Palette = make_fixed_256_palette();

int squared_distance(QRgb a, QRgb b)
{
    int const red = qRed(a) - qRed(b);
    int const green = qGreen(a) - qGreen(b);
    int const blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

} // namespace

std::span<const QRgb> palette_for_bits(int bits_per_pixel)
{
    switch (bits_per_pixel) {
    case 1:
        return MonoPalette;
    case 4:
        return VgaPalette;
    case 8:
        return Fixed256Palette;
    default:
        throw std::invalid_argument("no palette for this colour depth");
    }
}

std::uint8_t nearest_palette_index(std::span<const QRgb> palette, QRgb colour)
{
    std::size_t best = 0;
    int best_distance = std::numeric_limits<int>::max();
    for (std::size_t index = 0; index < palette.size(); ++index) {
        int const distance = squared_distance(palette[index], colour);
        if (distance < best_distance) {
            best = index;
            best_distance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace make_assets
