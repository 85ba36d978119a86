#include "runtime/qt/roster_accessible.h"

#include "runtime/qt/roster_edit.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace runtime::qt {
namespace {

// Offsets are UTF-16 units of the whole text, each line end with its own characters.
class RosterAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
  public:
    explicit RosterAccessible(RosterEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? text(0, characterCount()) : QAccessibleWidget::text(kind);
    }

    // Text.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        RosterPosition const anchor = box()->anchorPosition();
        RosterPosition const caret = box()->caretPosition();
        if (index != 0 || anchor == caret)
            return;
        *start = unit(std::min(anchor, caret));
        *end = unit(std::max(anchor, caret));
    }
    [[nodiscard]] int selectionCount() const override { return box()->anchorPosition() != box()->caretPosition(); }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->setCaretPosition(box()->caretPosition());
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->select(place(start), place(end));
    }
    [[nodiscard]] int cursorPosition() const override { return unit(box()->caretPosition()); }
    void setCursorPosition(int position) override { box()->setCaretPosition(place(position)); }
    [[nodiscard]] QString text(int start, int end) const override
    {
        return box()->textBetween(place(start), place(end));
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(box()->unitCount()); }
    [[nodiscard]] QRect characterRect(int offset) const override
    {
        QRect const rect = box()->characterRect(place(offset));
        return rect.translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    [[nodiscard]] int offsetAtPoint(QPoint const& point) const override
    {
        return unit(box()->positionAtPoint(box()->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int start, int) override { box()->setCaretPosition(place(start)); }
    [[nodiscard]] QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset; // plain text: no runs of attributes
        return {};
    }

    // Editable text.
    void deleteText(int start, int end) override { box()->replaceBetween(place(start), place(end), {}); }
    void insertText(int offset, QString const& text) override
    {
        RosterPosition const at = place(offset);
        box()->replaceBetween(at, at, text);
    }
    void replaceText(int start, int end, QString const& text) override
    {
        box()->replaceBetween(place(start), place(end), text);
    }

  private:
    [[nodiscard]] RosterEdit* box() const { return static_cast<RosterEdit*>(widget()); }
    [[nodiscard]] int unit(RosterPosition position) const { return static_cast<int>(box()->unitOffsetOf(position)); }
    [[nodiscard]] RosterPosition place(int offset) const { return box()->positionAtUnit(offset); }
};

} // namespace

QAccessibleInterface* roster_accessible_factory(QString const&, QObject* object)
{
    auto* box = dynamic_cast<RosterEdit*>(object);
    return box != nullptr ? new RosterAccessible(box) : nullptr;
}

} // namespace runtime::qt
