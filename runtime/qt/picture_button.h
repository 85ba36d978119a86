#pragma once

#include <QIcon>
#include <QPushButton>

namespace runtime::qt {

// A push button that shows only its picture, at its own size, centred and clipped to the face. The caption stays
// the button's text (a screen reader says it) but is not drawn: the picture carries the word. Without a picture
// it is a plain button showing its caption.
//
// The picture may come in several pixel densities: its smallest image gives its size on the window, and each paint
// takes the image that suits the screen the button is on, so a denser screen gets the finer drawing rather than an
// enlarged one.
class PictureButton : public QPushButton {
  public:
    PictureButton(QString const& caption, QIcon picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QIcon picture_;
    QSize pictureSize_;
};

} // namespace runtime::qt
