// Save as a user does it, through the real file dialog, into a temporary folder; the saved bytes read back.

#include "gui/gui_helpers.h"
#include "runtime/qt/application.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

using gui_test::answer_file_dialog;
using gui_test::answer_message_box;
using gui_test::click;
using gui_test::content_bytes;
using gui_test::control;
using gui_test::read_file;

namespace {

constexpr std::string_view RosterBox = "编辑框3";

void write_file(QString const& path, QByteArray const& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Presses Save and waits until the handler has returned.
void save()
{
    click("按钮3");
}

} // namespace

class SaveTest : public gui_test::WindowTest {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder_;

    QString path(QString const& name) const { return folder_->filePath(name); }
    QStringList entries() const
    {
        return QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void addPeople()
    {
        control<QLineEdit>("编辑框1")->setText(QStringLiteral("张三"));
        control<QLineEdit>("编辑框2")->setText(QStringLiteral("20"));
        click("按钮1");
        control<QLineEdit>("编辑框1")->setText(QStringLiteral("李四€"));
        click("按钮1");
    }

  private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        openWindow();
    }

    void savesTheRosterBytesExactly()
    {
        addPeople();
        answer_file_dialog(path(QStringLiteral("roster")));
        save();
        QByteArray const expected =
            "  \xD0\xD5\xC3\xFB\xA3\xBA\xD5\xC5\xC8\xFD   \xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0  \xC4\xEA"
            "\xC1\xE4\xA3\xBA"
            "20  QQ\xBA\xC5\xA3\xBA\r\n"
            "  \xD0\xD5\xC3\xFB\xA3\xBA\xC0\xEE\xCB\xC4\x80   \xD0\xD4\xB1\xF0\xA3\xBA\xC4\xD0  \xC4"
            "\xEA\xC1\xE4\xA3\xBA"
            "20  QQ\xBA\xC5\xA3\xBA\r\n";
        QCOMPARE(read_file(path(QStringLiteral("roster.txt"))), expected);
        QCOMPARE(entries(), QStringList{QStringLiteral("roster.txt")});
        QCOMPARE(content_bytes(RosterBox), expected); // the roster stays as it was
    }

    void addsTxtOnlyWhereTheNameLacksIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain name") << "roster"
                                    << "roster.txt";
        QTest::newRow("already .txt") << "roster.txt"
                                      << "roster.txt";
        QTest::newRow("upper case .TXT") << "ROSTER.TXT"
                                         << "ROSTER.TXT";
        QTest::newRow("another extension") << "roster.csv"
                                           << "roster.csv.txt";
        QTest::newRow("Chinese name") << "名单"
                                      << "名单.txt";
    }
    void addsTxtOnlyWhereTheNameLacksIt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        addPeople();
        answer_file_dialog(path(typed));
        save();
        QCOMPARE(entries(), QStringList{written});
        QCOMPARE(read_file(path(written)), content_bytes(RosterBox));
    }

    void cancelSavesNothing()
    {
        addPeople();
        QStringList const before = QDir::current().entryList(QDir::Files | QDir::Hidden);
        answer_file_dialog(QString());
        save();
        QVERIFY(entries().isEmpty());
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), before);
        // A cancel after a confirmed save does not write the last file again.
        answer_file_dialog(path(QStringLiteral("roster")));
        save();
        write_file(path(QStringLiteral("roster.txt")), "changed elsewhere");
        answer_file_dialog(QString());
        save();
        QCOMPARE(read_file(path(QStringLiteral("roster.txt"))), QByteArray("changed elsewhere"));
    }

    void asksBeforeReplacingAndNoKeepsTheFile()
    {
        write_file(path(QStringLiteral("roster.txt")), "old roster");
        addPeople();
        QString question;
        answer_file_dialog(path(QStringLiteral("roster")));
        answer_message_box(QMessageBox::No, &question);
        save();
        QVERIFY2(question.contains(QDir::toNativeSeparators(path(QStringLiteral("roster.txt")))), qPrintable(question));
        QCOMPARE(read_file(path(QStringLiteral("roster.txt"))), QByteArray("old roster"));

        answer_file_dialog(path(QStringLiteral("roster")));
        answer_message_box(QMessageBox::Yes);
        save();
        QCOMPARE(read_file(path(QStringLiteral("roster.txt"))), content_bytes(RosterBox));
        QCOMPARE(entries(), QStringList{QStringLiteral("roster.txt")});
    }

    void emptyRosterGivesAnEmptyFileAndTruncates()
    {
        answer_file_dialog(path(QStringLiteral("new")));
        save();
        QCOMPARE(read_file(path(QStringLiteral("new.txt"))), QByteArray());
        write_file(path(QStringLiteral("old.txt")), "a long old roster\r\n");
        answer_file_dialog(path(QStringLiteral("old")));
        answer_message_box(QMessageBox::Yes);
        save();
        QCOMPARE(read_file(path(QStringLiteral("old.txt"))), QByteArray());
    }

    void theNextShowingStartsAtTheLastPath()
    {
        QString first;
        answer_file_dialog(path(QStringLiteral("roster")), &first);
        save();
        QVERIFY(first.isEmpty());
        QString second;
        answer_file_dialog(QString(), &second);
        save();
        QCOMPARE(second, QStringLiteral("roster"));
        QCOMPARE(window_->fileDialogName(), path(QStringLiteral("roster")));
    }

    // Failures that also happen to root, who ignores permission bits.
    void failedSaveIsReportedAndKeepsEverything_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("target is a folder") << "folder"
                                            << "已有同名的文件夹";
        QTest::newRow("folder part is a file") << "file.txt/roster"
                                               << "文件夹不存在";
        QTest::newRow("folder missing") << "missing/roster"
                                        << "文件夹不存在";
        QTest::newRow("name too long with .txt") << QString(253, u'n') << "文件名太长";
    }
    void failedSaveIsReportedAndKeepsEverything()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("folder.txt")));
        write_file(path(QStringLiteral("file.txt")), "keep me");
        addPeople();
        control<QLineEdit>("编辑框4")->setText(QStringLiteral("42"));
        QByteArray const roster = content_bytes(RosterBox);
        QStringList const before = entries();

        QString text;
        QString title;
        answer_file_dialog(path(typed));
        answer_message_box(QMessageBox::Ok, &text, &title);
        save();
        QCOMPARE(title, QStringLiteral("保存失败"));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("错误代码")), qPrintable(text));
        QCOMPARE(entries(), before); // no temporary file left
        QCOMPARE(read_file(path(QStringLiteral("file.txt"))), QByteArray("keep me"));
        QCOMPARE(content_bytes(RosterBox), roster);
        QCOMPARE(control<QLineEdit>("编辑框4")->text(), QStringLiteral("42"));

        answer_file_dialog(path(QStringLiteral("good")));
        save();
        QCOMPARE(read_file(path(QStringLiteral("good.txt"))), roster);
    }
};

QTEST_MAIN(SaveTest)
#include "save_test.moc"
