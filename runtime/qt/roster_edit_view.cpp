// The roster box's view: only the lines in view are laid out and painted, each from its own bytes.

#include "runtime/qt/roster_edit.h"

#include <QApplication>
#include <QInputMethod>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <limits>

namespace runtime::qt {
namespace {

// Between the frame and the text, as a text document's margin.
constexpr int Margin = 4;
constexpr int CaretWidth = 1;
constexpr qreal TabStop = 80;

// Characters that would break a laid-out line in two are shown as spaces; they stay in the text as they are.
QString shown(QString text)
{
    for (QChar& unit : text)
        if (unit == QChar::LineSeparator || unit == QChar::ParagraphSeparator)
            unit = QLatin1Char(' ');
    return text;
}

int clamped_int(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, std::numeric_limits<int>::max()));
}

} // namespace

void RosterEdit::measureLineHeight()
{
    // Lines mix the font with the fallback fonts of Chinese characters; a line of both gives the height every line
    // is shown in.
    QTextLayout sample(QStringLiteral("Ag姓名"), font(), viewport());
    sample.beginLayout();
    QTextLine const line = sample.createLine();
    sample.endLayout();
    line_height_ = std::max(1, static_cast<int>(std::ceil(line.height())));
}

QTextLayout& RosterEdit::layoutOf(std::size_t line) const
{
    std::unique_ptr<QTextLayout>& slot = layouts_[line];
    if (slot)
        return *slot;
    slot = std::make_unique<QTextLayout>(shown(lineText(line)), font(), viewport());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStop);
    slot->setTextOption(option);
    slot->setCacheEnabled(true);
    if (line == caret_.line && !preedit_.isEmpty()) {
        slot->setPreeditArea(static_cast<int>(caret_.column), preedit_);
        QList<QTextLayout::FormatRange> formats;
        for (QInputMethodEvent::Attribute const& attribute : preedit_attributes_) {
            if (attribute.type != QInputMethodEvent::TextFormat)
                continue;
            QTextCharFormat const format = attribute.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                formats.append({static_cast<int>(caret_.column) + attribute.start, attribute.length, format});
        }
        slot->setFormats(formats);
    }
    slot->beginLayout();
    QTextLine text_line = slot->createLine();
    text_line.setLineWidth(viewport()->width());
    slot->endLayout();
    return *slot;
}

// Where the caret shows in its line's layout: inside the text being composed, where the input method puts it.
int RosterEdit::shownCaretColumn() const
{
    int column = static_cast<int>(caret_.column);
    for (QInputMethodEvent::Attribute const& attribute : preedit_attributes_)
        if (attribute.type == QInputMethodEvent::Cursor && !preedit_.isEmpty())
            column += std::clamp(attribute.start, 0, static_cast<int>(preedit_.size()));
    return column;
}

QRect RosterEdit::cursorRect() const
{
    QPointF const origin = lineOrigin(caret_.line);
    qreal const x = layoutOf(caret_.line).lineAt(0).cursorToX(shownCaretColumn());
    return {static_cast<int>(std::floor(origin.x() + x)), static_cast<int>(origin.y()), CaretWidth, lineHeight()};
}

QRect RosterEdit::characterRect(RosterPosition position) const
{
    QPointF const origin = lineOrigin(position.line);
    QTextLine const line = layoutOf(position.line).lineAt(0);
    auto const column = static_cast<int>(position.column);
    qreal const left = line.cursorToX(column);
    qreal const right = position.column < lineLength(position.line) ? line.cursorToX(column + 1) : left;
    return QRectF(origin.x() + left, origin.y(), std::max<qreal>(right - left, CaretWidth), lineHeight()).toRect();
}

std::size_t RosterEdit::firstVisibleLine() const
{
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t RosterEdit::linesInView() const
{
    return static_cast<std::size_t>(std::max(1, (viewport()->height() - Margin) / lineHeight()));
}

QPointF RosterEdit::lineOrigin(std::size_t line) const
{
    auto const row = static_cast<qreal>(line) - static_cast<qreal>(firstVisibleLine());
    return {static_cast<qreal>(Margin - horizontalScrollBar()->value()), Margin + row * lineHeight()};
}

RosterPosition RosterEdit::positionAt(QPoint point) const
{
    auto const row = static_cast<std::ptrdiff_t>(std::floor(static_cast<qreal>(point.y() - Margin) / lineHeight()));
    auto const line = std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(firstVisibleLine()) + row, 0,
                                                 static_cast<std::ptrdiff_t>(text_.line_count() - 1));
    auto const at = static_cast<std::size_t>(line);
    return {at, layoutOf(at).lineAt(0).xToCursor(point.x() - lineOrigin(at).x())};
}

void RosterEdit::updateScrollBars()
{
    std::size_t const page = linesInView();
    std::size_t const lines = text_.line_count();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, clamped_int(lines > page ? lines - page : 0));
    vertical->setPageStep(clamped_int(page));
    vertical->setSingleStep(1);
    int const width = std::max(1, viewport()->width() - 2 * Margin);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, static_cast<int>(std::ceil(widest_line_)) + CaretWidth - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
}

// The sideways range covers the widest line seen so far: the lines in view, and the caret's.
void RosterEdit::measureLinesInView()
{
    std::size_t const first = firstVisibleLine();
    std::size_t const end = std::min(text_.line_count(), first + linesInView() + 1);
    qreal widest = layoutOf(caret_.line).lineAt(0).naturalTextWidth();
    for (std::size_t line = first; line < end; ++line)
        widest = std::max(widest, layoutOf(line).lineAt(0).naturalTextWidth());
    if (widest > widest_line_) {
        widest_line_ = widest;
        updateScrollBars();
    }
}

void RosterEdit::ensureCaretVisible()
{
    std::size_t const first = firstVisibleLine();
    std::size_t const page = linesInView();
    if (caret_.line < first)
        verticalScrollBar()->setValue(clamped_int(caret_.line));
    else if (caret_.line >= first + page)
        verticalScrollBar()->setValue(clamped_int(caret_.line - page + 1));
    measureLinesInView();
    QTextLayout const& layout = layoutOf(caret_.line);
    int const x = static_cast<int>(layout.lineAt(0).cursorToX(shownCaretColumn()));
    int const shown_width = viewport()->width() - 2 * Margin - CaretWidth;
    QScrollBar* horizontal = horizontalScrollBar();
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + shown_width)
        horizontal->setValue(x - shown_width);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

void RosterEdit::updateLine(std::size_t line)
{
    QPointF const origin = lineOrigin(line);
    viewport()->update(QRect(0, static_cast<int>(origin.y()), viewport()->width(), lineHeight()));
}

void RosterEdit::restartBlinking()
{
    caret_shown_ = true;
    int const flash_time = QApplication::cursorFlashTime();
    if (hasFocus() && flash_time >= 2)
        blink_timer_.start(flash_time / 2, this);
    else
        blink_timer_.stop();
    updateLine(caret_.line);
}

void RosterEdit::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    std::size_t const first = firstVisibleLine();
    std::size_t const end = std::min(text_.line_count(), first + linesInView() + 1);
    bool const show_selection = hasSelection() && hasFocus();
    auto const [from, to] = selection();
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    for (std::size_t line = first; line < end; ++line) {
        QPointF const origin = lineOrigin(line);
        if (!event->rect().intersects(QRect(0, static_cast<int>(origin.y()), viewport()->width(), lineHeight())))
            continue;
        QTextLayout const& layout = layoutOf(line);
        qreal const width = layout.lineAt(0).naturalTextWidth();
        QList<QTextLayout::FormatRange> selections;
        bool const in_selection = show_selection && line >= from.line && line <= to.line;
        if (in_selection) {
            auto const start = static_cast<int>(line == from.line ? from.column : 0);
            auto const stop = static_cast<int>(line == to.line ? to.column : layout.text().size());
            selections.append({start, stop - start, selected});
        }
        layout.draw(&painter, origin, selections);
        if (in_selection && line < to.line) // the line end is selected too
            painter.fillRect(
                QRectF(origin.x() + width, origin.y(), fontMetrics().horizontalAdvance(QLatin1Char(' ')), lineHeight()),
                selected.background());
        if (line == caret_.line && caret_shown_ && hasFocus()) {
            painter.setPen(palette().color(QPalette::Text));
            layout.drawCursor(&painter, origin, shownCaretColumn(), CaretWidth);
        }
    }
    // Only the lines in view keep their layouts.
    if (layouts_.size() > 2 * (end - first) + 8)
        std::erase_if(layouts_, [&](auto const& entry) { return entry.first < first || entry.first >= end; });
}

void RosterEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void RosterEdit::scrollContentsBy(int, int)
{
    measureLinesInView();
    viewport()->update();
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void RosterEdit::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureLineHeight();
        layouts_.clear();
        widest_line_ = 0;
        updateScrollBars();
        viewport()->update();
    }
}

void RosterEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlinking();
    if (hasSelection())
        viewport()->update();
}

void RosterEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    blink_timer_.stop();
    caret_shown_ = false;
    viewport()->update(); // the caret and the selection are hidden without the focus
}

void RosterEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == blink_timer_.timerId()) {
        caret_shown_ = !caret_shown_;
        updateLine(caret_.line);
    } else if (event->timerId() == drag_scroll_timer_.timerId()) {
        QRect const view = viewport()->rect();
        if (last_drag_point_.y() < view.top())
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (last_drag_point_.y() > view.bottom())
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        if (last_drag_point_.x() < view.left())
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (last_drag_point_.x() > view.right())
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        moveCaret(positionAt(last_drag_point_), true);
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

} // namespace runtime::qt
