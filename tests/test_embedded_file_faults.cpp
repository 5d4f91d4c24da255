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
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// A seeded file, closed (its write-ahead log folded in), then damaged.
bool makeDamaged(const QString &path, Damage damage)
{
    if (damage == OtherProgram) {
        embedded::Database db;
        std::string error;
        return db.open(path.toStdString(), error) && db.exec("CREATE TABLE notes (text)");
    }
    {
        EmbeddedNetworkManagement seeded(path.toStdString());
        embedded::Database &db = seeded.store().db();
        if (damage == NewerVersion && !db.setUserVersion(embedded::schemaVersion() + 1))
            return false;
    }
    QByteArray bytes = readAll(path);
    if (bytes.size() < 64 * 1024)
        return false;
    switch (damage) {
    case CutInHalf: return writeAll(path, bytes.left(bytes.size() / 2));
    case RandomBytes: return writeAll(path, randomBytes(int(bytes.size())));
    case TextFile: return writeAll(path, QByteArray("[Settings]\nLastDomain=SALES\n").repeated(99));
    case PageOverwritten:
        bytes.replace(8 * 4096, 4096, randomBytes(4096));
        return writeAll(path, bytes);
    default: return true;
    }
}

std::vector<std::string> userNames(NetworkManagement &net)
{
    std::vector<std::string> names;
    uint32_t index = 0;
    NetStatus status = status::MoreData;
    while (status == status::MoreData) {
        std::vector<NetDisplayRecord> records;
        uint32_t returned = 0;
        status = net.NetQueryDisplayInformation(Pdc, 1, index, 100, 128000, returned, records);
        for (const auto &record : records)
            names.push_back(record.name + "#" + std::to_string(record.id));
        if (!records.empty())
            index = records.back().nextIndex;
    }
    return names;
}

// One writer process: waits for the go file, then interleaves adds and
// deletes of its own names ("<stem>u<i>") with names the other writer uses
// too: "keep<i>" (added by both, kept) and "flip<i>" (added by both, and
// deleted by both one round later). Prints one line per call: kind, name,
// status; then the first and last moments in milliseconds.
int runWriter(const std::string &path, const std::string &stem, const QString &go)
{
    EmbeddedNetworkManagement net(path);
    if (!net.isOpen())
        return 1;
    while (!QFile::exists(go))
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
    for (int i = 0; i < Rounds; ++i) {
        const std::string n = std::to_string(i);
        add(stem + "u" + n);
        add("keep" + n);
        add("flip" + n);
        if (i > 0)
            remove("flip" + std::to_string(i - 1));
        if (i % 2)
            remove(stem + "u" + std::to_string(i - 1));
    }
    remove("flip" + std::to_string(Rounds - 1));
    std::printf("span %lld %lld\n", start, QDateTime::currentMSecsSinceEpoch());
    return 0;
}

struct Call {
    std::string kind;
    std::string name;
    int status = 0;
};

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
        QVERIFY(again.refused());
        UserInfo3 info;
        QCOMPARE(again.NetUserGetInfo(Pdc, "jsmith", 1, info), status::OpenFailed);
        QCOMPARE(readAll(path), before);
    }

    // Creating a file leaves it empty for a moment before the seeding
    // transaction: a process starting then, or after a crash there, must take
    // an empty file as new, as SQLite does.
    void zeroLengthFile_isNewAndSeeded()
    {
        const QString path = m_dir.filePath("empty.sqlite");
        QVERIFY(writeAll(path, {}));
        EmbeddedNetworkManagement net(path.toStdString());
        QVERIFY2(net.isOpen(), net.openError().c_str());
        QVERIFY(net.store().seededHere());
        QVERIFY(userNames(net).size() > 20);
    }

    void twoWritingProcesses_loseNothingAndSeeNoLock()
    {
        const QString path = m_dir.filePath("shared.sqlite");
        EmbeddedNetworkManagement net(path.toStdString());
        QVERIFY(net.isOpen());
        const size_t seeded = userNames(net).size();
        const QString go = m_dir.filePath("go");
        QProcess writers[2];
        const char *stems[2] = {"wa", "wb"};
        for (int i = 0; i < 2; ++i)
            writers[i].start(QCoreApplication::applicationFilePath(),
                             {WriterSwitch, path, stems[i], go});
        for (QProcess &writer : writers)
            QVERIFY(writer.waitForStarted());
        QThread::msleep(300); // both have opened the file and wait
        QVERIFY(writeAll(go, "go"));

        std::vector<Call> calls;
        qint64 firstEnd = 0, lastStart = 0, first = INT64_MAX, last = 0;
        for (QProcess &writer : writers) {
            QVERIFY(writer.waitForFinished(120000));
            QCOMPARE(writer.exitCode(), 0);
            for (const QByteArray &line : writer.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> f = line.split(' ');
                if (f.size() != 3)
                    continue;
                if (f[0] == "span") {
                    lastStart = std::max(lastStart, f[1].toLongLong());
                    firstEnd = firstEnd ? std::min(firstEnd, f[2].toLongLong()) : f[2].toLongLong();
                    first = std::min(first, f[1].toLongLong());
                    last = std::max(last, f[2].toLongLong());
                } else {
                    calls.push_back({f[0].toStdString(), f[1].toStdString(), f[2].toInt()});
                }
            }
        }
        QVERIFY2(lastStart < firstEnd, "the writers did not run at the same time");

        // Per name: successes and the service's statuses for the rest.
        std::map<std::string, std::pair<int, int>> done; // adds, deletes that succeeded
        for (const Call &call : calls) {
            const bool adding = call.kind == "add";
            const bool shared = call.name.rfind("keep", 0) == 0 || call.name.rfind("flip", 0) == 0;
            const int refusal = adding ? status::UserExists : status::UserNotFound;
            QVERIFY2(call.status == status::Success || (shared && call.status == refusal),
                     qPrintable(QString("%1 %2: %3").arg(call.kind.c_str(), call.name.c_str())
                                    .arg(call.status)));
            if (call.status == status::Success)
                ++(adding ? done[call.name].first : done[call.name].second);
        }
        std::set<std::string> expected;
        for (int i = 0; i < Rounds; ++i) {
            const std::string n = std::to_string(i);
            QCOMPARE(done["keep" + n], std::make_pair(1, 0));
            QVERIFY(done["flip" + n].first >= 1);
            QCOMPARE(done["flip" + n].first, done["flip" + n].second);
            expected.insert("keep" + n);
            if (i % 2) {
                expected.insert("wau" + n);
                expected.insert("wbu" + n);
            }
        }
        std::set<std::string> listed;
        std::set<std::string> rids;
        const std::vector<std::string> names = userNames(net);
        for (const std::string &entry : names) {
            const std::string name = entry.substr(0, entry.find('#'));
            rids.insert(entry.substr(entry.find('#')));
            if (name.rfind("keep", 0) == 0 || name.rfind("flip", 0) == 0
                || name.rfind("wau", 0) == 0 || name.rfind("wbu", 0) == 0)
                listed.insert(name);
        }
        QVERIFY(listed == expected);
        QCOMPARE(names.size(), seeded + expected.size());
        QCOMPARE(rids.size(), names.size()); // no relative identifier given twice
        qInfo("%zu calls from two processes in %lld ms, overlapping %lld ms", calls.size(),
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
