// OK and Clear as a user presses them: the roster's bytes afterwards.

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using gui_test::click;
using gui_test::content_bytes;
using gui_test::control;

namespace {

constexpr std::string_view RosterBox = "编辑框3";

// GBK: the labels, 男 C4D0, 女 C5AE, 张三 D5C5 C8FD.
QByteArray const NameLabel("  \xD0\xD5\xC3\xFB\xA3\xBA");
QByteArray const SexLabel("   \xD0\xD4\xB1\xF0\xA3\xBA");
QByteArray const AgeLabel("  \xC4\xEA\xC1\xE4\xA3\xBA");
QByteArray const QqLabel("  QQ\xBA\xC5\xA3\xBA");

QByteArray entry_line(QByteArray const& name, QByteArray const& sex, QByteArray const& age, QByteArray const& qq)
{
    return NameLabel + name + SexLabel + sex + AgeLabel + age + QqLabel + qq + "\r\n";
}

void type_into(std::string_view box, QString const& text)
{
    QWidget* widget = control<QWidget>(box);
    widget->setFocus();
    gui_test::type_text(widget, text);
}

} // namespace

class RosterHandlersTest : public gui_test::WindowTest {
    Q_OBJECT

  private slots:
    void okRightAfterStartAddsTheBareEntryLine()
    {
        click("按钮1");
        QByteArray const line = content_bytes(RosterBox);
        QCOMPARE(line,
                 QByteArray("\x20\x20\xD0\xD5\xC3\xFB\xA3\xBA\x20\x20\x20\xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0\x20\x20\xC4"
                            "\xEA\xC1\xE4\xA3\xBA\x20\x20\x51\x51\xBA\xC5\xA3\xBA\x0D\x0A"));
        QCOMPARE(line.size(), 37);
    }

    void okJoinsWhatWasTypedAndKeepsTheBoxes()
    {
        type_into("编辑框1", QStringLiteral("张三"));
        control<QComboBox>("组合框1")->setCurrentIndex(1);
        type_into("编辑框2", QStringLiteral("20"));
        type_into("编辑框4", QStringLiteral("123"));
        click("按钮1");
        QByteArray const line = entry_line("\xD5\xC5\xC8\xFD", "\xC5\xAE", "20", "123");
        QCOMPARE(line.size(), 46);
        QCOMPARE(content_bytes(RosterBox), line);
        click("按钮1");
        QCOMPARE(content_bytes(RosterBox), line + line);
        QCOMPARE(control<QLineEdit>("编辑框1")->text(), QStringLiteral("张三"));
        QCOMPARE(control<QLineEdit>("编辑框2")->text(), QStringLiteral("20"));
        QCOMPARE(control<QLineEdit>("编辑框4")->text(), QStringLiteral("123"));
        QCOMPARE(control<QComboBox>("组合框1")->currentText(), QStringLiteral("女"));
    }

    void okCopiesFieldsByteForByte_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("spaces kept") << "  a b  " << QByteArray("  a b  ");
        QTest::newRow("euro is one byte") << "€" << QByteArray("\x80");
        QTest::newRow("outside GBK") << QString::fromUtf16(u"\u00E9\U0001F600")
                                     << QByteArray("\xA8\xA6\x94\x39\xFC\x36");
        QTest::newRow("quotes and separators untouched") << "\"a\";|b\t" << QByteArray("\"a\";|b\t");
    }
    void okCopiesFieldsByteForByte()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        control<QLineEdit>("编辑框1")->setText(name);
        click("按钮1");
        QCOMPARE(content_bytes(RosterBox), entry_line(bytes, "\xC4\xD0", "", ""));
    }

    void okAddsNoLineBreakBeforeTheEntry()
    {
        type_into("编辑框3", QStringLiteral("abc"));
        click("按钮1");
        QCOMPARE(content_bytes(RosterBox), "abc" + entry_line("", "\xC4\xD0", "", ""));
    }

    void okKeepsHandTypedLinesAndTheirEnds()
    {
        auto* roster = control<runtime::qt::RosterEdit>(RosterBox);
        roster->setFocus();
        gui_test::type_text(roster, QStringLiteral("x "));
        QTest::keyClick(roster, Qt::Key_Return);
        QGuiApplication::clipboard()->setText(QStringLiteral("lone\nLF\n"));
        QTest::keyClick(roster, Qt::Key_V, Qt::ControlModifier);
        click("按钮1");
        gui_test::type_text(roster, QStringLiteral("tail"));
        QCOMPARE(content_bytes(RosterBox), "x \r\nlone\nLF\n" + entry_line("", "\xC4\xD0", "", "") + "tail");
    }

    void clearEmptiesTheBoxesButKeepsTheSex()
    {
        type_into("编辑框1", QStringLiteral("张三"));
        type_into("编辑框2", QStringLiteral("20"));
        type_into("编辑框4", QStringLiteral("123"));
        control<QComboBox>("组合框1")->setCurrentIndex(1);
        click("按钮1");
        click("按钮4");
        for (std::string_view box : {"编辑框1", "编辑框2", "编辑框3", "编辑框4"})
            QCOMPARE(content_bytes(box), QByteArray());
        QCOMPARE(control<QComboBox>("组合框1")->currentText(), QStringLiteral("女"));
        click("按钮1");
        QCOMPARE(content_bytes(RosterBox), entry_line("", "\xC5\xAE", "", ""));
    }

    void clearOnEmptyBoxesChangesNothing()
    {
        click("按钮4");
        for (std::string_view box : {"编辑框1", "编辑框2", "编辑框3", "编辑框4"})
            QCOMPARE(content_bytes(box), QByteArray());
        QCOMPARE(content_bytes("组合框1"), QByteArray("\xC4\xD0"));
        QVERIFY(window_->isVisible());
    }
};

QTEST_MAIN(RosterHandlersTest)
#include "roster_handlers_test.moc"
