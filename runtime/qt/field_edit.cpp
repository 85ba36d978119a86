#include "runtime/qt/field_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace runtime::qt {
namespace {
bool is_line_break(QChar character)
{
    return character == u'\r' || character == u'\n' || character == QChar::LineSeparator ||
           character == QChar::ParagraphSeparator;
}
} // namespace

FieldEdit::FieldEdit(QString typedFilter, QWidget* parent) : QLineEdit(parent), typedFilter_(std::move(typedFilter))
{
    setValidator(new SingleLineValidator(this));
}

bool FieldEdit::typeable(QChar character) const
{
    return typedFilter_.isEmpty() || !character.isPrint() || typedFilter_.contains(character);
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    // Ctrl (without the Alt of AltGr) and Meta make a key a command, such as Ctrl+V, not a typed character.
    Qt::KeyboardModifiers const modifiers = event->modifiers();
    bool const command =
        ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) || (modifiers & Qt::MetaModifier);
    QString const typed = event->text();
    if (!command && !std::all_of(typed.cbegin(), typed.cend(), [this](QChar c) { return typeable(c); })) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event)
{
    QString committed = event->commitString();
    committed.removeIf([this](QChar c) { return !typeable(c); });
    if (committed == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(committed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

QValidator::State SingleLineValidator::validate(QString& input, int& caret) const
{
    auto const found = std::find_if(input.cbegin(), input.cend(), is_line_break);
    if (found != input.cend()) {
        auto const cut = static_cast<int>(found - input.cbegin());
        input.remove(cut, std::max(caret - cut, 1));
        caret = cut;
    }
    return Acceptable;
}

} // namespace runtime::qt
