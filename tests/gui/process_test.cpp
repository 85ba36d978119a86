// The program as a whole process: how it ends, with which status, and where it starts.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exit_code = -1;
    QString output;
    QString errors;
};

Run run_probe(QString const& steps, QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
              QString const& folder = QDir::tempPath(), QStringList const& arguments = {})
{
    environment.insert(QStringLiteral("BRISVALE_PROBE"), steps);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(BRISVALE_PROBE_PATH), arguments);
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString const ReleaseLine = QStringLiteral("release routine called\n");

} // namespace

class ProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void endsWithStatusZeroAndReleasesOnce_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("Close button") << "click:按钮2" << QStringList{};
        QTest::newRow("Close button clicked twice") << "click:按钮2;click:按钮2" << QStringList{};
        QTest::newRow("close box, roster unsaved") << "set:编辑框1=张三;click:按钮1;close" << QStringList{};
        QTest::newRow("command line ignored") << "click:按钮2" << QStringList{"--help", "roster.txt"};
    }
    void endsWithStatusZeroAndReleasesOnce()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, arguments);
        Run const run = run_probe(steps, QProcessEnvironment::systemEnvironment(), QDir::tempPath(), arguments);
        QCOMPARE(run.exit_code, 0);
        QCOMPARE(run.output.count(ReleaseLine), 1);
        QVERIFY2(!run.output.contains(QStringLiteral("box:")), qPrintable(run.output)); // nothing asked
    }

    void startsInTheProgramFolder()
    {
        QTemporaryDir elsewhere;
        Run const run =
            run_probe(QStringLiteral("cwd;click:按钮2"), QProcessEnvironment::systemEnvironment(), elsewhere.path());
        QString const program_folder = QFileInfo(QStringLiteral(BRISVALE_PROBE_PATH)).canonicalPath();
        QVERIFY2(run.output.contains(QStringLiteral("cwd: ") + program_folder + u'\n'), qPrintable(run.output));
    }

    // A request the heap cannot meet, inside a handler: the error box names the byte count, the process ends
    // with -1 (255 to the parent) and the release routine is never called.
    void failedAllocationEndsThroughTheErrorBox_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("failFrom");
        QTest::addColumn<QString>("message");
        QString const name(5000, u'n');
        QTest::newRow("reading the name box") << QStringLiteral("set:编辑框1=%1;click:按钮1").arg(name) << "5000"
                                              << "分配 5001 字节内存失败!";
        QTest::newRow("operator new inside an event") << "huge_new"
                                                      << ""
                                                      << "分配 4611686018427387904 字节内存失败!";
        QTest::newRow("size unknown inside the toolkit") << "bad_alloc"
                                                         << ""
                                                         << "分配内存失败!";
    }
    void failedAllocationEndsThroughTheErrorBox()
    {
        QFETCH(QString, steps);
        QFETCH(QString, failFrom);
        QFETCH(QString, message);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!failFrom.isEmpty())
            environment.insert(QStringLiteral("BRISVALE_FAIL_REQUESTS_FROM"), failFrom);
        Run const run = run_probe(steps, environment);
        QCOMPARE(run.exit_code, 255);
        QVERIFY2(run.output.contains(QStringLiteral("box: 错误 | 3 | ") + message + u'\n'), qPrintable(run.output));
        QVERIFY(run.errors.contains(message));
        QVERIFY(!run.output.contains(ReleaseLine));
    }

    // The roster is written from where the box keeps it: a heap that refuses every block as large as a roster of
    // a hundred people cannot stop their save.
    void aSaveNeedsNoCopyOfTheRoster()
    {
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("BRISVALE_FAIL_REQUESTS_FROM"), QStringLiteral("1000"));
        QString const clicks = QStringLiteral("click:按钮1;").repeated(100);
        Run const run = run_probe(
            clicks + QStringLiteral("save:%1;click:按钮2").arg(folder.filePath(QStringLiteral("roster"))), environment);
        QCOMPARE(run.exit_code, 0);
        QVERIFY2(!run.output.contains(QStringLiteral("box:")), qPrintable(run.output));
        QFile file(folder.filePath(QStringLiteral("roster.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray const saved = file.readAll();
        QCOMPARE(saved.count("\r\n"), 100);
        QVERIFY(saved.size() > 1000);
    }

    // Two copies of the program saving to one file: whenever anyone looks, it is one whole roster or the other.
    void twoCopiesSavingOneFileNeverMix()
    {
        QTemporaryDir folder;
        QString const target = folder.filePath(QStringLiteral("shared.txt"));
        // Each roster travels in an environment variable, which holds at most 128 KiB.
        QByteArray const rosters[] = {QByteArray(60'000, 'a'), QByteArray(40'000, 'b')};
        QString steps[2];
        for (int copy = 0; copy < 2; ++copy) {
            steps[copy] = QStringLiteral("set:编辑框3=") + QString::fromLatin1(rosters[copy]);
            for (int save = 0; save < 15; ++save)
                steps[copy] += QStringLiteral(";save:") + folder.filePath(QStringLiteral("shared"));
            steps[copy] += QStringLiteral(";click:按钮2");
        }
        QProcess copies[2];
        for (int copy = 0; copy < 2; ++copy) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("BRISVALE_PROBE"), steps[copy]);
            environment.insert(QStringLiteral("BRISVALE_PROBE_ANSWER"), QStringLiteral("yes"));
            copies[copy].setProcessEnvironment(environment);
            copies[copy].start(QStringLiteral(BRISVALE_PROBE_PATH), {});
        }
        int looks = 0;
        while (copies[0].state() != QProcess::NotRunning || copies[1].state() != QProcess::NotRunning) {
            QFile file(target);
            if (file.open(QIODevice::ReadOnly)) {
                QByteArray const seen = file.readAll();
                QVERIFY2(seen == rosters[0] || seen == rosters[1], qPrintable(QString::number(seen.size())));
                ++looks;
            }
            copies[0].waitForFinished(5);
            copies[1].waitForFinished(5);
        }
        for (QProcess& copy : copies)
            QVERIFY2(copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0,
                     copy.readAllStandardOutput().right(500).constData());
        QVERIFY(looks > 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("shared.txt")});
    }

    void withoutAnyDisplayItSaysSoAndEnds()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        Run const run = run_probe(QString(), environment);
        QCOMPARE(run.exit_code, 255);
        QVERIFY2(run.errors.contains(QStringLiteral("载入启动窗口失败")), qPrintable(run.errors));
        QVERIFY(!run.output.contains(ReleaseLine));
    }
};

QTEST_GUILESS_MAIN(ProcessTest)
#include "process_test.moc"
