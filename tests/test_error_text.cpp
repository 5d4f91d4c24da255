// Status codes in words: built-in table, then errcodes.ini beside the program.
#include "app/ErrorText.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QTest>

using namespace testing_support;

class ErrorTextTest : public QObject {
    Q_OBJECT
private slots:
    void builtInWords_data();
    void builtInWords();
    void builtInWordsWinOverTheFile();
    void missingFileGivesTheDefault();
    void fileWords_data();
    void fileWords();
    void shippedFileWordsTheStatusesTheBackEndsReturn();
};

namespace {

const QString Default = "Unknown error (perhaps; invalid rights or object not found)";

void writeIni(const TestPlatform &platform, const QByteArray &content)
{
    QFile file(platform.path("errcodes.ini"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

} // namespace

void ErrorTextTest::builtInWords_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("words");
    QTest::newRow("-9") << -9 << "Domain controller not found";
    QTest::newRow("0") << 0 << "SUCCESS";
    QTest::newRow("5") << 5 << "ACCESS DENIED";
    QTest::newRow("53") << 53 << "BAD NETPATH";
    QTest::newRow("1222") << 1222 << "NO NETWORK";
    QTest::newRow("1315") << 1315 << "INVALID ACCOUNT NAME";
    QTest::newRow("1371") << 1371 << "SPECIAL ACCOUNT";
    QTest::newRow("1378") << 1378 << "MEMBER IN ALIAS";
    QTest::newRow("2220") << 2220 << "The group name could not be found";
    QTest::newRow("2221") << 2221 << "The user name could not be found";
    QTest::newRow("2222") << 2222 << "The resource name could not be found";
    QTest::newRow("2223") << 2223 << "The group already exists";
    QTest::newRow("2224") << 2224 << "The user account already exists";
    QTest::newRow("2225") << 2225 << "The resource permission list already exists";
    QTest::newRow("2250") << 2250 << "The network connection could not be found";
}

void ErrorTextTest::builtInWords()
{
    TestPlatform platform;
    QFETCH(int, code);
    QTEST(Get_ErrorText(code), "words");
}

void ErrorTextTest::builtInWordsWinOverTheFile()
{
    TestPlatform platform;
    writeIni(platform, "[Errors Codes]\n2223=Something else\n");
    QCOMPARE(Get_ErrorText(2223), "The group already exists");
}

void ErrorTextTest::missingFileGivesTheDefault()
{
    TestPlatform platform;
    QCOMPARE(Get_ErrorText(2226), Default);
}

void ErrorTextTest::fileWords_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("words");
    QTest::newRow("key present") << QByteArray("[Errors Codes]\n2226=Only on the PDC\n") << 2226
                                 << "Only on the PDC";
    QTest::newRow("empty value gives the default")
        << QByteArray("[Errors Codes]\n2226=\n") << 2226 << Default;
    QTest::newRow("negative key") << QByteArray("[Errors Codes]\n-1=Internal failure\n") << -1
                                  << "Internal failure";
    QTest::newRow("double quotes dropped")
        << QByteArray("[Errors Codes]\n2226=\"  quoted text  \"\n") << 2226 << "  quoted text  ";
    QTest::newRow("single quotes dropped")
        << QByteArray("[Errors Codes]\n2226='quoted'\n") << 2226 << "quoted";
    QTest::newRow("unbalanced quote kept")
        << QByteArray("[Errors Codes]\n2226=\"half\n") << 2226 << "\"half";
    QTest::newRow("semicolon inside a value is kept")
        << QByteArray("[Errors Codes]\n2226=first ; second\n") << 2226 << "first ; second";
    QTest::newRow("first duplicate key wins")
        << QByteArray("[Errors Codes]\n2226=first\n2226=second\n") << 2226 << "first";
    QTest::newRow("section and key ignore case, blanks trimmed")
        << QByteArray("[errors codes]\r\n  2226   =   spaced out   \r\n") << 2226 << "spaced out";
    QTest::newRow("other section not read")
        << QByteArray("[Error Codes]\n2226=wrong section\n") << 2226 << Default;
    QTest::newRow("commented line not read")
        << QByteArray("[Errors Codes]\n;2226=commented\n") << 2226 << Default;
    QTest::newRow("backslashes kept") << QByteArray("[Errors Codes]\n2226=C:\\path\\n\n") << 2226
                                      << "C:\\path\\n";
    QTest::newRow("500-character value cut to 499")
        << QByteArray("[Errors Codes]\n2226=" + QByteArray(500, 'a') + "\n") << 2226
        << QString(499, u'a');
    QTest::newRow("UTF-8 text") << QByteArray("[Errors Codes]\n2226=Fehler: Gruppe ungültig\n")
                                << 2226 << "Fehler: Gruppe ungültig";
}

void ErrorTextTest::fileWords()
{
    TestPlatform platform;
    QFETCH(QByteArray, ini);
    QFETCH(int, code);
    writeIni(platform, ini);
    QTEST(Get_ErrorText(code), "words");
}

void ErrorTextTest::shippedFileWordsTheStatusesTheBackEndsReturn()
{
    TestPlatform platform;
    QFile shipped(QStringLiteral(VARNEL_SOURCE_DIR "/data/errcodes.ini"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    writeIni(platform, shipped.readAll());
    for (int code : {-1, 31, 50, 124, 1326, 2245, 2453})
        QVERIFY2(Get_ErrorText(code) != Default, qPrintable(QString::number(code)));
}

QTEST_GUILESS_MAIN(ErrorTextTest)
#include "test_error_text.moc"
