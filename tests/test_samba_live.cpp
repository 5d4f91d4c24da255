// The program against a live Samba AD DC on its own test host (run through
// scripts/samba-dc.sh exec): what the directory layer and the windows rely on
// beyond the network-management suite. The domain list ends with the DC's
// domain, the log names the identity used on the wire, a soft delete passes a
// domain that enforces complexity, the connection failures have their own
// statuses, and the windowless listing writes exactly the users the DC lists.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ListControl.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/TrustedDomains.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxSecurityLogon.h"
#include "platform/netapi/BackendSelection.h"
#include "platform/netapi/samba/SambaNetworkManagement.h"
#include "support/TestPlatform.h"
#include "tests/netapi/SambaTarget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#include <QSet>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using testing_support::TestPlatform;

namespace {

const QString Program = QStringLiteral(VARNEL_EXECUTABLE);

QString dcDomain()
{
    return qEnvironmentVariable("VARNEL_DC_DOMAIN");
}

QString trustedDomain()
{
    return qEnvironmentVariable("VARNEL_DC2_DOMAIN");
}

QString dcServer()
{
    return QStringLiteral("\\\\") + qEnvironmentVariable("VARNEL_DC_NAME");
}

// Sets (or, with nullopt, unsets) one variable for a scope.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const std::optional<QByteArray> &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// A back end of its own, started with the environment as it stands.
std::unique_ptr<platform::samba::SambaNetworkManagement> freshBackEnd(platform::NetStatus &init)
{
    auto net = std::make_unique<platform::samba::SambaNetworkManagement>();
    init = net->initialise();
    return net;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    return file.fileName();
}

// The TCP connections of this host (the tests' namespace) to the DC's port,
// as "local port" keys, from the kernel's table: open ones and those this
// side closed (TIME_WAIT), so that a short probe is seen too.
QSet<QString> connectionsTo(const QString &address, uint16_t port)
{
    const QStringList quad = address.split(u'.');
    QString wanted;
    for (int i = 3; i >= 0; --i)
        wanted += QStringLiteral("%1").arg(quad.value(i).toUInt(), 2, 16, QChar(u'0'));
    wanted = (wanted + QStringLiteral(":%1").arg(port, 4, 16, QChar(u'0'))).toUpper();
    QSet<QString> found;
    QFile table(QStringLiteral("/proc/self/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return found;
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(u' ');
        if (fields.size() > 3 && fields[2] == wanted)
            found.insert(fields[1]);
    }
    return found;
}

// Samples the connections to the DC while work runs on this thread.
class ConnectionWatch {
public:
    ConnectionWatch(const QString &address, uint16_t port)
        : m_before(connectionsTo(address, port))
    {
        m_thread = std::thread([this, address, port] {
            while (!m_stop) {
                const QSet<QString> now = connectionsTo(address, port);
                std::lock_guard<std::mutex> lock(m_mutex);
                m_seen.unite(now);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~ConnectionWatch() { stop(); }
    // The connections opened since the watch began.
    int opened(const QString &address, uint16_t port)
    {
        stop();
        m_seen.unite(connectionsTo(address, port));
        return int(m_seen.subtract(m_before).size());
    }

private:
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    QSet<QString> m_before;
    QSet<QString> m_seen;
    std::mutex m_mutex;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

QStringList sortedUpper(QStringList names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.toUpper() < b.toUpper(); });
    return names;
}

} // namespace

class SambaLiveTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void domainList_endsWithTheControllersDomain();
    void localAccounts_onlyWhereThisHostServesSmb_data();
    void localAccounts_onlyWhereThisHostServesSmb();
    void trustedDomainAccounts_areReadAtItsController();
    void loggedAction_namesTheWireIdentity();
    void softDelete_succeedsWithComplexityOn();
    void unreachableServer_is53_withinSixSeconds();
    void refusedPassword_is1326();
    void missingClientConfiguration_is31();
    void noCredentials_is1326();
    void ordinaryUser_isRefusedWrites_with5();
    void kerberosTicket_isTheIdentity_withoutAnAuthenticationFile();
    void windowlessListing_writesExactlyTheUsersTheDcLists_data();
    void windowlessListing_writesExactlyTheUsersTheDcLists();
    void listingAndReads_openOneSmbSessionToTheDc();

private:
    platform::netapi::BackendSelection m_selection;
    QTemporaryDir m_dir;
};

void SambaLiveTest::initTestCase()
{
    QVERIFY2(!dcDomain().isEmpty(), "run through scripts/samba-dc.sh exec");
    QVERIFY(m_dir.isValid());
    ScopedVariable backEnd("VARNEL_DIRECTORY", QByteArray("samba"));
    m_selection = platform::netapi::selectNetworkManagement([] { return QDateTime(); });
    QVERIFY2(m_selection.net, qPrintable(m_selection.error));
    QVERIFY2(m_selection.warning.isEmpty(), qPrintable(m_selection.warning));
}

void SambaLiveTest::domainList_endsWithTheControllersDomain()
{
    TestPlatform doubles;
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    platform::install(families);
    // What a task window does on load, then what its domain box shows.
    Get_TrustedDomains(appContext().DomainList);
    StringListControl list;
    Load_DomainList(list, true);
    // The tests' host runs no SMB server: no "\\My Computer" to search.
    QVERIFY(list.count() >= 1);
    QCOMPARE(list.item(list.count() - 1), dcDomain());
    if (!trustedDomain().isEmpty())
        QVERIFY(list.items().contains(trustedDomain()));
}

void SambaLiveTest::localAccounts_onlyWhereThisHostServesSmb_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("no SMB server on this host") << false;
    QTest::newRow("an SMB port answers on this host") << true;
}

void SambaLiveTest::localAccounts_onlyWhereThisHostServesSmb()
{
    QFETCH(bool, listening);
    // The tests' host is a network namespace of its own, so port 445 is free.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QVERIFY(fd >= 0);
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    if (listening) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(445);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(fd, 4) == 0);
    }
    TestPlatform doubles;
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    platform::install(families);
    QCOMPARE(m_selection.net->hasLocalAccountDatabase(), listening);
    StringListControl list;
    Load_DomainList(list, true);
    QCOMPARE(list.items().contains(MyComputer), listening);
}

// A user of the trusted domain only, found in its own listing at its
// controller (located through this host's DC, reached as this domain's
// administrator), is known there and unknown here.
void SambaLiveTest::trustedDomainAccounts_areReadAtItsController()
{
    if (trustedDomain().isEmpty())
        QSKIP("the test network was started without --trust: one domain only");
    TestPlatform doubles;
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    platform::install(families);
    std::string trustedDc;
    QCOMPARE(m_selection.net->NetGetDCName({}, trustedDomain().toStdString(), trustedDc),
             platform::status::Success);
    QCOMPARE(QString::fromStdString(trustedDc).toUpper(),
             QStringLiteral("\\\\") + qEnvironmentVariable("VARNEL_DC2_NAME"));
    std::vector<platform::NetDisplayRecord> records;
    uint32_t returned = 0;
    const platform::NetStatus listed = m_selection.net->NetQueryDisplayInformation(
        trustedDc, 1, 0, 50, platform::MaxPreferredLength, returned, records);
    QVERIFY(listed == platform::status::Success || listed == platform::status::MoreData);
    QString onlyThere;
    uint32_t rid = 0;
    for (const platform::NetDisplayRecord &record : records) {
        QString name = QString::fromStdString(record.name);
        if (Check_Account(name, dcDomain(), 0, false) == 2221) {
            onlyThere = name;
            rid = record.id;
            break;
        }
    }
    QVERIFY2(!onlyThere.isEmpty(), "no user of the trusted domain alone among the first 50");
    QCOMPARE(Check_Account(onlyThere, trustedDomain(), 0, false), 0);
    QString shared = qEnvironmentVariable("VARNEL_DC_SHARED_USER");
    QCOMPARE(Check_Account(shared, trustedDomain(), 0, false), 0);
    QCOMPARE(Check_Account(shared, dcDomain(), 0, false), 0);

    QVariantList items;
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    QCOMPARE(Get_AccountInfo(onlyThere, trustedDomain(), 0, items, false, cannotChange,
                             neverExpires, disabled, lockedOut),
             0);
    QCOMPARE(items.size(), 29);
    QCOMPARE(items.at(0).toString(), onlyThere);
    QCOMPARE(items.at(24).toUInt(), rid);
}

void SambaLiveTest::loggedAction_namesTheWireIdentity()
{
    TestPlatform doubles;
    platform::LinuxSecurityLogon security;
    platform::LinuxSecurityLogon::setDirectoryUserName(m_selection.directoryUserName);
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    families.security = &security;
    platform::install(families);

    QString group = QStringLiteral("vntlog%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000);
    const int32_t added = Execute_Command(QStringLiteral("NT Add Group.01"), group, dcDomain(),
                                          {QVariant(QStringLiteral("logged")), QVariant(false)});
    Write_Log(QString(), QStringLiteral("NT Add Group"), group, added == 0, QString(), QString(),
              QString(), QString(), QString());
    platform::LinuxSecurityLogon::setDirectoryUserName(QString());
    QCOMPARE(added, 0);
    QFile log(LogFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList fields = QString::fromUtf8(log.readAll()).trimmed().split(u'\n').last()
                                   .split(QStringLiteral(", "));
    QVERIFY(fields.size() >= 2);
    QCOMPARE(fields.at(1), dcDomain() + QStringLiteral("\\Administrator"));
    m_selection.net->NetGroupDel(dcServer().toStdString(), group.toStdString());
}

void SambaLiveTest::softDelete_succeedsWithComplexityOn()
{
    TestPlatform doubles;
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    platform::install(families);
    const QString name =
        QStringLiteral("vntsoft%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000);
    platform::UserInfo3 user;
    user.name = name.toStdString();
    user.password = "Varnel#Soft42";
    QCOMPARE(m_selection.net->NetUserAdd(dcServer().toStdString(), 3, user, nullptr), 0);

    QVERIFY(netapi_tests::runOnTestDc({"domain", "passwordsettings", "set", "--complexity=on",
                                       "--min-pwd-length=7"}));
    QString account = name;
    const int32_t result = Execute_Command(QStringLiteral("NT Delete User Account.01"), account,
                                           dcDomain(), {QVariant(u'%' + name)});
    QVERIFY(netapi_tests::runOnTestDc({"domain", "passwordsettings", "set", "--complexity=off",
                                       "--min-pwd-length=0"}));
    QCOMPARE(result, 0);
    platform::UserInfo3 read;
    const std::string renamed = "%" + name.toStdString();
    QCOMPARE(m_selection.net->NetUserGetInfo(dcServer().toStdString(), renamed, 3, read), 0);
    QVERIFY(read.flags & platform::uf::AccountDisable);
    QCOMPARE(read.fullName, std::string("Disabled"));
    m_selection.net->NetUserDel(dcServer().toStdString(), renamed);
}

void SambaLiveTest::unreachableServer_is53_withinSixSeconds()
{
    // An unused address of the tests' own subnet: no one answers there.
    QElapsedTimer timer;
    timer.start();
    platform::UserInfo3 read;
    QCOMPARE(m_selection.net->NetUserGetInfo("\\\\192.0.2.9", "Administrator", 1, read),
             platform::status::BadNetPath);
    QVERIFY2(timer.elapsed() < 6500, qPrintable(QString::number(timer.elapsed())));
}

void SambaLiveTest::refusedPassword_is1326()
{
    const QString file = writeFile(m_dir, "wrong.auth",
                                   "username = Administrator\npassword = not-the-password\n"
                                   "domain = " + dcDomain().toUtf8() + "\n");
    ScopedVariable auth("VARNEL_AUTHFILE", file.toUtf8());
    platform::NetStatus init = 0;
    auto net = freshBackEnd(init);
    QCOMPARE(init, 0);
    platform::UserInfo3 read;
    QCOMPARE(net->NetUserGetInfo(dcServer().toStdString(), "Administrator", 1, read), 1326);
}

void SambaLiveTest::missingClientConfiguration_is31()
{
    ScopedVariable config("VARNEL_SMB_CONF", QByteArray("/nonexistent/varnel/smb.conf"));
    platform::NetStatus init = 0;
    auto net = freshBackEnd(init);
    QCOMPARE(init, 31);
    QVERIFY(QString::fromStdString(net->problem()).contains("VARNEL_SMB_CONF"));
    platform::UserInfo3 read;
    QCOMPARE(net->NetUserGetInfo(dcServer().toStdString(), "Administrator", 1, read), 31);
}

void SambaLiveTest::noCredentials_is1326()
{
    ScopedVariable auth("VARNEL_AUTHFILE", std::nullopt);
    ScopedVariable cache("KRB5CCNAME", ("FILE:" + m_dir.filePath("no-ticket")).toUtf8());
    platform::NetStatus init = 0;
    auto net = freshBackEnd(init);
    QCOMPARE(init, 1326);
    QVERIFY(QString::fromStdString(net->problem()).contains("kinit"));
}

void SambaLiveTest::ordinaryUser_isRefusedWrites_with5()
{
    const std::string dc = dcServer().toStdString();
    platform::UserInfo3 plain;
    plain.name = "vntplain" + std::to_string(QDateTime::currentMSecsSinceEpoch() % 100000);
    plain.password = "Varnel#Plain42";
    QCOMPARE(m_selection.net->NetUserAdd(dc, 3, plain, nullptr), 0);
    const QString file = writeFile(m_dir, "plain.auth",
                                   QByteArray("username = ") + plain.name.c_str()
                                       + "\npassword = Varnel#Plain42\ndomain = "
                                       + dcDomain().toUtf8() + "\n");
    platform::NetStatus denied = 0, read = 0;
    {
        ScopedVariable auth("VARNEL_AUTHFILE", file.toUtf8());
        platform::NetStatus init = 0;
        auto net = freshBackEnd(init);
        QCOMPARE(init, 0);
        platform::UserInfo3 info;
        read = net->NetUserGetInfo(dc, plain.name, 1, info);
        platform::UserInfo3 other;
        other.name = "vntdenied";
        other.password = "Varnel#Plain42";
        denied = net->NetUserAdd(dc, 3, other, nullptr);
    }
    m_selection.net->NetUserDel(dc, plain.name);
    QCOMPARE(read, 0);
    QCOMPARE(denied, platform::status::AccessDenied);
}

void SambaLiveTest::kerberosTicket_isTheIdentity_withoutAnAuthenticationFile()
{
    // kinit takes the password on its standard input, never on a command line.
    QFile auth(qEnvironmentVariable("VARNEL_AUTHFILE"));
    QVERIFY(auth.open(QIODevice::ReadOnly));
    QByteArray password;
    for (const QByteArray &line : auth.readAll().split('\n')) {
        if (line.trimmed().startsWith("password"))
            password = line.mid(line.indexOf('=') + 1).trimmed();
    }
    const QByteArray realm = qgetenv("VARNEL_DC_REALM");
    const QString config = writeFile(m_dir, "krb5.conf",
                                     "[libdefaults]\n default_realm = " + realm
                                         + "\n dns_lookup_kdc = true\n dns_lookup_realm = false\n"
                                           " rdns = false\n");
    const QByteArray cache = "FILE:" + m_dir.filePath("ccache").toUtf8();
    ScopedVariable krb5Config("KRB5_CONFIG", config.toUtf8());
    ScopedVariable ticketCache("KRB5CCNAME", cache);
    QProcess kinit;
    kinit.start(QStringLiteral("kinit"), {QStringLiteral("Administrator@") + realm});
    QVERIFY2(kinit.waitForStarted(), "kinit is missing (krb5-user)");
    kinit.write(password + "\n");
    kinit.closeWriteChannel();
    QVERIFY(kinit.waitForFinished(30000));
    QCOMPARE(kinit.exitCode(), 0);

    ScopedVariable auth2("VARNEL_AUTHFILE", std::nullopt);
    platform::NetStatus init = 0;
    auto net = freshBackEnd(init);
    QCOMPARE(init, 0);
    platform::WkstaUserInfo1 who;
    QCOMPARE(net->NetWkstaUserGetInfo({}, who), 0);
    QCOMPARE(QString::fromStdString(who.logonDomain + "\\" + who.userName),
             dcDomain() + QStringLiteral("\\Administrator"));
    std::string dc;
    QCOMPARE(net->NetGetDCName({}, dcDomain().toStdString(), dc), 0);
    platform::UserInfo3 read;
    QCOMPARE(net->NetUserGetInfo(dc, "Administrator", 3, read), 0);
    QCOMPARE(read.priv, platform::priv::Admin);
}

void SambaLiveTest::windowlessListing_writesExactlyTheUsersTheDcLists_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::newRow("every user") << QStringLiteral("*");
    QTest::newRow("users beginning with j or J") << QStringLiteral("j*");
}

void SambaLiveTest::windowlessListing_writesExactlyTheUsersTheDcLists()
{
    QFETCH(QString, criteria);
    std::string listed;
    QVERIFY(netapi_tests::runOnTestDc({"user", "list"}, &listed));
    QStringList expected;
    for (const QString &line : QString::fromStdString(listed).split(u'\n', Qt::SkipEmptyParts)) {
        if (criteria == u"*" || line.startsWith(u'j') || line.startsWith(u'J'))
            expected << line;
    }
    QVERIFY(expected.size() > (criteria == u"*" ? 2000 : 10));

    const QString beside = QFileInfo(Program).absolutePath();
    const QString folder = QFileInfo(beside).isWritable() ? beside : m_dir.filePath("data/varnel");
    const QString workFile = QDir(folder).filePath(dcDomain() + "%.tmp");
    QFile::remove(workFile);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VARNEL_DIRECTORY", "samba");
    environment.insert("QT_QPA_PLATFORM", "none");
    environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    environment.remove("DISPLAY");
    QProcess varnel;
    varnel.setProcessEnvironment(environment);
    varnel.start(Program, {"/DOMAIN=" + dcDomain(), "/TYPE=0", "/CRITERIA=" + criteria});
    QVERIFY(varnel.waitForFinished(120000));
    QCOMPARE(varnel.exitCode(), 0);
    QFile file(workFile);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(workFile));
    QStringList written;
    const QString suffix = QStringLiteral(", ") + dcDomain();
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"),
                                                                      Qt::SkipEmptyParts)) {
        QVERIFY2(line.endsWith(suffix), qPrintable(line));
        written << line.chopped(suffix.size());
    }
    file.remove();
    QCOMPARE(sortedUpper(written), sortedUpper(expected));
}

// Everything the back end asks one controller rides one authenticated SMB
// session, seen from outside the back end: the DC is located, a listing, a
// user's properties, the server's information and its shares, then a
// second listing, open one connection to port 445 and at most one to 389.
void SambaLiveTest::listingAndReads_openOneSmbSessionToTheDc()
{
    const QString address = qEnvironmentVariable("VARNEL_DC_ADDRESS");
    QVERIFY(!address.isEmpty());
    ConnectionWatch smb(address, 445);
    ConnectionWatch ldap(address, 389);
    platform::NetStatus init = 0;
    auto net = freshBackEnd(init);
    QCOMPARE(init, 0);
    std::string dc;
    QCOMPARE(net->NetGetDCName({}, dcDomain().toStdString(), dc), 0);
    for (int round = 0; round < 2; ++round) {
        uint32_t index = 0, returned = 0;
        std::vector<platform::NetDisplayRecord> page;
        platform::NetStatus st = platform::status::MoreData;
        size_t users = 0;
        while (st == platform::status::MoreData) {
            st = net->NetQueryDisplayInformation(dc, 1, index, 1000, 0xFFFFFFFF, returned, page);
            users += page.size();
            if (!page.empty())
                index = page.back().nextIndex;
        }
        QCOMPARE(st, 0);
        QVERIFY(users > 2);
    }
    platform::UserInfo3 user;
    QCOMPARE(net->NetUserGetInfo(dc, "Administrator", 3, user), 0);
    platform::ServerInfo101 server;
    QCOMPARE(net->NetServerGetInfo(dc, 101, server), 0);
    QCOMPARE(QString::fromStdString(server.name).toUpper(), dc.substr(2).c_str());
    std::vector<platform::ShareInfo2> shares;
    uint32_t read = 0, total = 0, resume = 0;
    QCOMPARE(net->NetShareEnum(dc, 2, shares, 0xFFFFFFFF, read, total, resume), 0);
    QVERIFY(std::any_of(shares.begin(), shares.end(),
                        [](const auto &s) { return s.netname == "netlogon"; }));
    QCOMPARE(smb.opened(address, 445), 1);
    QVERIFY(ldap.opened(address, 389) <= 1);
}

QTEST_GUILESS_MAIN(SambaLiveTest)
#include "test_samba_live.moc"
