#include "runtime/qt/picture_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace runtime::qt {
namespace {

QSize smallest_size(QIcon const& icon)
{
    QList<QSize> const sizes = icon.availableSizes();
    auto const smallest = std::min_element(sizes.begin(), sizes.end(), [](QSize const& left, QSize const& right) {
        return left.width() * left.height() < right.width() * right.height();
    });
    return smallest == sizes.end() ? QSize() : *smallest;
}

} // namespace

PictureButton::PictureButton(QString const& caption, QIcon picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(std::move(picture)), pictureSize_(smallest_size(picture_))
{
    setAccessibleName(caption);
    setAutoDefault(false);
    setDefault(false);
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    QPixmap const picture = picture_.pixmap(pictureSize_, devicePixelRatioF());
    if (picture.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = {};
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    int const edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    QRect const face = rect().adjusted(edge, edge, -edge, -edge);
    // A pressed button's face moves down and right, as the style moves a caption.
    int const shift = isDown() ? style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this) : 0;
    QSize const size = picture.deviceIndependentSize().toSize();
    QPoint const origin((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift);
    painter.save();
    painter.setClipRect(face);
    painter.drawPixmap(origin, picture);
    painter.restore();

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace runtime::qt
