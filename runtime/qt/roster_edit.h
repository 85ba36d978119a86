#pragma once

#include "runtime/text.h"

#include <QPlainTextEdit>

namespace runtime::qt {

// The multi-line roster box. Its text is bytes the user saves, so every line end must come back as it went in:
// Qt's document turns CR LF, a lone CR, a lone LF and U+2029 alike into a block break, and toPlainText() also
// turns U+2028 into LF and U+00A0 into a space. Each block therefore records the characters of the break before
// it, and the box is read from the document's raw text with each break replaced by its record. Enter types CR LF.
class RosterEdit : public QPlainTextEdit {
  public:
    explicit RosterEdit(QWidget* parent);

    // The whole text, each line with its own end, as GB18030 bytes encoded straight from the document without a
    // UTF-16 copy of the whole; absent when empty.
    [[nodiscard]] Text contentBytes() const;
    // Replaces the whole text; leaves nothing to undo.
    void setContent(QStringView text);
    // Adds the text at the end, shows the end with the caret there; leaves nothing to undo.
    void appendContent(QStringView text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(QMimeData const* source) override;

  private:
    void withoutUndo(QTextCursor& cursor, auto const& edit);
};

} // namespace runtime::qt
