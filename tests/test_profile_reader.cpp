// Reading initialisation files as GetPrivateProfileString does.
#include "platform/linux/ProfileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class ProfileReaderTest : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void missingFileGivesTheDefault();
};

void ProfileReaderTest::reads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("buffer");
    QTest::addColumn<QString>("value");
    const QByteArray file = "[One]\nk=one\n[Two]\nK = two ; not a comment \n[one]\nk=again\n";
    QTest::newRow("first section") << file << "one" << "k" << 500 << "one";
    QTest::newRow("second section, key case") << file << "TWO" << "k" << 500
                                              << "two ; not a comment";
    QTest::newRow("missing key") << file << "Two" << "x" << 500 << "<default>";
    QTest::newRow("missing section") << file << "Three" << "k" << 500 << "<default>";
    QTest::newRow("buffer cuts") << file << "Two" << "k" << 4 << "two";
    QTest::newRow("line without equals ignored")
        << QByteArray("[S]\nnoequals\nk=v\n") << "S" << "k" << 500 << "v";
    QTest::newRow("empty value is empty, not default")
        << QByteArray("[S]\nk=\n") << "S" << "k" << 500 << "";
    QTest::newRow("key before any section is not in a section")
        << QByteArray("k=v\n[S]\n") << "S" << "k" << 500 << "<default>";
    QTest::newRow("equals inside the value")
        << QByteArray("[S]\nk=a=b\n") << "S" << "k" << 500 << "a=b";
}

void ProfileReaderTest::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, buffer);
    QTemporaryDir dir;
    const QString path = dir.filePath("test.ini");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();
    QTEST(platform::readProfileString(section, key, "<default>", path, buffer), "value");
}

void ProfileReaderTest::missingFileGivesTheDefault()
{
    QCOMPARE(platform::readProfileString("S", "k", "dflt", "/nonexistent/x.ini", 500), "dflt");
}

QTEST_GUILESS_MAIN(ProfileReaderTest)
#include "test_profile_reader.moc"
