#pragma once

#include <QLineEdit>
#include <QValidator>

namespace runtime::qt {

// A single-line edit box. A typed-character filter, where it has one, drops typed characters outside its set;
// control keys always pass and pasted or dropped text is not filtered. Text typed through an input method is
// typed text and is filtered too. Pasted text is cut at its first line break, so no field can split a line.
class FieldEdit : public QLineEdit {
  public:
    FieldEdit(QString typedFilter, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    [[nodiscard]] bool typeable(QChar character) const;

    QString typedFilter_;
};

// Cuts a line break, and what follows it up to the caret, out of the text: only a paste can bring one in, and a
// single-line box keeps what comes before it.
class SingleLineValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& caret) const override;
};

} // namespace runtime::qt
