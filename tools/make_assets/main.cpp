// Draws the button pictures (at 1x and 2x) and the window icon into the folder given. To regenerate the committed
// files, from the repository root:
//   cmake --build build --target make_assets && QT_QPA_PLATFORM=offscreen build/tools/make_assets/make_assets assets
// The output is the same bytes on every run, so an unchanged drawing gives no diff.

#include "bmp_file.h"
#include "button_pictures.h"
#include "ico_file.h"
#include "little_endian.h"
#include "window_icon.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <optional>

namespace {

// Loaded from its file rather than asked of the system, so no font configuration can swap in another face.
constexpr char const* WordsFontFile = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
constexpr char const* IconFileName = "brisvale.ico";
// 1: the pictures the layout's buttons are sized for; 2: their drawing for screens of device pixel ratio 2.
constexpr std::array PictureScales{1, 2};

bool write_file(QDir const& folder, QString const& name, make_assets::Bytes const& bytes)
{
    QFile file(folder.filePath(name));
    auto const size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<char const*>(bytes.data()), size) != size) {
        std::fprintf(stderr, "make_assets: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

// Hinting and antialiasing are fixed here too, since otherwise the system's font settings would decide them.
std::optional<QFont> load_words_font()
{
    int const id = QFontDatabase::addApplicationFont(QString::fromUtf8(WordsFontFile));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        return std::nullopt;
    }
    QFont font(families.front());
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

} // namespace

int main(int argc, char* argv[])
{
    const QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::optional<QFont> font = load_words_font();
    if (!font) {
        std::fprintf(stderr, "make_assets: cannot load %s\n", WordsFontFile);
        return 1;
    }

    bool written = true;
    for (int const scale : PictureScales) {
        for (make_assets::NamedPicture const& picture : make_assets::draw_button_pictures(*font, scale)) {
            written = write_file(folder, picture.file_name, make_assets::encode_bmp24(picture.picture)) && written;
        }
    }
    const std::vector<make_assets::IconImage> icon = make_assets::window_icon_images();
    written = write_file(folder, QString::fromUtf8(IconFileName), make_assets::encode_ico(icon)) && written;
    return written ? 0 : 1;
}
