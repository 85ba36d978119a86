// The roster box gives back every line end as it went in, whether written by a handler, typed or pasted.

#include "gui/gui_helpers.h"
#include "runtime/controls.h"
#include "runtime/qt/application.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

using gui_test::content_bytes;

namespace {

constexpr std::string_view RosterBox = "编辑框3";

runtime::qt::RosterEdit* roster_box()
{
    return gui_test::control<runtime::qt::RosterEdit>(RosterBox);
}

QByteArray bytes_of(QString const& text)
{
    runtime::Text const encoded = runtime::qt::to_text(text);
    return {encoded.bytes().data(), static_cast<qsizetype>(encoded.size())};
}

void write(QString const& text)
{
    runtime::write_content(RosterBox, runtime::qt::to_text(text));
}

void place_caret(int position)
{
    QTextCursor cursor = roster_box()->textCursor();
    cursor.setPosition(position);
    roster_box()->setTextCursor(cursor);
}

} // namespace

class RosterBoxTest : public gui_test::WindowTest {
    Q_OBJECT

  private slots:
    void init()
    {
        openWindow();
        roster_box()->setFocus();
    }

    void linesEndsComeBackAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << "a\r\nb";
        QTest::newRow("lone CR") << "a\rb";
        QTest::newRow("lone LF") << "a\nb";
        QTest::newRow("LF CR is two breaks") << "a\n\rb";
        QTest::newRow("CR CR LF") << "a\r\r\nb";
        QTest::newRow("U+2029") << QString::fromUtf16(u"a\u2029b");
        QTest::newRow("U+2028 stays inside its line") << QString::fromUtf16(u"a\u2028b\r\n");
        QTest::newRow("no-break space stays") << QString::fromUtf16(u"a\u00A0b");
        QTest::newRow("breaks at both ends") << "\n\r\nmiddle\r\n\r";
        QTest::newRow("mixed") << QString::fromUtf16(u"张三\r\n李四\n王五\r\u2029\u00A0x\r\n");
        QTest::newRow("empty") << "";
    }
    void linesEndsComeBackAsWritten()
    {
        QFETCH(QString, text);
        write(text);
        QCOMPARE(content_bytes(RosterBox), bytes_of(text));
    }

    void pastedTextKeepsItsLineEnds()
    {
        write(QStringLiteral("[]"));
        place_caret(1);
        QGuiApplication::clipboard()->setText(QString::fromUtf16(u"a\nb\r\nc\rd\u2029e"));
        QTest::keyClick(roster_box(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(content_bytes(RosterBox), bytes_of(QString::fromUtf16(u"[a\nb\r\nc\rd\u2029e]")));
    }

    void enterTypesCrLf_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::NoModifier);
        QTest::newRow("Shift+Enter") << int(Qt::ShiftModifier);
    }
    void enterTypesCrLf()
    {
        QFETCH(int, modifiers);
        gui_test::type_text(roster_box(), QStringLiteral("ab"));
        QTest::keyClick(roster_box(), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        gui_test::type_text(roster_box(), QStringLiteral("cd"));
        QCOMPARE(content_bytes(RosterBox), QByteArray("ab\r\ncd"));
    }

    // Splitting or joining lines must leave the other lines' ends as they were.
    void editingNextToALoneLineEndKeepsIt_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("Enter before a lone LF") << "ab\ncd" << 1 << int(Qt::Key_Return) << "a\r\nb\ncd";
        QTest::newRow("Enter after a lone CR") << "ab\rcd" << 4 << int(Qt::Key_Return) << "ab\rc\r\nd";
        QTest::newRow("Backspace joins across a CR") << "x\ny\rz" << 2 << int(Qt::Key_Backspace) << "xy\rz";
        QTest::newRow("Delete joins across a LF") << "x\ny\rz" << 3 << int(Qt::Key_Delete) << "x\nyz";
    }
    void editingNextToALoneLineEndKeepsIt()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(QString, after);
        write(before);
        place_caret(caret);
        QTest::keyClick(roster_box(), Qt::Key(key));
        QCOMPARE(content_bytes(RosterBox), bytes_of(after));
    }

    void undoBringsBackADeletedLoneLineEnd()
    {
        write(QStringLiteral("x\ny"));
        place_caret(2);
        QTest::keyClick(roster_box(), Qt::Key_Backspace);
        QCOMPARE(content_bytes(RosterBox), QByteArray("xy"));
        QTest::keyClick(roster_box(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(content_bytes(RosterBox), QByteArray("x\ny"));
    }

    void appendGoesOnTheSameLineAndShowsTheEnd()
    {
        write(QStringLiteral("abc"));
        for (int line = 0; line < 200; ++line)
            runtime::append_content(RosterBox, runtime::qt::to_text(QStringLiteral("line\r\n")));
        QByteArray expected("abc");
        for (int line = 0; line < 200; ++line)
            expected += "line\r\n";
        QCOMPARE(content_bytes(RosterBox), expected);
        QCOMPARE(roster_box()->textCursor().position(), roster_box()->document()->characterCount() - 1);
        QScrollBar const* bar = roster_box()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(roster_box()->viewport()->rect().contains(roster_box()->cursorRect()));
        QVERIFY(!roster_box()->document()->isUndoAvailable());
    }

    void longLinesScrollSidewaysInsteadOfWrapping()
    {
        write(QString(400, u'x'));
        QCOMPARE(roster_box()->document()->lineCount(), 1);
        QVERIFY(roster_box()->horizontalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(RosterBoxTest)
#include "roster_box_test.moc"
