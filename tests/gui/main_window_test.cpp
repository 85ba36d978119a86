// The main window as a user meets it: where its controls are, what they show, and what the keyboard does.

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"
#include "runtime/qt/picture_button.h"
#include "ui/icon_choice.h"
#include "ui/layout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTest>

using gui_test::content_bytes;
using gui_test::control;
using gui_test::type_text;

namespace {

QString focused_name()
{
    QWidget const* focus = QApplication::focusWidget();
    for (; focus != nullptr; focus = focus->parentWidget())
        if (!focus->objectName().isEmpty() && focus->parentWidget() == runtime::qt::MainWindow::loaded())
            return focus->objectName();
    return {};
}

QImage read_picture(QString const& file)
{
    return QImage(QStringLiteral(BRISVALE_ASSETS_DIR "/") + file);
}

} // namespace

class MainWindowTest : public gui_test::WindowTest {
    Q_OBJECT

  private slots:
    void opensAsAFixedBlackWindowWithItsCaption()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Brisvale▓"));
        QCOMPARE(window_->size(), QSize(552, 250));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        Qt::WindowFlags const flags = window_->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QImage const shot = window_->grab().toImage();
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::black));   // above the first label
        QCOMPARE(shot.pixelColor(212, 8), QColor(Qt::black)); // between the name box and the roster box
    }

    void placesItsFrameAtTheScreensCentre()
    {
        QRect const screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window_->pos(),
                 QPoint(screen.left() + (screen.width() - 558) / 2, screen.top() + (screen.height() - 277) / 2));
    }

    void showsEachControlWhereTheLayoutPutsIt()
    {
        for (ui::ControlRecord const& record : ui::MainWindowControls) {
            QWidget const* widget = window_->control(record.name);
            if (record.kind == ui::ControlKind::FileDialog) {
                QVERIFY(widget == nullptr);
                continue;
            }
            QVERIFY2(widget->isVisible(), record.name.data());
            QCOMPARE(widget->pos(), QPoint(record.rect.left, record.rect.top));
            QCOMPARE(widget->width(), record.rect.width);
            if (record.kind != ui::ControlKind::ComboBox)
                QCOMPARE(widget->height(), record.rect.height);
        }
    }

    void drawsLabelsInTheirColoursOnBlack()
    {
        QImage const shot = window_->grab().toImage();
        for (ui::ControlRecord const& record : ui::MainWindowControls) {
            if (record.kind != ui::ControlKind::Label)
                continue;
            QRect const area(record.rect.left, record.rect.top, record.rect.width, record.rect.height);
            QColor const ink(record.text_rgb.red, record.text_rgb.green, record.text_rgb.blue);
            bool inked = false;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    inked = inked || shot.pixelColor(x, y) == ink;
            QVERIFY2(inked, record.name.data());
            QCOMPARE(shot.pixelColor(area.topLeft()), QColor(Qt::black));
        }
    }

    // The picture is drawn at its own size, centred: the middle of the face is the middle of the picture, pixel
    // for pixel, and the caption is not drawn over it.
    void buttonsShowTheirPictureUnscaledAndCentred_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("caption");
        QTest::newRow("OK") << "按钮1"
                            << "ok.bmp"
                            << "确定";
        QTest::newRow("Close") << "按钮2"
                               << "close.bmp"
                               << "关闭";
        QTest::newRow("Save") << "按钮3"
                              << "save.bmp"
                              << "保存";
        QTest::newRow("Clear") << "按钮4"
                               << "clear.bmp"
                               << "清空名单";
    }
    void buttonsShowTheirPictureUnscaledAndCentred()
    {
        QFETCH(QString, button);
        QFETCH(QString, picture);
        QFETCH(QString, caption);
        auto* widget = control<QPushButton>(button.toStdString());
        QCOMPARE(widget->text(), caption);
        QCOMPARE(widget->accessibleName(), caption);
        QImage const face = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage const image = read_picture(picture).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(56, 48));
        QPoint const offset((widget->width() - image.width()) / 2, (widget->height() - image.height()) / 2);
        int mismatches = 0;
        for (int y = 8; y < 40; ++y)
            for (int x = 12; x < 44; ++x)
                mismatches += face.pixel(x + offset.x(), y + offset.y()) != image.pixel(x, y) ? 1 : 0;
        QCOMPARE(mismatches, 0);
    }

    void aButtonWhosePictureCannotBeDecodedShowsItsCaption()
    {
        runtime::qt::PictureButton without_picture(QStringLiteral("确定"), QPixmap(), nullptr);
        QPushButton plain(QStringLiteral("确定"));
        for (QPushButton* button : {static_cast<QPushButton*>(&without_picture), &plain})
            button->resize(56, 48);
        QCOMPARE(without_picture.grab().toImage(), plain.grab().toImage());
    }

    void windowIconHoldsTheImagesTheRuleChooses()
    {
        QFile file(QStringLiteral(BRISVALE_ASSETS_DIR "/brisvale.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray const bytes = file.readAll();
        auto const choice = ui::choose_window_icons({bytes.constData(), static_cast<std::size_t>(bytes.size())});
        QVERIFY(choice.has_value());
        QList<QSize> const sizes = window_->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
        QImageReader reader(file.fileName());
        reader.jumpToImage(static_cast<int>(choice->big));
        QImage const big = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(window_->windowIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32), big);
    }

    void startsWithTheFocusInTheNameBox() { QCOMPARE(focused_name(), QStringLiteral("编辑框1")); }

    void tabWalksTheFocusOrderAndWraps_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("visited");
        QStringList const forward{"按钮1", "按钮2", "编辑框2", "组合框1", "编辑框3",
                                  "按钮3", "按钮4", "编辑框4", "编辑框1"};
        QStringList backward{forward.crbegin() + 1, forward.crend()};
        backward.append("编辑框1");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << forward;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << backward;
    }
    void tabWalksTheFocusOrderAndWraps()
    {
        QFETCH(int, key);
        QFETCH(QStringList, visited);
        QStringList seen;
        for (qsizetype step = 0; step < visited.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            seen.append(focused_name());
        }
        QCOMPARE(seen, visited);
    }

    void tabInTheRosterBoxMovesOnInsteadOfTyping()
    {
        control<QWidget>("编辑框3")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused_name(), QStringLiteral("按钮3"));
        QCOMPARE(content_bytes("编辑框3"), QByteArray());
    }

    // Enter presses no button and moves nothing outside the roster box; Esc closes nothing; F1 does nothing.
    void keysThatChangeNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        for (char const* box : {"编辑框1", "编辑框2", "编辑框4", "组合框1", "按钮1", "按钮2", "按钮3", "按钮4"}) {
            QTest::addRow("Enter in %s", box) << QString::fromUtf8(box) << int(Qt::Key_Return);
            QTest::addRow("keypad Enter in %s", box) << QString::fromUtf8(box) << int(Qt::Key_Enter);
            QTest::addRow("Esc in %s", box) << QString::fromUtf8(box) << int(Qt::Key_Escape);
            QTest::addRow("F1 in %s", box) << QString::fromUtf8(box) << int(Qt::Key_F1);
        }
    }
    void keysThatChangeNothing()
    {
        QFETCH(QString, box);
        QFETCH(int, key);
        control<QLineEdit>("编辑框1")->setText(QStringLiteral("张三"));
        QWidget* target = control<QWidget>(box.toStdString());
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QTest::qWait(0);
        QVERIFY(!window_.isNull());
        QVERIFY(window_->isVisible());
        QCOMPARE(focused_name(), box);
        QCOMPARE(content_bytes("编辑框3"), QByteArray());                        // OK was not pressed
        QCOMPARE(control<QLineEdit>("编辑框1")->text(), QStringLiteral("张三")); // Clear was not pressed
    }

    void qqBoxFiltersTypedCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "0123456789"
                                << "0123456789";
        QTest::newRow("letters dropped") << "a1b2c3"
                                         << "123";
        QTest::newRow("dashes anywhere") << "-12--3-"
                                         << "-12--3-";
        QTest::newRow("space and punctuation") << " 1.2+3"
                                               << "123";
        QTest::newRow("Chinese") << "张1三"
                                 << "1";
        QTest::newRow("11th character refused") << "12345678901"
                                                << "1234567890";
    }
    void qqBoxFiltersTypedCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        auto* box = control<QLineEdit>("编辑框4");
        box->setFocus();
        type_text(box, typed);
        QCOMPARE(box->text(), kept);
    }

    void qqBoxLetsControlKeysAndPastedTextThrough()
    {
        auto* box = control<QLineEdit>("编辑框4");
        box->setFocus();
        type_text(box, QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("12ab"));
    }

    void qqBoxFiltersInputMethodText()
    {
        auto* box = control<QLineEdit>("编辑框4");
        box->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("一2三-"));
        QApplication::sendEvent(box, &commit);
        QCOMPARE(box->text(), QStringLiteral("2-"));
    }

    void nameAndAgeBoxesTakeAnyText()
    {
        for (char const* name : {"编辑框1", "编辑框2"}) {
            auto* box = control<QLineEdit>(name);
            box->setFocus();
            type_text(box, QStringLiteral("张三 abc-12 €"));
            QCOMPARE(box->text(), QStringLiteral("张三 abc-12 €"));
        }
    }

    void pastedTextStopsAtTheFirstLineBreak_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("LF") << "李四\nsecond";
        QTest::newRow("CR LF") << "李四\r\nsecond";
        QTest::newRow("CR") << "李四\rsecond";
        QTest::newRow("U+2029") << QString::fromUtf16(u"李四\u2029second");
    }
    void pastedTextStopsAtTheFirstLineBreak()
    {
        QFETCH(QString, pasted);
        auto* box = control<QLineEdit>("编辑框1");
        box->setFocus();
        type_text(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Left);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("a李四b"));
    }

    void sexBoxOffersTheTwoItemsAndCannotBeCleared()
    {
        auto* box = control<QComboBox>("组合框1");
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QStringLiteral("男"));
        QCOMPARE(box->itemText(1), QStringLiteral("女"));
        QCOMPARE(box->currentText(), QStringLiteral("男"));
        QVERIFY(!box->isEditable());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(content_bytes("组合框1"), QByteArray("\xC5\xAE"));
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->currentText(), QStringLiteral("女"));
    }

    void sexBoxListItemsAreOnePixelTaller()
    {
        auto* box = control<QComboBox>("组合框1");
        QStyleOptionViewItem option;
        option.initFrom(box->view());
        QStyledItemDelegate plain;
        QModelIndex const first = box->model()->index(0, 0);
        QCOMPARE(box->itemDelegate()->sizeHint(option, first).height(), plain.sizeHint(option, first).height() + 1);
    }

    void selectionIsHiddenWhileTheBoxLacksFocus()
    {
        auto* name = control<QLineEdit>("编辑框1");
        name->setText(QStringLiteral("WWWWWWWW"));
        name->selectAll();
        QColor const highlight = name->palette().color(QPalette::Active, QPalette::Highlight);
        auto shows_highlight = [&] {
            QImage const shot = name->grab().toImage();
            for (int x = 4; x < shot.width() - 4; ++x)
                if (shot.pixelColor(x, shot.height() / 2) == highlight)
                    return true;
            return false;
        };
        QVERIFY(shows_highlight());
        control<QWidget>("编辑框2")->setFocus();
        QVERIFY(!shows_highlight());
    }

    void focusComesBackToTheLastControlOnActivation()
    {
        control<QWidget>("编辑框2")->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        QCOMPARE(focused_name(), QStringLiteral("编辑框2"));
    }

    void closeButtonDestroysTheWindowOnlyAfterItsHandler()
    {
        control<QPushButton>("按钮2")->click();
        QVERIFY(!window_.isNull());
        QVERIFY(window_->isVisible());
        control<QPushButton>("按钮2")->click(); // a second click queued before the first request is served
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window_.isNull());
        QCOMPARE(runtime::qt::MainWindow::loaded(), nullptr);
    }

    void closeBoxDestroysTheWindowAtOnceWithoutAsking()
    {
        gui_test::control<QLineEdit>("编辑框1")->setText(QStringLiteral("unsaved"));
        QVERIFY(window_->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window_.isNull());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
