// Writes the window icon's 32-bit images of the sides asked for as OUTPUT_FOLDER/<side>.png, for the desktop's
// icon theme, so the menu shows the very pixels the window icon holds:
//   hicolor_icons assets/brisvale.ico OUTPUT_FOLDER 256 128 48 32 16

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include <cstdio>
#include <optional>

namespace {

constexpr qsizetype DirectoryHeaderSize = 6;
constexpr qsizetype DirectoryEntrySize = 16;
constexpr unsigned FullColourBits = 32;

unsigned little_endian_u16(QByteArray const& bytes, qsizetype at)
{
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// The directory's position of the 32-bit image with this side; a side of 256 is stored as 0.
std::optional<int> full_colour_image(QByteArray const& icon_file, int side)
{
    if (icon_file.size() < DirectoryHeaderSize)
        return std::nullopt;
    auto const count = static_cast<qsizetype>(little_endian_u16(icon_file, 4));
    for (qsizetype index = 0; index < count; ++index) {
        qsizetype const entry = DirectoryHeaderSize + index * DirectoryEntrySize;
        if (entry + DirectoryEntrySize > icon_file.size())
            return std::nullopt;
        int const stored_side = static_cast<unsigned char>(icon_file[entry]);
        if ((stored_side == 0 ? 256 : stored_side) == side && little_endian_u16(icon_file, entry + 6) == FullColourBits)
            return static_cast<int>(index);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication const application(argc, argv);
    QStringList const arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: hicolor_icons ICON_FILE OUTPUT_FOLDER SIDE...\n");
        return 2;
    }
    QFile file(arguments[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "hicolor_icons: cannot read %s\n", qPrintable(arguments[1]));
        return 1;
    }
    QByteArray const icon_file = file.readAll();
    QDir const output(arguments[2]);
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "hicolor_icons: cannot make %s\n", qPrintable(arguments[2]));
        return 1;
    }
    for (QString const& side_text : arguments.mid(3)) {
        int const side = side_text.toInt();
        std::optional<int> const index = full_colour_image(icon_file, side);
        if (!index) {
            std::fprintf(stderr, "hicolor_icons: the icon holds no 32-bit image of side %d\n", side);
            return 1;
        }
        QImageReader reader(arguments[1], "ico");
        reader.jumpToImage(*index);
        QImage const image = reader.read();
        QString const png = output.filePath(QString::number(side) + QStringLiteral(".png"));
        if (image.size() != QSize(side, side) || !image.save(png, "png")) {
            std::fprintf(stderr, "hicolor_icons: cannot write %s\n", qPrintable(png));
            return 1;
        }
    }
    return 0;
}
