#include "window_icon.h"

#include "emblem.h"
#include "emblem_colours.h"

#include <array>

namespace make_assets {

namespace {

// Each depth gets colours its palette holds; see EmblemLook.
const EmblemLook MonoLook{
    .badge = Qt::white,
    .badge_rim = Qt::black,
    .shadow = Qt::black,
    .shadow_pattern = Qt::Dense6Pattern,
    .disc = Qt::black,
    .sign = Qt::white,
    .antialiased = false,
};

const EmblemLook SixteenColourLook{
    .badge = Qt::white,
    .badge_rim = QColor(0x80, 0x80, 0x80),
    .shadow = QColor(0x00, 0xFF, 0xFF),
    .shadow_pattern = Qt::Dense4Pattern,
    .disc = QColor(0x00, 0x00, 0xFF),
    .sign = Qt::white,
    .antialiased = false,
};

const EmblemLook FullColourLook{
    .badge = QColor::fromRgba(emblem_colours::Badge),
    .badge_rim = QColor::fromRgba(emblem_colours::BadgeRim),
    .shadow = QColor::fromRgba(emblem_colours::Shadow),
    .shadow_pattern = Qt::SolidPattern,
    .disc = QColor::fromRgba(emblem_colours::Disc),
    .sign = QColor::fromRgba(emblem_colours::Sign),
    .antialiased = true,
};

struct ImageFormat {
    int side;
    int bits_per_pixel;
    EmblemLook const* look;
};

// Old formats first, as readers that stop at the first usable image expect; the window picks its two images by
// this order.
const std::array<ImageFormat, 12> IconImageFormats{{
    {32, 1, &MonoLook},
    {48, 4, &SixteenColourLook},
    {32, 4, &SixteenColourLook},
    {16, 4, &SixteenColourLook},
    {48, 8, &FullColourLook},
    {32, 8, &FullColourLook},
    {16, 8, &FullColourLook},
    {256, 32, &FullColourLook},
    {128, 32, &FullColourLook},
    {48, 32, &FullColourLook},
    {32, 32, &FullColourLook},
    {16, 32, &FullColourLook},
}};

} // namespace

std::vector<IconImage> window_icon_images()
{
    std::vector<IconImage> images;
    for (ImageFormat const& format : IconImageFormats) {
        images.push_back({draw_emblem(format.side, *format.look), format.bits_per_pixel});
    }
    return images;
}

} // namespace make_assets
