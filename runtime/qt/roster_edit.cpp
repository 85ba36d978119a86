#include "runtime/qt/roster_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include <array>

namespace runtime::qt {
namespace {

// Every character that QTextCursor::insertText turns into a block break, with the break's own characters. The
// first is what a block without a record stands for.
constexpr auto LineEnds = std::array<std::u16string_view, 6>{u"\r\n", u"\r", u"\n", u"\u2029", u"\uFDD0", u"\uFDD1"};
constexpr int LineEndProperty = QTextFormat::UserProperty + 1;

QTextBlockFormat line_end_format(std::size_t kind)
{
    QTextBlockFormat format;
    if (kind != 0)
        format.setProperty(LineEndProperty, static_cast<int>(kind));
    return format;
}

std::u16string_view line_end_before(QTextBlock const& block)
{
    auto const kind = static_cast<std::size_t>(block.blockFormat().intProperty(LineEndProperty));
    return kind < LineEnds.size() ? LineEnds[kind] : LineEnds[0];
}

// The kind and length of the line end starting at text[at], or nothing.
std::optional<std::pair<std::size_t, qsizetype>> line_end_at(QStringView text, qsizetype at)
{
    char16_t const unit = text[at].unicode();
    if (unit == u'\r')
        return at + 1 < text.size() && text[at + 1] == u'\n' ? std::pair{std::size_t{0}, qsizetype{2}}
                                                             : std::pair{std::size_t{1}, qsizetype{1}};
    for (std::size_t kind = 2; kind < LineEnds.size(); ++kind)
        if (unit == LineEnds[kind].front())
            return std::pair{kind, qsizetype{1}};
    return std::nullopt;
}

// Inserts the text at the cursor, each line end as a block break that records it.
void insert_with_line_ends(QTextCursor& cursor, QStringView text)
{
    qsizetype line_start = 0;
    for (qsizetype at = 0; at < text.size();) {
        auto const line_end = line_end_at(text, at);
        if (!line_end) {
            ++at;
            continue;
        }
        if (at > line_start)
            cursor.insertText(text.sliced(line_start, at - line_start).toString());
        cursor.insertBlock(line_end_format(line_end->first));
        at += line_end->second;
        line_start = at;
    }
    if (line_start < text.size())
        cursor.insertText(text.sliced(line_start).toString());
}

} // namespace

RosterEdit::RosterEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

QString RosterEdit::content() const
{
    QTextDocument const* document = this->document();
    QString text;
    text.reserve(document->characterCount());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin()) {
            std::u16string_view const end = line_end_before(block);
            text.append(QStringView(end.data(), static_cast<qsizetype>(end.size())));
        }
        text.append(block.text());
    }
    return text;
}

void RosterEdit::withoutUndo(auto const& edit)
{
    // Turning undo off drops what was recorded, as replacing a system edit box's text does.
    document()->setUndoRedoEnabled(false);
    edit();
    document()->setUndoRedoEnabled(true);
}

void RosterEdit::setContent(QStringView text)
{
    withoutUndo([&] {
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(QTextBlockFormat());
        insert_with_line_ends(cursor, text);
        cursor.movePosition(QTextCursor::Start);
        setTextCursor(cursor);
    });
}

void RosterEdit::appendContent(QStringView text)
{
    withoutUndo([&] {
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        insert_with_line_ends(cursor, text);
        setTextCursor(cursor);
    });
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    ensureCursorVisible();
}

void RosterEdit::keyPressEvent(QKeyEvent* event)
{
    bool const enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isReadOnly() && !(event->modifiers() & Qt::AltModifier)) {
        // Qt would copy the current block's format (and its line end) into the new block, and Shift+Enter would
        // insert U+2028; a system edit box types CR LF for both.
        QTextCursor cursor = textCursor();
        cursor.insertBlock(line_end_format(0));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RosterEdit::insertFromMimeData(QMimeData const* source)
{
    if (isReadOnly() || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insert_with_line_ends(cursor, source->text());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace runtime::qt
