#pragma once

// The pictures on the window's buttons: a shaded tile with the button's words, 56 x 48 pixels.

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

namespace make_assets {

struct NamedPicture {
    QString file_name;
    QImage picture;
};

// The words are drawn in the given font; its pixel size is set here.
[[nodiscard]] std::vector<NamedPicture> draw_button_pictures(QFont const& font);

} // namespace make_assets
