// Big and malformed input reaches the file intact: a pasted roster of 50 MB, a name as long as a single-line box
// holds, text that is not valid Unicode.

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

using gui_test::click;
using gui_test::content_bytes;
using gui_test::control;

namespace {

constexpr std::string_view RosterBox = "编辑框3";

QByteArray saved_roster(QTemporaryDir const& folder)
{
    gui_test::answer_file_dialog(folder.filePath(QStringLiteral("roster")));
    click("按钮3");
    return gui_test::read_file(folder.filePath(QStringLiteral("roster.txt")));
}

QByteArray bytes_of(QString const& text)
{
    runtime::Text const encoded = runtime::qt::to_text(text);
    return {encoded.bytes().data(), static_cast<qsizetype>(encoded.size())};
}

void paste_into(QWidget* box, QString const& text)
{
    box->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QByteArray entry_line_for_name(QByteArray const& name)
{
    return "  \xD0\xD5\xC3\xFB\xA3\xBA" + name +
           "   \xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0  \xC4\xEA\xC1\xE4\xA3\xBA  QQ\xBA\xC5\xA3\xBA\r\n";
}

} // namespace

class BigInputTest : public gui_test::WindowTest {
    Q_OBJECT
    QTemporaryDir folder_;

  private slots:
    void cleanup()
    {
        closeWindow();
        QFile::remove(folder_.filePath(QStringLiteral("roster.txt")));
    }

    void a50MegabyteRosterPastedKeepsEveryByte()
    {
        // Lines of Chinese and ASCII with every kind of line end, until the roster passes 50 MB.
        QString const lines[] = {QStringLiteral("  姓名：张三   性别：男  年龄：20  QQ号：12345\r\n"),
                                 QStringLiteral("hand typed line\n"), QStringLiteral("€ and \u00A0 and \u2028\r"),
                                 QStringLiteral("王五\u2029")};
        QString pasted;
        for (int line = 0; pasted.size() < 37'000'000; ++line)
            pasted += lines[line % 4];
        QByteArray const expected = bytes_of(pasted);
        QVERIFY(expected.size() > 50'000'000);

        paste_into(control<QWidget>(RosterBox), pasted);
        QCOMPARE(content_bytes(RosterBox).size(), expected.size());
        QVERIFY(content_bytes(RosterBox) == expected);
        click("按钮1");
        QByteArray const with_entry = expected + entry_line_for_name({});
        QVERIFY(content_bytes(RosterBox) == with_entry);
        QVERIFY(saved_roster(folder_) == with_entry);
    }

    void aNameAsLongAsTheBoxHoldsKeepsEveryByte()
    {
        QString name;
        for (int at = 0; at < 40'000; ++at)
            name += QChar(u"张a€"[at % 3]);
        paste_into(control<QWidget>("编辑框1"), name);
        QCOMPARE(control<QLineEdit>("编辑框1")->text().size(), 32'767); // the single-line box's own limit
        click("按钮1");
        QByteArray const expected = entry_line_for_name(bytes_of(name.left(32'767)));
        QCOMPARE(content_bytes(RosterBox), expected);
        QCOMPARE(saved_roster(folder_), expected);
    }

    // An unpaired surrogate is not a character; it is kept as the replacement character U+FFFD (84 31 A4 37).
    void unpairedSurrogatesAreSavedAsTheReplacementCharacter()
    {
        QString const broken = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00);
        paste_into(control<QWidget>("编辑框1"), broken);
        paste_into(control<QWidget>(RosterBox), broken + QChar(0xDBFF) + QStringLiteral("\r\n"));
        click("按钮1");
        QByteArray const replaced("a\x84\x31\xA4\x37"
                                  "b\x84\x31\xA4\x37");
        QByteArray const expected = replaced + "\x84\x31\xA4\x37\r\n" + entry_line_for_name(replaced);
        QCOMPARE(content_bytes(RosterBox), expected);
        QCOMPARE(saved_roster(folder_), expected);
    }
};

QTEST_MAIN(BigInputTest)
#include "big_input_test.moc"
