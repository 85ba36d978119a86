// Save while the file system fails under it (the fault library is preloaded by ctest): the user is told, and the
// existing file, the folder, the roster and the boxes are exactly as before; the next save works.

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

class SaveFaultTest : public gui_test::WindowTest {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder_;

  private slots:
    void initTestCase()
    {
        runtime::qt::prepare_application();
        if (qEnvironmentVariableIsEmpty("LD_PRELOAD"))
            QSKIP("the fault library is not preloaded; run through ctest");
    }
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        qputenv("BRISVALE_FAULT_FOLDER", folder_->path().toLocal8Bit());
        openWindow();
    }
    void cleanup()
    {
        qunsetenv("BRISVALE_FAULT");
        closeWindow();
    }

    void failedSaveLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk fills partway") << QByteArray("write:ENOSPC:100") << "磁盘空间不足";
        QTest::newRow("disk full at the first byte") << QByteArray("write:ENOSPC:0") << "磁盘空间不足";
        QTest::newRow("I/O error at a write") << QByteArray("write:EIO:0") << "磁盘读写出错";
        QTest::newRow("I/O error at the flush") << QByteArray("fdatasync:EIO") << "磁盘读写出错";
        QTest::newRow("I/O error at the close") << QByteArray("close:EIO") << "磁盘读写出错";
        QTest::newRow("rename refused") << QByteArray("rename:EXDEV") << "未知错误";
    }
    void failedSaveLeavesEverythingAsItWas()
    {
        QFETCH(QByteArray, fault);
        QFETCH(QString, reason);
        QString const target = folder_->filePath(QStringLiteral("roster.txt"));
        QByteArray const old_roster("an older roster\r\n");
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old_roster);
        }
        control<QLineEdit>("编辑框1")->setText(QStringLiteral("张三"));
        for (int person = 0; person < 20; ++person)
            click("按钮1");
        QByteArray const roster = content_bytes("编辑框3");
        QVERIFY(roster.size() > 200);

        qputenv("BRISVALE_FAULT", fault);
        QString text;
        QString title;
        answer_file_dialog(folder_->filePath(QStringLiteral("roster")));
        answer_message_box(QMessageBox::Yes);
        answer_message_box(QMessageBox::Ok, &text, &title);
        click("按钮3");
        QCOMPARE(title, QStringLiteral("保存失败"));
        QVERIFY2(text.contains(target) && text.contains(reason), qPrintable(text));
        QCOMPARE(read_file(target), old_roster);
        QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("roster.txt")});
        QCOMPARE(content_bytes("编辑框3"), roster);
        QCOMPARE(control<QLineEdit>("编辑框1")->text(), QStringLiteral("张三"));

        qunsetenv("BRISVALE_FAULT");
        answer_file_dialog(folder_->filePath(QStringLiteral("next")));
        click("按钮3");
        QCOMPARE(read_file(folder_->filePath(QStringLiteral("next.txt"))), roster);
    }
};

QTEST_MAIN(SaveFaultTest)
#include "save_fault_test.moc"
