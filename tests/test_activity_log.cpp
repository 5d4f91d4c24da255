// The activity log: one CR LF line of ten fields per action, the size warning,
// and "/NOLOG".
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "support/ScriptedSeams.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

using namespace testing_support;

class ActivityLogTest : public QObject {
    Q_OBJECT
private slots:
    void lineHasTenFieldsAndEndsWithCrLf();
    void commasInsideFieldsAreWrittenUnchanged();
    void linesAreAppended();
    void sizeWarning_data();
    void sizeWarning();
    void noLogInAnyCaseWritesNothing_data();
    void noLogInAnyCaseWritesNothing();
    void unopenableLogLosesTheLineSilently();
    void lineBreaksInsideAFieldNeverSplitTheRecord();
    void fileExists();
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeBytes(const QString &path, qint64 size)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QByteArray(size, 'x'));
}

QString expectedStamp(const QDateTime &time)
{
    const QLocale locale;
    return locale.toString(time.date(), QLocale::ShortFormat) + ' ' +
           locale.toString(time.time(), QLocale::LongFormat);
}

} // namespace

void ActivityLogTest::lineHasTenFieldsAndEndsWithCrLf()
{
    TestPlatform platform;
    ScriptedSeams seams;
    Write_Log("SALES", "NT Add Group", "SALES\\Staff", true, "Sales staff", "", "", "", "");
    const QByteArray expected = (expectedStamp(seams.clock.time) +
                                 ", SALES\\operator, NT Add Group, SALES\\Staff, True, "
                                 "Sales staff, , , , \r\n")
                                    .toUtf8();
    QCOMPARE(readAll(LogFilePath()), expected);
    QCOMPARE(LogFilePath(), platform.path("varnel.log"));
}

void ActivityLogTest::commasInsideFieldsAreWrittenUnchanged()
{
    TestPlatform platform;
    ScriptedSeams seams;
    Write_Log("", "NT Add Group", "ENG\\Build, Test", false, "one, two", "Ünïcode", "", "", "5");
    const QString line = QString::fromUtf8(readAll(LogFilePath()));
    QVERIFY(line.endsWith(", ENG\\Build, Test, False, one, two, Ünïcode, , , 5\r\n"));
}

void ActivityLogTest::linesAreAppended()
{
    TestPlatform platform;
    ScriptedSeams seams;
    Write_Log("", "A", "O1", true, "", "", "", "", "");
    Write_Log("", "B", "O2", false, "", "", "", "", "");
    const QList<QByteArray> lines = readAll(LogFilePath()).split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].contains(", A, O1, True"));
    QVERIFY(lines[1].contains(", B, O2, False"));
    QVERIFY(lines[2].isEmpty());
}

void ActivityLogTest::sizeWarning_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("warned");
    QTest::newRow("exactly 1,000,000 bytes") << qint64(1000000) << false;
    QTest::newRow("1,000,001 bytes") << qint64(1000001) << true;
}

void ActivityLogTest::sizeWarning()
{
    TestPlatform platform;
    ScriptedSeams seams;
    QFETCH(qint64, size);
    QFETCH(bool, warned);
    writeBytes(LogFilePath(), size);
    Write_Log("", "NT Add Group", "X\\Y", true, "", "", "", "", "");
    QCOMPARE(seams.messageBox.shown.size(), warned ? 1 : 0);
    if (warned) {
        const ShownBox &box = seams.messageBox.shown.first();
        QCOMPARE(box.text, "WARNING: Log file too large.  Back it up and delete.\n\n" + LogFilePath());
        QCOMPARE(box.title, "Varnel : Max File Size");
        QCOMPARE(box.icon, seams::Exclamation);
    }
    // The line is appended either way, and nothing is truncated.
    const QByteArray content = readAll(LogFilePath());
    QVERIFY(content.size() > size);
    QVERIFY(content.endsWith(", NT Add Group, X\\Y, True, , , , , \r\n"));
}

void ActivityLogTest::noLogInAnyCaseWritesNothing_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("upper case") << "/NOLOG";
    QTest::newRow("lower case") << "/nolog";
    QTest::newRow("among others") << "/REUSE /NoLog /V";
}

void ActivityLogTest::noLogInAnyCaseWritesNothing()
{
    TestPlatform platform;
    ScriptedSeams seams;
    QFETCH(QString, commandLine);
    appContext().CommandLine = commandLine;
    writeBytes(LogFilePath(), 2000000);
    Write_Log("", "NT Add Group", "X\\Y", true, "", "", "", "", "");
    QCOMPARE(QFileInfo(LogFilePath()).size(), qint64(2000000));
    QVERIFY(seams.messageBox.shown.isEmpty()); // not even the size check
}

void ActivityLogTest::unopenableLogLosesTheLineSilently()
{
    TestPlatform platform;
    ScriptedSeams seams;
    QDir().mkpath(LogFilePath()); // a folder where the file should be
    Write_Log("", "NT Add Group", "X\\Y", true, "", "", "", "", "");
    QVERIFY(seams.messageBox.shown.isEmpty());
    QVERIFY(QFileInfo(LogFilePath()).isDir());
}

void ActivityLogTest::lineBreaksInsideAFieldNeverSplitTheRecord()
{
    TestPlatform platform;
    ScriptedSeams seams;
    Write_Log("", "NT Add Group", "X\\evil\r\nforged, line", true, "a\nb", "", "", "", "");
    const QByteArray content = readAll(LogFilePath());
    QCOMPARE(content.count('\n'), 1);
    QVERIFY(content.endsWith(", X\\evil  forged, line, True, a b, , , , \r\n"));
}

void ActivityLogTest::fileExists()
{
    TestPlatform platform;
    QVERIFY(!File_Exists(platform.path("missing.txt")));
    writeBytes(platform.path("present.txt"), 0);
    QVERIFY(File_Exists(platform.path("present.txt")));
    QVERIFY(!File_Exists(platform.dir.path()));
}

QTEST_GUILESS_MAIN(ActivityLogTest)
#include "test_activity_log.moc"
