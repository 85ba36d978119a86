#include "button_pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace make_assets {

namespace {

constexpr int PictureWidth = 56;
constexpr int PictureHeight = 48;
constexpr int WordsPixelSize = 14;
constexpr double LineGap = 2.0;

const QRect WholePicture(0, 0, PictureWidth, PictureHeight);
const QColor ButtonFace(0xF0, 0xF0, 0xF0); // shows around a tile that does not fill the picture

// What the tile shows. Buttons cover the outer 2-3 pixels with their bevel and the narrow Clear button crops 4
// columns off each side, so rims are wide enough to stay in sight and the words keep to the middle 40 x 40.
struct PictureLook {
    char const* name = nullptr; // the file name without its scale and extension
    QRect tile = WholePicture;
    int corner_radius = 0;
    QColor tile_top{};
    QColor tile_bottom{};
    QColor rim{};
    int rim_width = 0;        // 0: no rim
    bool dotted_mark = false; // top-right corner
    QColor mark{};
    QColor ink{};
    std::array<char const*, 2> lines{}; // UTF-8; an empty second line is left out
};

const std::array<PictureLook, 4> PictureLooks{{
    {.name = "ok",
     .tile_top = QColor(0xFF, 0xEE, 0xB8),
     .tile_bottom = QColor(0xE8, 0x9A, 0x12),
     .rim = QColor(0xA8, 0x64, 0x00),
     .rim_width = 4,
     .ink = QColor(0x3A, 0x22, 0x00),
     .lines = {"确定", ""}},
    {.name = "close",
     .tile_top = QColor(0x5C, 0xC8, 0xBC),
     .tile_bottom = QColor(0x0A, 0x5E, 0x5A),
     .dotted_mark = true,
     .mark = QColor(0xE8, 0xFF, 0xFB),
     .ink = Qt::white,
     .lines = {"关闭", ""}},
    {.name = "save",
     .tile_top = QColor(0xAC, 0x82, 0x8A),
     .tile_bottom = QColor(0x94, 0x6A, 0x72),
     .rim = QColor(0xD8, 0xD8, 0xD8),
     .rim_width = 4,
     .ink = Qt::white,
     .lines = {"保存", ""}},
    {.name = "clear",
     .tile = QRect(6, 3, 44, 42),
     .corner_radius = 7,
     .tile_top = QColor(0x8C, 0x9E, 0xCE),
     .tile_bottom = QColor(0x6C, 0x80, 0xB8),
     .ink = Qt::black,
     .lines = {"清空", "名单"}},
}};

// A small triangle of dots tucked into the top-right corner, inside the bevel.
constexpr std::array<QPoint, 6> MarkDots{{{41, 5}, {44, 5}, {47, 5}, {44, 8}, {47, 8}, {47, 11}}};
constexpr int MarkDotSide = 2;

void draw_tile(QPainter& painter, PictureLook const& look)
{
    QLinearGradient shading(look.tile.topLeft(), look.tile.bottomLeft());
    shading.setColorAt(0, look.tile_top);
    shading.setColorAt(1, look.tile_bottom);
    if (look.rim_width > 0) {
        painter.fillRect(look.tile, look.rim);
    }
    const QRect inside = look.tile.adjusted(look.rim_width, look.rim_width, -look.rim_width, -look.rim_width);
    QPainterPath outline;
    outline.addRoundedRect(inside, look.corner_radius, look.corner_radius);
    painter.fillPath(outline, shading);
}

void draw_mark(QPainter& painter, QColor const& colour)
{
    for (const QPoint dot : MarkDots) {
        painter.fillRect(dot.x(), dot.y(), MarkDotSide, MarkDotSide, colour);
    }
}

// Each line is centred on its inked pixels rather than its font box, and starts on a whole pixel so the hinted
// strokes stay sharp.
void draw_words(QPainter& painter, PictureLook const& look)
{
    QStringList lines;
    for (char const* line : look.lines) {
        if (*line != '\0') {
            lines.push_back(QString::fromUtf8(line));
        }
    }
    const QFontMetricsF metrics(painter.font());
    double const line_height = metrics.tightBoundingRect(lines.front()).height();
    auto const count = static_cast<double>(lines.size());
    double const block_height = count * line_height + (count - 1) * LineGap;
    double top = PictureHeight / 2.0 - block_height / 2.0;
    painter.setPen(look.ink);
    for (QString const& line : lines) {
        const QRectF ink = metrics.tightBoundingRect(line);
        double const x = std::round(PictureWidth / 2.0 - ink.width() / 2.0 - ink.left());
        double const y = std::round(top - ink.top());
        painter.drawText(QPointF(x, y), line);
        top += line_height + LineGap;
    }
}

QImage draw_picture(PictureLook const& look, QFont const& font, int scale)
{
    QImage picture(PictureWidth * scale, PictureHeight * scale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale); // the painter keeps to picture pixels and draws each on scale x scale
    picture.fill(ButtonFace);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw_tile(painter, look);
    if (look.dotted_mark) {
        draw_mark(painter, look.mark);
    }
    painter.setFont(font);
    draw_words(painter, look);
    painter.end();
    return picture;
}

QString file_name(PictureLook const& look, int scale)
{
    QString const suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    return QString::fromUtf8(look.name) + suffix + QStringLiteral(".bmp");
}

} // namespace

std::vector<NamedPicture> draw_button_pictures(QFont const& font, int scale)
{
    QFont words_font(font);
    words_font.setPixelSize(WordsPixelSize);
    words_font.setBold(true); // the face has no bold; Qt thickens its strokes, which reads better this small
    std::vector<NamedPicture> pictures;
    for (PictureLook const& look : PictureLooks) {
        pictures.push_back({file_name(look, scale), draw_picture(look, words_font, scale)});
    }
    return pictures;
}

} // namespace make_assets
