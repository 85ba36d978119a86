// The roster box gives back every line end as it went in, whether written by a handler, typed or pasted, and it
// edits as a text box does: the caret keys, selection, the clipboard, undo, the mouse and input methods.

#include "gui/gui_helpers.h"
#include "runtime/controls.h"
#include "runtime/qt/application.h"
#include "runtime/qt/roster_edit.h"
#include "runtime/qt/text_bridge.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using gui_test::content_bytes;
using runtime::qt::RosterPosition;

Q_DECLARE_METATYPE(RosterPosition)

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

void place_caret(std::size_t line, qsizetype column)
{
    roster_box()->setCaretPosition({line, column});
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
        place_caret(0, 1);
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
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("Enter before a lone LF") << "ab\ncd" << 0 << 1 << int(Qt::Key_Return) << "a\r\nb\ncd";
        QTest::newRow("Enter after a lone CR") << "ab\rcd" << 1 << 1 << int(Qt::Key_Return) << "ab\rc\r\nd";
        QTest::newRow("Backspace joins across a CR") << "x\ny\rz" << 1 << 0 << int(Qt::Key_Backspace) << "xy\rz";
        QTest::newRow("Delete joins across a LF") << "x\ny\rz" << 1 << 1 << int(Qt::Key_Delete) << "x\nyz";
    }
    void editingNextToALoneLineEndKeepsIt()
    {
        QFETCH(QString, before);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(QString, after);
        write(before);
        place_caret(static_cast<std::size_t>(line), column);
        QTest::keyClick(roster_box(), Qt::Key(key));
        QCOMPARE(content_bytes(RosterBox), bytes_of(after));
    }

    void undoBringsBackADeletedLoneLineEnd()
    {
        write(QStringLiteral("x\ny"));
        place_caret(1, 0);
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
        QCOMPARE(roster_box()->lineCount(), std::size_t{201});
        QVERIFY(roster_box()->caretPosition() == (runtime::qt::RosterPosition{200, 0}));
        QScrollBar const* bar = roster_box()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(roster_box()->viewport()->rect().contains(roster_box()->cursorRect()));
        QVERIFY(!roster_box()->isUndoAvailable());
    }

    void longLinesScrollSidewaysInsteadOfWrapping()
    {
        write(QString(400, u'x'));
        QCOMPARE(roster_box()->lineCount(), std::size_t{1});
        QVERIFY(roster_box()->horizontalScrollBar()->maximum() > 0);
    }

    // Each case starts with the caret at `from` in three lines, the middle one short, and presses one key.
    void caretKeysMoveAsInATextBox_data()
    {
        QTest::addColumn<RosterPosition>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<RosterPosition>("to");
        auto const none = int(Qt::NoModifier);
        auto const control = int(Qt::ControlModifier);
        QTest::newRow("Right") << RosterPosition{0, 1} << int(Qt::Key_Right) << none << RosterPosition{0, 2};
        QTest::newRow("Right at a line end")
            << RosterPosition{0, 10} << int(Qt::Key_Right) << none << RosterPosition{1, 0};
        QTest::newRow("Left at a line start")
            << RosterPosition{2, 0} << int(Qt::Key_Left) << none << RosterPosition{1, 3};
        QTest::newRow("Right over a pair of surrogates")
            << RosterPosition{1, 1} << int(Qt::Key_Right) << none << RosterPosition{1, 3};
        QTest::newRow("Down to a shorter line")
            << RosterPosition{0, 7} << int(Qt::Key_Down) << none << RosterPosition{1, 3};
        QTest::newRow("Up on the first line")
            << RosterPosition{0, 3} << int(Qt::Key_Up) << none << RosterPosition{0, 3};
        QTest::newRow("End") << RosterPosition{2, 1} << int(Qt::Key_End) << none << RosterPosition{2, 9};
        QTest::newRow("Home") << RosterPosition{2, 4} << int(Qt::Key_Home) << none << RosterPosition{2, 0};
        QTest::newRow("Ctrl+End") << RosterPosition{0, 1} << int(Qt::Key_End) << control << RosterPosition{2, 9};
        QTest::newRow("Ctrl+Home") << RosterPosition{2, 4} << int(Qt::Key_Home) << control << RosterPosition{0, 0};
        QTest::newRow("Ctrl+Right to the next word")
            << RosterPosition{0, 0} << int(Qt::Key_Right) << control << RosterPosition{0, 6};
    }
    void caretKeysMoveAsInATextBox()
    {
        QFETCH(RosterPosition, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(RosterPosition, to);
        write(QString::fromUtf16(u"alpha beta\r\nx\U0001F600\nsomething"));
        roster_box()->setCaretPosition(from);
        QTest::keyClick(roster_box(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        RosterPosition const at = roster_box()->caretPosition();
        QVERIFY2(at == to, qPrintable(QStringLiteral("at %1:%2").arg(at.line).arg(at.column)));
    }

    // Moving down through a shorter line comes back to the column it left.
    void upAndDownKeepTheirColumn()
    {
        write(QStringLiteral("abcdef\r\nab\r\nabcdef"));
        place_caret(0, 5);
        QTest::keyClick(roster_box(), Qt::Key_Down);
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{1, 2}));
        QTest::keyClick(roster_box(), Qt::Key_Down);
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{2, 5}));
    }

    void typingReplacesTheSelectionAcrossLines()
    {
        write(QStringLiteral("one\r\ntwo\nthree"));
        place_caret(0, 1);
        QTest::keyClick(roster_box(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(roster_box(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(roster_box()->selectedText(), QStringLiteral("ne\r\ntw"));
        gui_test::type_text(roster_box(), QStringLiteral("张"));
        QCOMPARE(content_bytes(RosterBox), bytes_of(QString::fromUtf16(u"o张o\nthree")));
    }

    void copiedLinesPasteBackWithTheirEnds()
    {
        write(QStringLiteral("a\rb\nc\r\nd"));
        QTest::keyClick(roster_box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(roster_box(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(roster_box(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(roster_box(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(content_bytes(RosterBox), QByteArray("a\rb\nc\r\nda\rb\nc\r\nd"));
        QTest::keyClick(roster_box(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(roster_box(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("d"));
        QCOMPARE(content_bytes(RosterBox), QByteArray("a\rb\nc\r\nda\rb\nc\r\n"));
    }

    // Typing in one run is one step to undo; redo brings it back; an edit elsewhere is a step of its own.
    void undoTakesBackTypingAsOneStepAndRedoRestoresIt()
    {
        write(QStringLiteral("x"));
        place_caret(0, 1);
        gui_test::type_text(roster_box(), QStringLiteral("abc"));
        place_caret(0, 0);
        gui_test::type_text(roster_box(), QStringLiteral("y"));
        QCOMPARE(content_bytes(RosterBox), QByteArray("yxabc"));
        QTest::keySequence(roster_box(), QKeySequence::Undo);
        QCOMPARE(content_bytes(RosterBox), QByteArray("xabc"));
        QTest::keySequence(roster_box(), QKeySequence::Undo);
        QCOMPARE(content_bytes(RosterBox), QByteArray("x"));
        QVERIFY(!roster_box()->isUndoAvailable());
        QTest::keySequence(roster_box(), QKeySequence::Redo);
        QCOMPARE(content_bytes(RosterBox), QByteArray("xabc"));
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{0, 4}));
    }

    void theMousePlacesTheCaretAndSelectsWords()
    {
        write(QStringLiteral("hello world\r\nsecond line"));
        place_caret(1, 3);
        QPoint const target = roster_box()->cursorRect().center();
        place_caret(0, 0);
        QTest::mouseClick(roster_box()->viewport(), Qt::LeftButton, {}, target);
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{1, 3}));

        place_caret(0, 8);
        QPoint const in_world = roster_box()->cursorRect().center();
        QTest::mouseDClick(roster_box()->viewport(), Qt::LeftButton, {}, in_world);
        QCOMPARE(roster_box()->selectedText(), QStringLiteral("world"));
    }

    void selectionIsHiddenWhileTheBoxLacksFocus()
    {
        write(QString(40, u'W'));
        QTest::keyClick(roster_box(), Qt::Key_A, Qt::ControlModifier);
        QColor const highlight = roster_box()->palette().color(QPalette::Active, QPalette::Highlight);
        auto shows_highlight = [&] {
            QImage const shot = roster_box()->viewport()->grab().toImage();
            int const y = roster_box()->cursorRect().center().y();
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) == highlight)
                    return true;
            return false;
        };
        QVERIFY(shows_highlight());
        gui_test::control<QWidget>("编辑框1")->setFocus();
        QVERIFY(!shows_highlight());
    }

    // Composing text changes nothing until it is committed; the committed text goes in at the caret.
    void inputMethodTextGoesInWhenCommitted()
    {
        write(QStringLiteral("[]"));
        place_caret(0, 1);
        QInputMethodEvent composing(QStringLiteral("ming"), {});
        QApplication::sendEvent(roster_box(), &composing);
        QCOMPARE(content_bytes(RosterBox), QByteArray("[]"));
        QInputMethodEvent committing;
        committing.setCommitString(QString::fromUtf16(u"名单"));
        QApplication::sendEvent(roster_box(), &committing);
        QCOMPARE(content_bytes(RosterBox), bytes_of(QString::fromUtf16(u"[名单]")));
        // What an input method asks of the box around the caret.
        QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition);
        QApplication::sendEvent(roster_box(), &query);
        QCOMPARE(query.value(Qt::ImSurroundingText).toString(), QString::fromUtf16(u"[名单]"));
        QCOMPARE(query.value(Qt::ImCursorPosition).toInt(), 3);
    }

    void pageKeysAndTheEndScrollTheView()
    {
        QString text;
        for (int line = 0; line < 1000; ++line)
            text += QStringLiteral("line %1\r\n").arg(line);
        write(text);
        QScrollBar const* bar = roster_box()->verticalScrollBar();
        QTest::keyClick(roster_box(), Qt::Key_PageDown);
        QCOMPARE(bar->value(), bar->pageStep());
        QCOMPARE(roster_box()->caretPosition().line, static_cast<std::size_t>(bar->pageStep()));
        QTest::keyClick(roster_box(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(roster_box()->viewport()->rect().contains(roster_box()->cursorRect()));
    }

    // The context menu speaks the program's language, offers only what applies, and its entries work.
    void contextMenuOffersTheEditingCommands()
    {
        write(QStringLiteral("abc"));
        place_caret(0, 3);
        QTest::keyClick(roster_box(), Qt::Key_Left, Qt::ShiftModifier);
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QAction* select_all = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                shown.append(action->text().section(u'\t', 0, 0) + (action->isEnabled() ? "" : " (off)"));
                select_all = action;
            }
            select_all->trigger();
            menu->close();
        });
        QContextMenuEvent opening(QContextMenuEvent::Mouse, QPoint(10, 10), roster_box()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(roster_box()->viewport(), &opening);
        QCOMPARE(shown.size(), 6);
        QVERIFY2(shown[0].startsWith(u'撤') && shown[0].endsWith(" (off)"), qPrintable(shown.join(u',')));
        QVERIFY2(!shown[2].endsWith(" (off)") && !shown[3].endsWith(" (off)"), qPrintable(shown.join(u',')));
        QCOMPARE(roster_box()->selectedText(), QStringLiteral("abc"));
    }

    // A screen reader counts the whole text in UTF-16 units, each line end with its own characters.
    void screenReadersReadAndEditTheText()
    {
        write(QString::fromUtf16(u"ab\r\n张\U0001F600\ncd"));
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(roster_box());
        QVERIFY(box != nullptr);
        QCOMPARE(box->role(), QAccessible::EditableText);
        QAccessibleTextInterface* text = box->textInterface();
        QVERIFY(text != nullptr);
        QCOMPARE(text->characterCount(), 10);
        QCOMPARE(text->text(1, 7), QString::fromUtf16(u"b\r\n张\U0001F600"));
        text->setCursorPosition(8);
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{2, 0}));
        QCOMPARE(text->cursorPosition(), 8);
        text->setCursorPosition(3); // inside CR LF: the end of its line
        QVERIFY(roster_box()->caretPosition() == (RosterPosition{0, 2}));
        text->setSelection(0, 4, 8);
        QCOMPARE(roster_box()->selectedText(), QString::fromUtf16(u"张\U0001F600\n"));
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(4, 8));
        box->editableTextInterface()->replaceText(8, 10, QStringLiteral("xyz"));
        QCOMPARE(content_bytes(RosterBox), bytes_of(QString::fromUtf16(u"ab\r\n张\U0001F600\nxyz")));
        QCOMPARE(box->text(QAccessible::Value), QString::fromUtf16(u"ab\r\n张\U0001F600\nxyz"));
    }
};

QTEST_MAIN(RosterBoxTest)
#include "roster_box_test.moc"
