#pragma once

#include <QPixmap>
#include <QPushButton>

namespace runtime::qt {

// A push button that shows only its picture, at its own size, centred and clipped to the face. The caption stays
// the button's text (a screen reader says it) but is not drawn: the picture carries the word. Without a picture
// it is a plain button showing its caption.
class PictureButton : public QPushButton {
  public:
    PictureButton(QString const& caption, QPixmap picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

} // namespace runtime::qt
