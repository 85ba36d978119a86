#include "runtime/qt/roster_edit.h"

#include "runtime/gb18030.h"
#include "runtime/qt/text_bridge.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethod>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace runtime::qt {

namespace {

// Between the frame and the text, as a text document's margin.
constexpr int Margin = 4;
constexpr int CaretWidth = 1;
constexpr qreal TabStop = 80;
constexpr int DragScrollInterval = 50; // ms between steps while a mouse selection is dragged out of the view

struct MoveKey {
    QKeySequence::StandardKey key;
    RosterEdit::Move move;
    bool select;
};

using Move = RosterEdit::Move;
constexpr std::array MoveKeys{
    MoveKey{QKeySequence::MoveToNextChar, Move::NextChar, false},
    MoveKey{QKeySequence::MoveToPreviousChar, Move::PreviousChar, false},
    MoveKey{QKeySequence::MoveToNextWord, Move::NextWord, false},
    MoveKey{QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
    MoveKey{QKeySequence::MoveToStartOfLine, Move::LineStart, false},
    MoveKey{QKeySequence::MoveToEndOfLine, Move::LineEnd, false},
    MoveKey{QKeySequence::MoveToStartOfBlock, Move::LineStart, false},
    MoveKey{QKeySequence::MoveToEndOfBlock, Move::LineEnd, false},
    MoveKey{QKeySequence::MoveToPreviousLine, Move::LineUp, false},
    MoveKey{QKeySequence::MoveToNextLine, Move::LineDown, false},
    MoveKey{QKeySequence::MoveToPreviousPage, Move::PageUp, false},
    MoveKey{QKeySequence::MoveToNextPage, Move::PageDown, false},
    MoveKey{QKeySequence::MoveToStartOfDocument, Move::TextStart, false},
    MoveKey{QKeySequence::MoveToEndOfDocument, Move::TextEnd, false},
    MoveKey{QKeySequence::SelectNextChar, Move::NextChar, true},
    MoveKey{QKeySequence::SelectPreviousChar, Move::PreviousChar, true},
    MoveKey{QKeySequence::SelectNextWord, Move::NextWord, true},
    MoveKey{QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
    MoveKey{QKeySequence::SelectStartOfLine, Move::LineStart, true},
    MoveKey{QKeySequence::SelectEndOfLine, Move::LineEnd, true},
    MoveKey{QKeySequence::SelectStartOfBlock, Move::LineStart, true},
    MoveKey{QKeySequence::SelectEndOfBlock, Move::LineEnd, true},
    MoveKey{QKeySequence::SelectPreviousLine, Move::LineUp, true},
    MoveKey{QKeySequence::SelectNextLine, Move::LineDown, true},
    MoveKey{QKeySequence::SelectPreviousPage, Move::PageUp, true},
    MoveKey{QKeySequence::SelectNextPage, Move::PageDown, true},
    MoveKey{QKeySequence::SelectStartOfDocument, Move::TextStart, true},
    MoveKey{QKeySequence::SelectEndOfDocument, Move::TextEnd, true},
};

// The editing commands, for the keys, the context menu and the shortcut check alike.
struct Command {
    QKeySequence::StandardKey key;
    char const* menu_text; // in Qt's own translation context for text edits; none for keys without a menu entry
    void (RosterEdit::*run)();
};

constexpr std::array Commands{
    Command{QKeySequence::Undo, QT_TRANSLATE_NOOP("QWidgetTextControl", "&Undo"), &RosterEdit::undo},
    Command{QKeySequence::Redo, QT_TRANSLATE_NOOP("QWidgetTextControl", "&Redo"), &RosterEdit::redo},
    Command{QKeySequence::Cut, QT_TRANSLATE_NOOP("QWidgetTextControl", "Cu&t"), &RosterEdit::cut},
    Command{QKeySequence::Copy, QT_TRANSLATE_NOOP("QWidgetTextControl", "&Copy"), &RosterEdit::copy},
    Command{QKeySequence::Paste, QT_TRANSLATE_NOOP("QWidgetTextControl", "&Paste"), &RosterEdit::paste},
    Command{QKeySequence::SelectAll, QT_TRANSLATE_NOOP("QWidgetTextControl", "Select All"), &RosterEdit::selectAll},
};

bool is_vertical(Move move)
{
    return move == Move::LineUp || move == Move::LineDown || move == Move::PageUp || move == Move::PageDown;
}

std::string to_bytes(QStringView text)
{
    std::u16string_view const units(text.utf16(), static_cast<std::size_t>(text.size()));
    std::string bytes(gb18030_length(units), '\0');
    gb18030_encode(units, bytes.data());
    return bytes;
}

bool holds_line_break(std::string_view bytes)
{
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

// Characters that would break a laid-out line in two are shown as spaces; they stay in the text as they are.
QString shown(QString text)
{
    for (QChar& unit : text)
        if (unit == QChar::LineSeparator || unit == QChar::ParagraphSeparator)
            unit = QLatin1Char(' ');
    return text;
}

// What a key press types, as a text box takes it: printable characters and formatting marks; nothing when Ctrl
// is held without Alt (AltGr types characters on some keyboards).
bool types_text(QKeyEvent const& event)
{
    QString const text = event.text();
    if (text.isEmpty())
        return false;
    QChar const first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    auto const modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

int clamped_int(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, std::numeric_limits<int>::max()));
}

} // namespace

RosterEdit::RosterEdit(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    measureLineHeight();
    updateScrollBars();
}

RosterEdit::~RosterEdit() = default;

Text RosterEdit::contentBytes() const
{
    if (text_.empty())
        return {};
    Text text = text_to_fill(text_.size());
    text_.copy(0, text_.size(), text.data());
    return text;
}

void RosterEdit::setContent(std::string_view bytes)
{
    text_.assign(bytes);
    undo_.clear();
    redo_.clear();
    layouts_.clear();
    widest_line_ = 0;
    caret_ = anchor_ = {};
    preferred_x_.reset();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    measureLinesInView();
    viewport()->update();
    restartBlinking();
}

void RosterEdit::appendContent(std::string_view bytes)
{
    std::size_t const old_last_line = text_.line_count() - 1;
    text_.insert(text_.size(), bytes);
    undo_.clear();
    redo_.clear();
    textChanged(old_last_line, true);
    caret_ = anchor_ = positionOf(text_.size());
    preferred_x_.reset();
    updateScrollBars();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    ensureCaretVisible();
    restartBlinking();
}

void RosterEdit::setCaretPosition(RosterPosition position)
{
    position.line = std::min(position.line, text_.line_count() - 1);
    position.column = std::clamp<qsizetype>(position.column, 0, lineLength(position.line));
    moveCaret(position, false);
}

QRect RosterEdit::cursorRect() const
{
    QPointF const origin = lineOrigin(caret_.line);
    qreal const x = layoutOf(caret_.line).lineAt(0).cursorToX(static_cast<int>(caret_.column));
    return {static_cast<int>(std::floor(origin.x() + x)), static_cast<int>(origin.y()), CaretWidth, lineHeight()};
}

QString RosterEdit::selectedText() const
{
    auto const [from, to] = selection();
    std::size_t const start = offsetOf(from);
    return to_qstring(text_.bytes(start, offsetOf(to) - start));
}

// ---- Text and places ----

QString RosterEdit::lineText(std::size_t line) const
{
    return to_qstring(text_.line(line));
}

qsizetype RosterEdit::lineLength(std::size_t line) const
{
    return static_cast<qsizetype>(utf16_length(text_.line(line)));
}

std::size_t RosterEdit::offsetOf(RosterPosition position) const
{
    return text_.line_start(position.line) +
           gb18030_prefix_bytes(text_.line(position.line), static_cast<std::size_t>(position.column));
}

// The column counts what the rest of the line decodes to back from its end: a malformed byte before the offset
// can decode differently alone than followed by the rest of its line.
RosterPosition RosterEdit::positionOf(std::size_t offset) const
{
    std::size_t const line = text_.line_at(offset);
    std::string const bytes = text_.line(line);
    std::size_t const within = std::min(offset - text_.line_start(line), bytes.size());
    std::size_t const rest = utf16_length(std::string_view(bytes).substr(within));
    return {line, static_cast<qsizetype>(utf16_length(bytes) - rest)};
}

std::pair<RosterPosition, RosterPosition> RosterEdit::selection() const
{
    return std::minmax(anchor_, caret_);
}

RosterPosition RosterEdit::stepped(RosterPosition from, Unit unit, int direction) const
{
    std::size_t const last_line = text_.line_count() - 1;
    if (direction > 0 && from.column >= lineLength(from.line))
        return from.line < last_line ? RosterPosition{from.line + 1, 0} : from;
    if (direction < 0 && from.column == 0)
        return from.line > 0 ? RosterPosition{from.line - 1, lineLength(from.line - 1)} : from;
    if (unit == Unit::CodePoint) {
        QString const text = lineText(from.line);
        qsizetype column = from.column + direction;
        bool const inside_pair =
            column > 0 && column < text.size() && text[column].isLowSurrogate() && text[column - 1].isHighSurrogate();
        return {from.line, inside_pair ? column + direction : column};
    }
    QTextLayout const& layout = layoutOf(from.line);
    auto const mode = unit == Unit::Word ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    auto const column = static_cast<int>(from.column);
    return {from.line,
            direction > 0 ? layout.nextCursorPosition(column, mode) : layout.previousCursorPosition(column, mode)};
}

RosterPosition RosterEdit::moved(RosterPosition from, Move move) const
{
    std::size_t const last_line = text_.line_count() - 1;
    auto const on_line = [&](std::size_t line) {
        qreal const x = preferred_x_.value_or(layoutOf(from.line).lineAt(0).cursorToX(static_cast<int>(from.column)));
        return RosterPosition{line, layoutOf(line).lineAt(0).xToCursor(x)};
    };
    std::size_t const page = linesInView();
    switch (move) {
    case Move::NextChar:
        return stepped(from, Unit::Character, 1);
    case Move::PreviousChar:
        return stepped(from, Unit::Character, -1);
    case Move::NextWord:
        return stepped(from, Unit::Word, 1);
    case Move::PreviousWord:
        return stepped(from, Unit::Word, -1);
    case Move::LineStart:
        return {from.line, 0};
    case Move::LineEnd:
        return {from.line, lineLength(from.line)};
    case Move::LineUp:
        return from.line > 0 ? on_line(from.line - 1) : from;
    case Move::LineDown:
        return from.line < last_line ? on_line(from.line + 1) : from;
    case Move::PageUp:
        return on_line(from.line > page ? from.line - page : 0);
    case Move::PageDown:
        return on_line(std::min(from.line + page, last_line));
    case Move::TextStart:
        return {};
    case Move::TextEnd:
        return {last_line, lineLength(last_line)};
    }
    return from;
}

// ---- Editing ----

void RosterEdit::replaceSelection(QStringView text, bool typed)
{
    auto const [from, to] = selection();
    std::size_t const start = offsetOf(from);
    Edit edit{start, text_.bytes(start, offsetOf(to) - start), to_bytes(text), typed};
    if (edit.removed.empty() && edit.inserted.empty())
        return;
    apply(edit, false);
    caret_ = anchor_ = positionOf(start + edit.inserted.size());
    record(std::move(edit));
    preferred_x_.reset();
    ensureCaretVisible();
    restartBlinking();
}

void RosterEdit::removeOrSelection(Unit unit, int direction)
{
    if (!hasSelection())
        anchor_ = stepped(caret_, unit, direction);
    replaceSelection({});
}

void RosterEdit::apply(Edit const& edit, bool undoing)
{
    std::string const& out = undoing ? edit.inserted : edit.removed;
    std::string const& in = undoing ? edit.removed : edit.inserted;
    std::size_t const first_line = text_.line_at(edit.offset);
    std::size_t const lines_before = text_.line_count();
    text_.erase(edit.offset, out.size());
    text_.insert(edit.offset, in);
    textChanged(first_line, lines_before != text_.line_count() || holds_line_break(out) || holds_line_break(in));
}

// Typing joins the typing just before it into one step to undo, as long as it goes on where that left off.
void RosterEdit::record(Edit edit)
{
    redo_.clear();
    if (edit.typed && edit.removed.empty() && !undo_.empty()) {
        Edit& last = undo_.back();
        if (last.typed && last.offset + last.inserted.size() == edit.offset) {
            last.inserted += edit.inserted;
            return;
        }
    }
    undo_.push_back(std::move(edit));
}

void RosterEdit::textChanged(std::size_t first_line, bool lines_changed)
{
    if (lines_changed) {
        // A line end that joined or split a pair can change the line before, so that one goes too.
        std::erase_if(layouts_, [&](auto const& entry) { return entry.first + 1 >= first_line; });
        updateScrollBars();
        viewport()->update();
    } else {
        layouts_.erase(first_line);
        updateLine(first_line);
    }
}

void RosterEdit::undo()
{
    if (undo_.empty())
        return;
    Edit edit = std::move(undo_.back());
    undo_.pop_back();
    apply(edit, true);
    caret_ = anchor_ = positionOf(edit.offset + edit.removed.size());
    redo_.push_back(std::move(edit));
    preferred_x_.reset();
    ensureCaretVisible();
    restartBlinking();
}

void RosterEdit::redo()
{
    if (redo_.empty())
        return;
    Edit edit = std::move(redo_.back());
    redo_.pop_back();
    apply(edit, false);
    caret_ = anchor_ = positionOf(edit.offset + edit.inserted.size());
    edit.typed = false; // a redone step stays a step of its own
    undo_.push_back(std::move(edit));
    preferred_x_.reset();
    ensureCaretVisible();
    restartBlinking();
}

void RosterEdit::cut()
{
    if (!hasSelection())
        return;
    copy();
    replaceSelection({});
}

void RosterEdit::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void RosterEdit::paste()
{
    QString const text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        replaceSelection(text);
}

void RosterEdit::selectAll()
{
    anchor_ = {};
    caret_ = moved(caret_, Move::TextEnd);
    viewport()->update();
    ensureCaretVisible();
    restartBlinking();
}

void RosterEdit::moveCaret(RosterPosition to, bool select)
{
    bool const selection_changes = select || hasSelection();
    std::size_t const old_line = caret_.line;
    caret_ = to;
    if (!select)
        anchor_ = to;
    preferred_x_.reset();
    ensureCaretVisible();
    if (selection_changes) {
        viewport()->update();
    } else {
        updateLine(old_line);
        updateLine(caret_.line);
    }
    restartBlinking();
}

// ---- Layout and view ----

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
    int const x = static_cast<int>(layout.lineAt(0).cursorToX(static_cast<int>(caret_.column)));
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

// ---- Events ----

bool RosterEdit::event(QEvent* event)
{
    // The keys this box acts on are its own, before any shortcut of the window takes them.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool const ours =
            types_text(*key) ||
            std::any_of(Commands.begin(), Commands.end(), [&](Command const& c) { return key->matches(c.key); }) ||
            std::any_of(MoveKeys.begin(), MoveKeys.end(), [&](MoveKey const& m) { return key->matches(m.key); });
        if (ours) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
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
            layout.drawCursor(&painter, origin, static_cast<int>(caret_.column), CaretWidth);
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

void RosterEdit::keyPressEvent(QKeyEvent* event)
{
    for (MoveKey const& key : MoveKeys) {
        if (!event->matches(key.key))
            continue;
        if (hasSelection() && !key.select && (key.move == Move::NextChar || key.move == Move::PreviousChar)) {
            auto const [from, to] = selection(); // an arrow first leaves the selection at its side
            moveCaret(key.move == Move::NextChar ? to : from, false);
            return;
        }
        std::optional<qreal> const x =
            is_vertical(key.move) ? std::optional(preferred_x_.value_or(
                                        layoutOf(caret_.line).lineAt(0).cursorToX(static_cast<int>(caret_.column))))
                                  : std::nullopt;
        preferred_x_ = x;
        RosterPosition const to = moved(caret_, key.move);
        if (key.move == Move::PageUp || key.move == Move::PageDown) {
            int const page = clamped_int(linesInView());
            verticalScrollBar()->setValue(verticalScrollBar()->value() + (key.move == Move::PageUp ? -page : page));
        }
        moveCaret(to, key.select);
        preferred_x_ = x;
        return;
    }
    for (Command const& command : Commands) {
        if (event->matches(command.key)) {
            (this->*command.run)();
            return;
        }
    }
    bool const enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto const modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && !(modifiers & Qt::AltModifier)) {
        replaceSelection(u"\r\n"); // for Shift+Enter too: a system edit box knows no other line break
    } else if (event->key() == Qt::Key_Backspace && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier) {
        removeOrSelection(Unit::CodePoint, -1); // one code point, so a combining mark can be taken back alone
    } else if (event->matches(QKeySequence::Delete)) {
        removeOrSelection(Unit::Character, 1);
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        removeOrSelection(Unit::Word, -1);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        removeOrSelection(Unit::Word, 1);
    } else if (types_text(*event)) {
        replaceSelection(event->text(), true);
    } else {
        event->ignore();
    }
}

void RosterEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->replacementLength() > 0 || event->replacementStart() != 0) {
        qsizetype const length = lineLength(caret_.line);
        qsizetype const start = std::clamp<qsizetype>(caret_.column + event->replacementStart(), 0, length);
        anchor_ = {caret_.line, start};
        caret_ = {caret_.line, std::clamp<qsizetype>(start + event->replacementLength(), 0, length)};
    }
    if (!event->commitString().isEmpty() || hasSelection())
        replaceSelection(event->commitString(), true);
    preedit_ = event->preeditString();
    preedit_attributes_ = event->attributes();
    layouts_.erase(caret_.line);
    ensureCaretVisible();
    updateLine(caret_.line);
    event->accept();
}

QVariant RosterEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return cursorRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return caret_.column;
    case Qt::ImAnchorPosition:
        return anchor_.line == caret_.line ? anchor_.column : caret_.column;
    case Qt::ImSurroundingText:
        return lineText(caret_.line);
    case Qt::ImCurrentSelection:
        return anchor_.line == caret_.line ? selectedText() : QString();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void RosterEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    selecting_with_mouse_ = true;
    moveCaret(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void RosterEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting_with_mouse_ || !(event->buttons() & Qt::LeftButton))
        return;
    last_drag_point_ = event->position().toPoint();
    if (viewport()->rect().contains(last_drag_point_))
        drag_scroll_timer_.stop();
    else if (!drag_scroll_timer_.isActive())
        drag_scroll_timer_.start(DragScrollInterval, this);
    moveCaret(positionAt(last_drag_point_), true);
}

void RosterEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    selecting_with_mouse_ = false;
    drag_scroll_timer_.stop();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void RosterEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    RosterPosition const at = positionAt(event->position().toPoint());
    QString const text = lineText(at.line);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(at.column);
    qsizetype const end = words.toNextBoundary();
    words.setPosition(at.column);
    qsizetype const start =
        words.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem) ? at.column : words.toPreviousBoundary();
    anchor_ = {at.line, std::max<qsizetype>(start, 0)};
    caret_ = {at.line, end < 0 ? text.size() : end};
    selecting_with_mouse_ = false;
    viewport()->update();
    ensureCaretVisible();
}

void RosterEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    for (Command const& command : Commands) {
        if (command.key == QKeySequence::SelectAll)
            menu.addSeparator();
        QString const text = QCoreApplication::translate("QWidgetTextControl", command.menu_text) + u'\t' +
                             QKeySequence(command.key).toString(QKeySequence::NativeText);
        QAction* action = menu.addAction(text, this, command.run);
        if (command.key == QKeySequence::Undo)
            action->setEnabled(!undo_.empty());
        else if (command.key == QKeySequence::Redo)
            action->setEnabled(!redo_.empty());
        else if (command.key == QKeySequence::Cut || command.key == QKeySequence::Copy)
            action->setEnabled(hasSelection());
        else if (command.key == QKeySequence::Paste)
            action->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    }
    menu.exec(event->globalPos());
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
