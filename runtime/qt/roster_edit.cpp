// The roster box's text, its places and its edits; the view is in roster_edit_view.cpp and the keys, the mouse
// and input methods in roster_edit_input.cpp.

#include "runtime/qt/roster_edit.h"

#include "runtime/gb18030.h"
#include "runtime/qt/text_bridge.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

#include <algorithm>

namespace runtime::qt {
namespace {

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
    return text_.text();
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

QString RosterEdit::selectedText() const
{
    auto const [from, to] = selection();
    return textBetween(from, to);
}

QString RosterEdit::textBetween(RosterPosition from, RosterPosition to) const
{
    std::size_t const start = offsetOf(from);
    return to_qstring(text_.bytes(start, offsetOf(to) - start));
}

qsizetype RosterEdit::unitCount() const
{
    std::size_t const last = text_.line_count() - 1;
    return unitOffsetOf({last, lineLength(last)});
}

qsizetype RosterEdit::unitOffsetOf(RosterPosition position) const
{
    qsizetype units = position.column;
    for (std::size_t line = 0; line < position.line; ++line)
        units += lineLength(line) + static_cast<qsizetype>(text_.line_end(line).size());
    return units;
}

RosterPosition RosterEdit::positionAtUnit(qsizetype unit) const
{
    std::size_t const last = text_.line_count() - 1;
    for (std::size_t line = 0;; ++line) {
        qsizetype const length = lineLength(line);
        if (line == last || unit <= length)
            return {line, std::clamp<qsizetype>(unit, 0, length)};
        qsizetype const end = static_cast<qsizetype>(text_.line_end(line).size());
        if (unit < length + end)
            return {line, length};
        unit -= length + end;
    }
}

void RosterEdit::select(RosterPosition anchor, RosterPosition caret)
{
    anchor_ = anchor;
    moveCaret(caret, true);
}

void RosterEdit::replaceBetween(RosterPosition from, RosterPosition to, QStringView text)
{
    anchor_ = from;
    caret_ = to;
    replaceSelection(text);
}

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
    caretMovedByEdit();
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
    if (QAccessible::isActive()) {
        auto const at = static_cast<int>(unitOffsetOf(positionOf(edit.offset)));
        if (!out.empty()) {
            QAccessibleTextRemoveEvent removed(this, at, to_qstring(out));
            QAccessible::updateAccessibility(&removed);
        }
        if (!in.empty()) {
            QAccessibleTextInsertEvent inserted(this, at, to_qstring(in));
            QAccessible::updateAccessibility(&inserted);
        }
    }
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
    replay(undo_, redo_, true);
}

void RosterEdit::redo()
{
    replay(redo_, undo_, false);
}

// Takes the last step of one history back (or does it again) and hands it to the other.
void RosterEdit::replay(std::vector<Edit>& from, std::vector<Edit>& to, bool undoing)
{
    if (from.empty())
        return;
    Edit edit = std::move(from.back());
    from.pop_back();
    apply(edit, undoing);
    caret_ = anchor_ = positionOf(edit.offset + (undoing ? edit.removed : edit.inserted).size());
    edit.typed = false; // a step taken back and done again stays a step of its own
    to.push_back(std::move(edit));
    caretMovedByEdit();
}

void RosterEdit::caretMovedByEdit()
{
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
    if (!preedit_.isEmpty()) { // the text being composed is shown at the caret, so both lines are laid out again
        layouts_.erase(old_line);
        layouts_.erase(to.line);
    }
    caret_ = to;
    if (!select)
        anchor_ = to;
    preferred_x_.reset();
    ensureCaretVisible();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, static_cast<int>(unitOffsetOf(caret_)));
        QAccessible::updateAccessibility(&moved);
    }
    if (selection_changes) {
        viewport()->update();
    } else {
        updateLine(old_line);
        updateLine(caret_.line);
    }
    restartBlinking();
}

} // namespace runtime::qt
