#include "emblem.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace make_assets {

namespace {

// Proportions of the emblem's side.
constexpr double DiscRadius = 0.31;
constexpr double RimWidth = 1.0 / 40;
constexpr double PaneSide = 0.13;
constexpr double PaneGap = 0.035;

int at_least(int minimum, double pixels)
{
    return std::max(minimum, static_cast<int>(std::lround(pixels)));
}

// Even, so that on our even sides the disc is centred on whole pixels.
int disc_side(int side)
{
    return 2 * static_cast<int>(std::lround(side * DiscRadius));
}

QPainterPath circle(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// The disc's silhouette swept towards the lower left, far enough to leave the badge.
QPainterPath long_shadow(QPointF centre, double radius, double length)
{
    double const across = radius / std::sqrt(2.0);
    double const along = length / std::sqrt(2.0);
    QPainterPath band;
    band.moveTo(centre + QPointF(across, across));
    band.lineTo(centre + QPointF(across - along, across + along));
    band.lineTo(centre + QPointF(-across - along, -across + along));
    band.lineTo(centre + QPointF(-across, -across));
    band.closeSubpath();
    return band.united(circle(centre, radius));
}

// Four square panes split by a cross, on whole pixels so the small sizes stay sharp. The cross is an even number of
// pixels wide, so on our even sides the sign sits exactly in the middle.
void draw_window_sign(QPainter& painter, int side, QColor const& colour)
{
    int const pane = at_least(2, side * PaneSide);
    int const gap = 2 * at_least(1, side * PaneGap / 2);
    int const left = static_cast<int>(std::lround((side - (2 * pane + gap)) / 2.0));
    for (int const row : {0, 1}) {
        for (int const column : {0, 1}) {
            painter.fillRect(left + column * (pane + gap), left + row * (pane + gap), pane, pane, colour);
        }
    }
}

// Soft edges sit half a pixel in, so the badge's outermost pixels are not left faint.
void draw_soft_circles(QPainter& painter, int side, EmblemLook const& look)
{
    const QPointF centre(side / 2.0, side / 2.0);
    double const badge_radius = side / 2.0 - 0.5;
    double const rim = std::max(1.0, side * RimWidth);
    double const disc_radius = disc_side(side) / 2.0;

    painter.setPen(Qt::NoPen);
    painter.setBrush(look.badge_rim);
    painter.drawPath(circle(centre, badge_radius));
    const QPainterPath badge_inside = circle(centre, badge_radius - rim);
    painter.setBrush(look.badge);
    painter.drawPath(badge_inside);
    painter.setBrush(QBrush(look.shadow, look.shadow_pattern));
    painter.drawPath(long_shadow(centre, disc_radius, side).intersected(badge_inside));
    painter.setBrush(look.disc);
    painter.drawPath(circle(centre, disc_radius));
}

// Hard edges: each circle is an outlined ellipse on whole pixels, which Qt draws as an even one-pixel ring; a ring
// filled between two aliased circles would break up and double on the diagonals.
void draw_hard_circles(QPainter& painter, int side, EmblemLook const& look)
{
    int const disc = disc_side(side);
    int const disc_left = (side - disc) / 2;

    painter.setPen(look.badge_rim);
    painter.setBrush(look.badge);
    painter.drawEllipse(QRect(0, 0, side - 1, side - 1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(look.shadow, look.shadow_pattern));
    const QPointF centre(side / 2.0, side / 2.0);
    painter.drawPath(long_shadow(centre, disc / 2.0, side).intersected(circle(centre, side / 2.0 - 1.5)));
    painter.setPen(look.disc);
    painter.setBrush(look.disc);
    painter.drawEllipse(QRect(disc_left, disc_left, disc - 1, disc - 1));
}

} // namespace

QImage draw_emblem(int side, EmblemLook const& look)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, look.antialiased);
    if (look.antialiased) {
        draw_soft_circles(painter, side, look);
    } else {
        draw_hard_circles(painter, side, look);
    }
    draw_window_sign(painter, side, look.sign);
    painter.end();
    return image;
}

} // namespace make_assets
