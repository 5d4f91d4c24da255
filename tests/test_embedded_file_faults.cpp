// The embedded directory file under faults from outside: a file damaged
// between two runs is refused and left byte for byte as it was, and two
// processes writing to one file at once lose nothing and never see a lock.
#include "platform/netapi/BackendSelection.h"
#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/Schema.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <map>
#include <set>

using namespace platform;
using embedded::EmbeddedNetworkManagement;

namespace {

const std::string Pdc = "\\\\HQDC01";
constexpr char WriterSwitch[] = "--embedded-writer";
constexpr int Rounds = 100;

enum Damage { CutInHalf, RandomBytes, TextFile, PageOverwritten, NewerVersion, OtherProgram };

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// A seeded file, closed (its write-ahead log folded in), then damaged.
bool makeDamaged(const QString &path, Damage damage)
{
    embedded::Database db;
    std::string error;
    if (damage == OtherProgram)
        return db.open(path.toStdString(), error) && db.exec("CREATE TABLE notes (text)");
    EmbeddedNetworkManagement(path.toStdString());
    if (damage == NewerVersion)
        return db.open(path.toStdString(), error)
            && db.setUserVersion(embedded::schemaVersion() + 1);
    QByteArray bytes = readAll(path);
    if (damage == CutInHalf)
        bytes.truncate(bytes.size() / 2);
    else if (damage == RandomBytes)
        bytes = randomBytes(bytes.size());
    else if (damage == TextFile)
        bytes = QByteArray("[Settings]\nLastDomain=SALES\n").repeated(99);
    else
        bytes.replace(8 * 4096, 4096, randomBytes(4096));
    return writeAll(path, bytes);
}

// Every user at the head office's controller, with its relative identifier.
std::map<std::string, uint32_t> users(NetworkManagement &net)
{
    std::map<std::string, uint32_t> found;
    uint32_t index = 0, returned = 0;
    NetStatus status = status::MoreData;
    while (status == status::MoreData) {
        std::vector<NetDisplayRecord> records;
        status = net.NetQueryDisplayInformation(Pdc, 1, index, 100, 128000, returned, records);
        for (const auto &record : records)
            found[record.name] = record.id;
        index = records.empty() ? index : records.back().nextIndex;
    }
    return found;
}

// One writer process: waits for the go file, then interleaves adds and
// deletes of its own names (<stem><i>) with names the other writer uses too:
// keep<i> (both add it) and flip<i> (both add it, and delete it a round
// later). Prints "add|del name status" per call, then "span first last".
int runWriter(const std::string &path, const std::string &stem, const QString &go)
{
    EmbeddedNetworkManagement net(path);
    while (net.isOpen() && !QFile::exists(go))
        QThread::usleep(200);
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    auto add = [&](const std::string &name) {
        UserInfo3 info;
        info.name = name;
        info.password = "Writer#Pw42";
        std::printf("add %s %d\n", name.c_str(), int(net.NetUserAdd(Pdc, 1, info, nullptr)));
    };
    auto remove = [&](const std::string &name) {
        std::printf("del %s %d\n", name.c_str(), int(net.NetUserDel(Pdc, name)));
    };
    for (int i = 0; i <= Rounds; ++i) {
        const std::string n = std::to_string(i), before = std::to_string(i - 1);
        if (i < Rounds) {
            add(stem + n);
            add("keep" + n);
            add("flip" + n);
        }
        if (i > 0)
            remove("flip" + before);
        if (i % 2)
            remove(stem + before);
    }
    std::printf("span %lld %lld\n", start, QDateTime::currentMSecsSinceEpoch());
    return net.isOpen() ? 0 : 1;
}

} // namespace

class EmbeddedFileFaultsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void damagedFile_isRefusedAndLeftAsItWas_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("problem");
        QTest::newRow("cut in half") << int(CutInHalf) << "is damaged";
        QTest::newRow("random bytes") << int(RandomBytes) << "is not a Varnel directory";
        QTest::newRow("a text file") << int(TextFile) << "is not a Varnel directory";
        QTest::newRow("a page overwritten") << int(PageOverwritten) << "is damaged";
        QTest::newRow("a newer version") << int(NewerVersion) << "newer Varnel";
        QTest::newRow("another program's") << int(OtherProgram) << "another program's tables";
    }

    void damagedFile_isRefusedAndLeftAsItWas()
    {
        QFETCH(int, damage);
        QFETCH(QString, problem);
        const QString path = m_dir.filePath(QString("damaged%1.sqlite").arg(damage));
        QVERIFY(makeDamaged(path, Damage(damage)));
        const QByteArray before = readAll(path);

        qunsetenv("VARNEL_DIRECTORY");
        qputenv("VARNEL_EMBEDDED_DB", path.toUtf8());
        const auto selection = netapi::selectNetworkManagement({});
        QVERIFY(!selection.net);
        QVERIFY2(selection.error.contains(path) && selection.error.contains(problem),
                 qPrintable(selection.error));
        EmbeddedNetworkManagement again(path.toStdString());
        UserInfo3 info;
        QCOMPARE(again.NetUserGetInfo(Pdc, "jsmith", 1, info), status::OpenFailed);
        QCOMPARE(readAll(path), before);
    }

    // Creating a file leaves it empty until the seeding transaction: a
    // process starting then, or after a crash there, takes it as new.
    void zeroLengthFile_isNewAndSeeded()
    {
        const QString path = m_dir.filePath("empty.sqlite");
        QVERIFY(writeAll(path, {}));
        EmbeddedNetworkManagement net(path.toStdString());
        QVERIFY(net.store().seededHere());
        QVERIFY(users(net).count("jsmith"));
    }

    void twoWritingProcesses_loseNothingAndSeeNoLock()
    {
        const QString path = m_dir.filePath("shared.sqlite"), go = m_dir.filePath("go");
        EmbeddedNetworkManagement net(path.toStdString());
        const size_t seeded = users(net).size();
        QProcess writers[2];
        for (const char *stem : {"wa", "wb"})
            writers[stem[1] - 'a'].start(QCoreApplication::applicationFilePath(),
                                         {WriterSwitch, path, stem, go});
        QThread::msleep(500); // both have opened the file and wait
        QVERIFY(writeAll(go, "go"));

        std::map<std::string, std::pair<int, int>> succeeded; // adds, deletes
        qint64 first = INT64_MAX, lastStart = 0, firstEnd = INT64_MAX, last = 0;
        int calls = 0;
        for (QProcess &writer : writers) {
            QVERIFY(writer.waitForFinished(120000) && writer.exitCode() == 0);
            for (const QByteArray &line : writer.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> f = line.split(' ');
                if (f[0] == "span") {
                    first = std::min(first, f[1].toLongLong());
                    lastStart = std::max(lastStart, f[1].toLongLong());
                    firstEnd = std::min(firstEnd, f[2].toLongLong());
                    last = std::max(last, f[2].toLongLong());
                } else if (f.size() == 3) {
                    ++calls;
                    const bool add = f[0] == "add", own = f[1].startsWith('w');
                    const int status = f[2].toInt();
                    const int refusal = add ? status::UserExists : status::UserNotFound;
                    QVERIFY2(status == 0 || (!own && status == refusal), line.constData());
                    if (status == 0)
                        ++(add ? succeeded[f[1].toStdString()].first
                               : succeeded[f[1].toStdString()].second);
                }
            }
        }
        QVERIFY2(lastStart < firstEnd, "the two writers did not run at the same time");

        const std::map<std::string, uint32_t> now = users(net);
        std::set<uint32_t> rids;
        for (const auto &[name, rid] : now)
            rids.insert(rid);
        QCOMPARE(rids.size(), now.size()); // no relative identifier given twice
        QCOMPARE(now.size(), seeded + 2 * Rounds);
        for (int i = 0; i < Rounds; ++i) {
            const std::string n = std::to_string(i);
            QCOMPARE(succeeded["keep" + n], std::make_pair(1, 0));
            QVERIFY(now.count("keep" + n) && !now.count("flip" + n));
            QVERIFY(succeeded["flip" + n].first >= 1);
            QCOMPARE(succeeded["flip" + n].first, succeeded["flip" + n].second);
            QCOMPARE(int(now.count("wa" + n) + now.count("wb" + n)), i % 2 ? 2 : 0);
        }
        qInfo("%d calls from two processes in %lld ms, overlapping %lld ms", calls,
              last - first, firstEnd - lastStart);
    }
};

int main(int argc, char **argv)
{
    if (argc == 5 && std::string(argv[1]) == WriterSwitch)
        return runWriter(argv[2], argv[3], QString::fromLocal8Bit(argv[4]));
    QCoreApplication app(argc, argv);
    EmbeddedFileFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_embedded_file_faults.moc"
