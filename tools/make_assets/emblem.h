#pragma once

// The program's emblem: a white round badge holding a blue disc with a four-pane window sign, and the disc's long
// pale-blue shadow falling to the lower left across the badge.

#include <QColor>
#include <QImage>

namespace make_assets {

// Colours for one colour depth. The 2- and 16-colour depths get colours their palette holds exactly, drawn without
// antialiasing, and a dot pattern in place of the translucent shadow: quantising soft edges to so few colours would
// only leave stray off-colour pixels. The 256-colour palette holds the full look's colours and edge shades.
struct EmblemLook {
    QColor badge;
    QColor badge_rim;
    QColor shadow;
    Qt::BrushStyle shadow_pattern = Qt::SolidPattern;
    QColor disc;
    QColor sign;
    bool antialiased = true;
};

// Drawn from shapes at the size asked for, so each size lines its details up with its own pixels.
[[nodiscard]] QImage draw_emblem(int side, EmblemLook const& look);

} // namespace make_assets
