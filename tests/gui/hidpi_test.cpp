// The main window on a screen with a device pixel ratio of 2 (ctest runs this with QT_SCALE_FACTOR=2): the fixed
// layout grows as a whole, and the buttons show their pictures drawn at 2x, pixel for pixel, rather than the small
// pictures enlarged.

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"
#include "ui/icon_choice.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QPushButton>
#include <QTest>

using gui_test::control;

namespace {

constexpr qreal Ratio = 2.0;

QImage read_asset(QString const& file)
{
    return QImage(QStringLiteral(BRISVALE_ASSETS_DIR "/") + file).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class HighDpiTest : public QObject {
    Q_OBJECT

    QPointer<runtime::qt::MainWindow> window_;

  private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), Ratio);
        runtime::qt::prepare_application();
    }
    void init() { window_ = gui_test::open_main_window(); }
    void cleanup() { delete window_; }

    void theLayoutKeepsItsSizeAndDoublesItsPixels()
    {
        QCOMPARE(window_->size(), QSize(552, 250));
        QPixmap const shot = window_->grab();
        QCOMPARE(shot.devicePixelRatio(), Ratio);
        QCOMPARE(shot.size(), QSize(1104, 500));
    }

    void buttonsShowTheirDoubleDensityPictures_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("picture");
        QTest::newRow("OK") << "按钮1"
                            << "ok";
        QTest::newRow("Close") << "按钮2"
                               << "close";
        QTest::newRow("Save") << "按钮3"
                              << "save";
        QTest::newRow("Clear") << "按钮4"
                               << "clear";
    }
    void buttonsShowTheirDoubleDensityPictures()
    {
        QFETCH(QString, button);
        QFETCH(QString, picture);
        QImage const fine = read_asset(picture + QStringLiteral("@2x.bmp"));
        QCOMPARE(fine.size(), QSize(112, 96));
        // Else an enlarged small picture would pass for the fine one.
        QImage const enlarged = read_asset(picture + QStringLiteral(".bmp")).scaled(fine.size());
        QVERIFY(fine != enlarged);

        auto* widget = control<QPushButton>(button.toStdString());
        QImage const face = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(face.size(), widget->size() * 2);
        // Centred as at 1x, in device pixels; the middle stays clear of the bevel on every button.
        QPoint const offset((face.width() - fine.width()) / 2, (face.height() - fine.height()) / 2);
        int mismatches = 0;
        for (int y = 16; y < 80; ++y)
            for (int x = 24; x < 88; ++x)
                mismatches += face.pixel(x + offset.x(), y + offset.y()) != fine.pixel(x, y) ? 1 : 0;
        QCOMPARE(mismatches, 0);
    }

    // The denser screen adds no images of its own: the title bar and the task bar still get the rule's two.
    void windowIconHoldsJustTheImagesTheRuleChooses()
    {
        QFile file(QStringLiteral(BRISVALE_ASSETS_DIR "/brisvale.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray const bytes = file.readAll();
        auto const choice = ui::choose_window_icons({bytes.constData(), static_cast<std::size_t>(bytes.size())});
        QVERIFY(choice.has_value());
        QImageReader reader(file.fileName());
        QList<QSize> chosen;
        for (std::size_t index : {choice->big, choice->small}) {
            reader.jumpToImage(static_cast<int>(index));
            chosen.append(reader.read().size());
        }
        QCOMPARE(window_->windowIcon().availableSizes(), chosen);
    }
};

QTEST_MAIN(HighDpiTest)
#include "hidpi_test.moc"
