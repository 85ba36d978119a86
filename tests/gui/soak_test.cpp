// A long session in one process: 100,000 OK clicks and 100 saves. Nothing crashes, every save holds the roster
// as it stood, and memory grows with the roster alone: the second half of the session costs no more per roster
// byte than the first, and neither much more than the roster's own bytes (docs/PERFORMANCE.md).

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <string>

namespace {

constexpr int Clicks = 100'000;
constexpr int ClicksPerSave = 1'000;
constexpr double BytesPerRosterByte = 6.0;
constexpr double SecondHalfGrowth = 1.25;

double resident_bytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return 1024.0 * std::stod(line.substr(6));
    return -1;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QAbstractButton* ok_ = nullptr;

    // Clicks OK, and saves every thousand clicks; returns the roster's size afterwards.
    qsizetype work(int clicks)
    {
        QString const target = folder_.filePath(QStringLiteral("roster"));
        for (int click = 1; click <= clicks; ++click) {
            ok_->click();
            if (click % ClicksPerSave != 0)
                continue;
            gui_test::answer_file_dialog(target);
            gui_test::answer_message_box(QMessageBox::Yes);
            gui_test::click("按钮3");
            gui_test::drop_pending_answers(); // the first save asks nothing
            QByteArray const roster = gui_test::content_bytes("编辑框3");
            if (gui_test::read_file(target + QStringLiteral(".txt")) != roster)
                qFatal("save %d does not hold the roster", click / ClicksPerSave);
        }
        QCoreApplication::processEvents();
        return gui_test::content_bytes("编辑框3").size();
    }

  private slots:
    void initTestCase() { runtime::qt::prepare_application(); }

    void aLongSessionKeepsEveryByteInBoundedMemory()
    {
        QPointer<runtime::qt::MainWindow> window = gui_test::open_main_window();
        gui_test::control<QLineEdit>("编辑框1")->setText(QStringLiteral("张三"));
        gui_test::control<QLineEdit>("编辑框2")->setText(QStringLiteral("20"));
        ok_ = gui_test::control<QAbstractButton>("按钮1");
        qsizetype const warm = work(ClicksPerSave); // fonts, layouts, the dialogs
        double const idle = resident_bytes();
        qsizetype const half = work(Clicks / 2);
        double const at_half = resident_bytes();
        qsizetype const full = work(Clicks / 2);
        double const at_end = resident_bytes();

        double const first_half = (at_half - idle) / double(half - warm);
        double const second_half = (at_end - at_half) / double(full - half);
        qInfo("roster of %lld bytes; resident bytes per roster byte: %.2f in the first half, %.2f in the second",
              static_cast<long long>(full), first_half, second_half);
        QVERIFY2(first_half <= BytesPerRosterByte && second_half <= BytesPerRosterByte, "memory beyond the bound");
        QVERIFY2(second_half <= first_half * SecondHalfGrowth, "memory grows faster than the roster");
        delete window;
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
