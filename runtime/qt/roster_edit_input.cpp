// The roster box's input: the keys a text box knows, the mouse, input methods and the context menu.

#include "runtime/qt/roster_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>

namespace runtime::qt {
namespace {

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

} // namespace

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
            int const page = verticalScrollBar()->pageStep();
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
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        // Where the system keeps a selection of its own, the middle button pastes it there.
        moveCaret(positionAt(event->position().toPoint()), false);
        replaceSelection(clipboard->text(QClipboard::Selection));
        return;
    }
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

} // namespace runtime::qt
