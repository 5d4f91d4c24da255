// The real program, started as the account search starts its copies: no
// display, QT_QPA_PLATFORM=none, a fresh embedded directory file. Its work
// files must hold exactly what the directory lists.
#include "platform/NetworkManagement.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace {

const QString Program = QStringLiteral(VARNEL_EXECUTABLE);

struct Run {
    int exitCode = -1;
    QByteArray standardError;
};

// The names the directory lists itself, in its order.
QStringList domainsOf(platform::NetworkManagement &net)
{
    std::vector<platform::ServerInfo101> buffer;
    uint32_t read = 0, total = 0, resume = 0;
    net.NetServerEnum("", 100, buffer, platform::MaxPreferredLength, read, total,
                      platform::svtype::DomainEnum, "", resume);
    QStringList names;
    for (const auto &info : buffer)
        names << QString::fromStdString(info.name);
    return names;
}

QStringList usersOf(platform::NetworkManagement &net, const QString &domain)
{
    std::string controller;
    if (net.NetGetDCName("", domain.toStdString(), controller) != 0)
        return {};
    QStringList names;
    uint32_t index = 0;
    for (;;) {
        std::vector<platform::NetDisplayRecord> buffer;
        uint32_t returned = 0;
        const auto status =
            net.NetQueryDisplayInformation(controller, 1, index, 1000, 128000, returned, buffer);
        for (const auto &record : buffer)
            names << QString::fromStdString(record.name);
        if (status != platform::status::MoreData || buffer.empty())
            return names;
        index = buffer.back().nextIndex;
    }
}

QByteArray workFileLines(const QStringList &names, const QString &domain)
{
    QByteArray lines;
    for (const QString &name : names)
        lines += (name + ", " + domain + "\r\n").toUtf8();
    return lines;
}

} // namespace

class WindowlessAccountListingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void emptyDomainListsEverySeededDomain();
    void prefixListsTheUsersBeginningWithJInEachDomain();
    void unknownDomainFinishesWithoutAWorkFile();
    void unknownBackEndIsRefusedNamingTheVariable();
    void damagedDirectoryFileEndsTheRunLeavingItAsItWas();

private:
    Run run(const QStringList &arguments, const QString &backEnd = {});
    QString workFile(const QString &domain) const;

    QTemporaryDir m_dir;
    QString m_database;
    QString m_folder;
    QStringList m_written;
};

void WindowlessAccountListingTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo::exists(Program));
    m_database = m_dir.filePath("directory.sqlite");
    // Work files go beside the program when its folder is writable, else to
    // the per-user data folder.
    const QString beside = QFileInfo(Program).absolutePath();
    m_folder = QFileInfo(beside).isWritable() ? beside : m_dir.filePath("data/varnel");
}

void WindowlessAccountListingTest::cleanup()
{
    for (const QString &path : std::as_const(m_written))
        QFile::remove(path);
    m_written.clear();
}

Run WindowlessAccountListingTest::run(const QStringList &arguments, const QString &backEnd)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("VARNEL_DIRECTORY");
    if (!backEnd.isEmpty())
        environment.insert("VARNEL_DIRECTORY", backEnd);
    environment.insert("QT_QPA_PLATFORM", "none");
    environment.insert("VARNEL_EMBEDDED_DB", m_database);
    environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(Program, arguments);
    Run result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardError = process.readAllStandardError();
    return result;
}

QString WindowlessAccountListingTest::workFile(const QString &domain) const
{
    return QDir(m_folder).filePath(domain + "%.tmp");
}

void WindowlessAccountListingTest::emptyDomainListsEverySeededDomain()
{
    m_written << workFile("");
    // A fresh file: the program creates and seeds it.
    QVERIFY(!QFile::exists(m_database));
    const Run listing = run({"/DOMAIN= /TYPE=6 /CRITERIA=*"});
    QCOMPARE(listing.exitCode, 0);
    platform::embedded::EmbeddedNetworkManagement net(m_database.toStdString());
    QVERIFY(net.isOpen());
    const QStringList domains = domainsOf(net);
    QVERIFY(domains.size() >= 3);
    QFile file(workFile(""));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), workFileLines(domains, ""));
}

void WindowlessAccountListingTest::prefixListsTheUsersBeginningWithJInEachDomain()
{
    platform::embedded::EmbeddedNetworkManagement net(m_database.toStdString());
    QVERIFY(net.isOpen());
    const QStringList domains = domainsOf(net);
    QVERIFY(!domains.isEmpty());
    for (const QString &domain : domains) {
        m_written << workFile(domain);
        const Run listing = run({"/DOMAIN=" + domain, "/TYPE=0", "/CRITERIA=J*"});
        QCOMPARE(listing.exitCode, 0);
        QStringList expected;
        for (const QString &name : usersOf(net, domain)) {
            if (name.startsWith(u'J') || name.startsWith(u'j'))
                expected << name;
        }
        QVERIFY2(!expected.isEmpty(), qPrintable(domain + " has no user beginning with J"));
        QFile file(workFile(domain));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(workFile(domain)));
        QCOMPARE(file.readAll(), workFileLines(expected, domain));
    }
}

void WindowlessAccountListingTest::unknownDomainFinishesWithoutAWorkFile()
{
    m_written << workFile("NOSUCHDOMAIN");
    const Run listing = run({"/DOMAIN=NOSUCHDOMAIN", "/TYPE=0", "/CRITERIA=*"});
    QCOMPARE(listing.exitCode, 0);
    QVERIFY(!QFile::exists(workFile("NOSUCHDOMAIN")));
}

void WindowlessAccountListingTest::unknownBackEndIsRefusedNamingTheVariable()
{
    m_written << workFile("HEADOFFICE");
    QFile::remove(workFile("HEADOFFICE"));
    const Run listing = run({"/DOMAIN=HEADOFFICE /TYPE=0 /CRITERIA=*"}, "ldap");
    QCOMPARE(listing.exitCode, 2);
    QVERIFY(listing.standardError.contains("VARNEL_DIRECTORY"));
    QVERIFY(!QFile::exists(workFile("HEADOFFICE")));
}

void WindowlessAccountListingTest::damagedDirectoryFileEndsTheRunLeavingItAsItWas()
{
    const QString damaged = m_dir.filePath("damaged.sqlite");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("LastDomain=SALES\n") > 0);
    file.close();
    m_written << workFile("HEADOFFICE");
    QFile::remove(workFile("HEADOFFICE"));
    const QString kept = std::exchange(m_database, damaged);
    const Run listing = run({"/DOMAIN=HEADOFFICE /TYPE=0 /CRITERIA=*"});
    m_database = kept;
    QCOMPARE(listing.exitCode, 2);
    QVERIFY2(listing.standardError.contains(damaged.toUtf8() + " cannot be used: it is not a "
                                            "Varnel directory"),
             listing.standardError.constData());
    QVERIFY(!QFile::exists(workFile("HEADOFFICE")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("LastDomain=SALES\n"));
}

QTEST_GUILESS_MAIN(WindowlessAccountListingTest)
#include "test_windowless_account_listing.moc"
