#include "runtime/qt/roster_edit.h"

#include "runtime/gb18030.h"
#include "runtime/qt/text_bridge.h"

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

// Calls visit with the text in order: each block's own text, and between blocks the recorded line end. The raw
// text holds the blocks in one copy with U+2029 in place of each break; the blocks are walked only for their
// lengths and format indices, both held in the block itself, and a format is looked at only when the index
// changes, which in a typed or appended roster it hardly ever does.
void visit_content(QTextDocument const& document, QString const& raw, auto const& visit)
{
    auto const* units = reinterpret_cast<char16_t const*>(raw.utf16());
    std::size_t line_start = 0;
    int format_index = -1;
    std::u16string_view line_end;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormatIndex() != format_index) {
            format_index = block.blockFormatIndex();
            line_end = line_end_before(block);
        }
        if (line_start != 0)
            visit(line_end);
        auto const length = static_cast<std::size_t>(block.length());
        visit(std::u16string_view(units + line_start, length - 1)); // without its own break
        line_start += length;
    }
}

} // namespace

RosterEdit::RosterEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

Text RosterEdit::contentBytes() const
{
    QString const raw = document()->toRawText();
    std::size_t size = 0;
    visit_content(*document(), raw, [&size](std::u16string_view piece) { size += gb18030_length(piece); });
    if (size == 0)
        return {};
    Text text = text_to_fill(size);
    char* out = text.data();
    visit_content(*document(), raw, [&out](std::u16string_view piece) { out = gb18030_encode(piece, out); });
    return text;
}

void RosterEdit::withoutUndo(QTextCursor& cursor, auto const& edit)
{
    // Turning undo off drops what was recorded, as replacing a system edit box's text does. One edit block makes
    // the layout hear of the change once, not once per line, and lay out only the lines it shows.
    document()->setUndoRedoEnabled(false);
    cursor.beginEditBlock();
    edit();
    cursor.endEditBlock();
    document()->setUndoRedoEnabled(true);
}

void RosterEdit::setContent(QStringView text)
{
    QTextCursor cursor(document());
    withoutUndo(cursor, [&] {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(QTextBlockFormat());
        insert_with_line_ends(cursor, text);
    });
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void RosterEdit::appendContent(QStringView text)
{
    QTextCursor cursor(document());
    withoutUndo(cursor, [&] {
        cursor.movePosition(QTextCursor::End);
        insert_with_line_ends(cursor, text);
    });
    setTextCursor(cursor);
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
