#pragma once

#include "runtime/edit_text.h"
#include "runtime/text.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QInputMethodEvent>
#include <QTextLayout>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace runtime::qt {

// A place in the roster box: a line, and a column counted in UTF-16 units of that line's text.
struct RosterPosition {
    std::size_t line = 0;
    qsizetype column = 0;
    friend auto operator<=>(RosterPosition const&, RosterPosition const&) = default;
};

// The multi-line roster box. Its text is the bytes the user saves, so it is kept as those bytes with an index of
// the lines (runtime::EditText): every line end comes back as it went in, a million lines cost little more than
// their bytes, reading the box whole is one copy, and only the lines in view are ever decoded and laid out. Lines
// end at CR LF, a lone CR or a lone LF; Enter types CR LF. There is no word wrap: long lines scroll sideways.
class RosterEdit : public QAbstractScrollArea {
  public:
    // How far a key moves the caret; by how much a key deletes.
    enum class Move {
        NextChar,
        PreviousChar,
        NextWord,
        PreviousWord,
        LineStart,
        LineEnd,
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        TextStart,
        TextEnd,
    };
    enum class Unit { CodePoint, Character, Word };

    explicit RosterEdit(QWidget* parent);
    ~RosterEdit() override;
    RosterEdit(RosterEdit const&) = delete;
    RosterEdit& operator=(RosterEdit const&) = delete;

    // The whole text as GB18030 bytes; absent when empty.
    [[nodiscard]] Text contentBytes() const;
    // The same bytes where the box keeps them, valid until the next edit.
    [[nodiscard]] std::string_view contentView() { return text_.contiguous(); }
    // Replaces the whole text; the caret goes to the start and nothing is left to undo.
    void setContent(std::string_view bytes);
    // Adds the bytes at the end and shows the end with the caret there; nothing is left to undo.
    void appendContent(std::string_view bytes);

    [[nodiscard]] std::size_t lineCount() const { return text_.line_count(); }
    [[nodiscard]] RosterPosition caretPosition() const { return caret_; }
    // Moves the caret there without a selection and scrolls it into view.
    void setCaretPosition(RosterPosition position);
    // The caret's rectangle in the viewport.
    [[nodiscard]] QRect cursorRect() const;
    [[nodiscard]] bool isUndoAvailable() const { return !undo_.empty(); }
    [[nodiscard]] QString selectedText() const;

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void selectAll();

    // Places as an accessibility client counts them: UTF-16 units of the whole text, each line end with its own
    // characters. Counting walks the lines before the place, so only a client that asks pays for it.
    [[nodiscard]] qsizetype unitCount() const;
    [[nodiscard]] qsizetype unitOffsetOf(RosterPosition position) const;
    // A unit inside a CR LF pair is the end of its line; one past the text is its end.
    [[nodiscard]] RosterPosition positionAtUnit(qsizetype unit) const;
    [[nodiscard]] RosterPosition anchorPosition() const { return anchor_; }
    [[nodiscard]] QString textBetween(RosterPosition from, RosterPosition to) const;
    // The rectangle of the character at the place, in the viewport.
    [[nodiscard]] QRect characterRect(RosterPosition position) const;
    [[nodiscard]] RosterPosition positionAtPoint(QPoint viewport_point) const { return positionAt(viewport_point); }
    // Selects from the anchor to the caret and shows the caret.
    void select(RosterPosition anchor, RosterPosition caret);
    // Replaces the text between the places, as typing over a selection would, with a step to undo.
    void replaceBetween(RosterPosition from, RosterPosition to, QStringView text);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    // One edit as the undo history keeps it: the bytes at `offset` that it removed and those it put there.
    struct Edit {
        std::size_t offset = 0;
        std::string removed;
        std::string inserted;
        bool typed = false; // a typed character, which joins the typing just before it
    };

    // Text and places.
    [[nodiscard]] QString lineText(std::size_t line) const;
    [[nodiscard]] qsizetype lineLength(std::size_t line) const;
    [[nodiscard]] std::size_t offsetOf(RosterPosition position) const;
    [[nodiscard]] RosterPosition positionOf(std::size_t offset) const;
    [[nodiscard]] bool hasSelection() const { return anchor_ != caret_; }
    [[nodiscard]] std::pair<RosterPosition, RosterPosition> selection() const;
    [[nodiscard]] RosterPosition moved(RosterPosition from, Move move) const;
    [[nodiscard]] RosterPosition stepped(RosterPosition from, Unit unit, int direction) const;

    // Editing.
    void replaceSelection(QStringView text, bool typed = false);
    void removeOrSelection(Unit unit, int direction);
    void apply(Edit const& edit, bool undoing);
    void record(Edit edit);
    void replay(std::vector<Edit>& from, std::vector<Edit>& to, bool undoing);
    void caretMovedByEdit();
    void textChanged(std::size_t first_line, bool lines_changed);
    void moveCaret(RosterPosition to, bool select);

    // Layout and view.
    [[nodiscard]] QTextLayout& layoutOf(std::size_t line) const;
    [[nodiscard]] int lineHeight() const { return line_height_; }
    [[nodiscard]] int shownCaretColumn() const;
    [[nodiscard]] std::size_t firstVisibleLine() const;
    [[nodiscard]] std::size_t linesInView() const;
    [[nodiscard]] QPointF lineOrigin(std::size_t line) const;
    [[nodiscard]] RosterPosition positionAt(QPoint point) const;
    void updateScrollBars();
    void ensureCaretVisible();
    void measureLinesInView();
    void updateLine(std::size_t line);
    void restartBlinking();
    void measureLineHeight();

    EditText text_;
    RosterPosition caret_;
    RosterPosition anchor_;
    std::optional<qreal> preferred_x_; // kept while the caret moves up and down
    std::vector<Edit> undo_;
    std::vector<Edit> redo_;
    QString preedit_;
    QList<QInputMethodEvent::Attribute> preedit_attributes_;
    qreal widest_line_ = 0;
    int line_height_ = 1;
    bool caret_shown_ = false;
    bool selecting_with_mouse_ = false;
    QBasicTimer blink_timer_;
    QBasicTimer drag_scroll_timer_;
    QPoint last_drag_point_;
    mutable std::unordered_map<std::size_t, std::unique_ptr<QTextLayout>> layouts_;
};

} // namespace runtime::qt
