#pragma once

// The pictures on the window's buttons: a shaded tile with the button's words, 56 x 48 pixels, and the same drawing
// at twice the pixels for screens with a device pixel ratio of 2.

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

namespace make_assets {

struct NamedPicture {
    QString file_name;
    QImage picture;
};

// The words are drawn in the given font; its pixel size is set here. At a scale above 1 every shape is drawn at
// that many device pixels per picture pixel, not enlarged from the small picture, and the file names carry "@2x"
// and the like, as Qt looks for them.
[[nodiscard]] std::vector<NamedPicture> draw_button_pictures(QFont const& font, int scale);

} // namespace make_assets
