// The embedded directory beyond the shared suite: its file (location, mode,
// version, one seeding), the seeded network, stored passwords, the fixture
// interface, and the parts of the NT model the suite cannot ask of every
// target (backup controllers refusing writes, unreachable machines, built-in
// accounts, concurrent writers).
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/Schema.h"
#include "platform/netapi/embedded/Seed.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <sys/stat.h>

#include <memory>
#include <thread>

using namespace platform;
using embedded::EmbeddedFixture;
using embedded::EmbeddedNetworkManagement;

namespace {

const std::string Pdc = "\\\\HQDC01";
const std::string Bdc = "\\\\HQDC02";
const std::string FileServer = "\\\\HQFS01";

std::vector<std::string> listing(NetworkManagement &net, const std::string &server,
                                 uint32_t level)
{
    std::vector<std::string> names;
    uint32_t index = 0;
    NetStatus status = status::MoreData;
    while (status == status::MoreData) {
        std::vector<NetDisplayRecord> records;
        uint32_t returned = 0;
        status = net.NetQueryDisplayInformation(server, level, index, 100, 128000, returned,
                                                records);
        for (const auto &record : records)
            names.push_back(record.name);
        if (!records.empty())
            index = records.back().nextIndex;
    }
    return names;
}

std::vector<std::string> servers(NetworkManagement &net, uint32_t type,
                                 const std::string &domain)
{
    std::vector<ServerInfo101> records;
    uint32_t read = 0, total = 0, resume = 0;
    net.NetServerEnum({}, 100, records, 128000, read, total, type, domain, resume);
    std::vector<std::string> names;
    for (const auto &record : records)
        names.push_back(record.name);
    return names;
}

std::vector<std::string> members(NetworkManagement &net, const std::string &server,
                                 const std::string &alias)
{
    std::vector<LocalGroupMembersInfo3> records;
    uint32_t read = 0, total = 0, resume = 0;
    net.NetLocalGroupGetMembers(server, alias, 3, records, MaxPreferredLength, read, total,
                                resume);
    std::vector<std::string> names;
    for (const auto &record : records)
        names.push_back(record.domainAndName);
    return names;
}

std::vector<std::string> localGroupsOf(NetworkManagement &net, const std::string &server,
                                       const std::string &user, uint32_t flags)
{
    std::vector<LocalGroupUsersInfo0> records;
    uint32_t read = 0, total = 0;
    net.NetUserGetLocalGroups(server, user, 0, flags, records, MaxPreferredLength, read, total);
    std::vector<std::string> names;
    for (const auto &record : records)
        names.push_back(record.name);
    return names;
}

bool has(const std::vector<std::string> &names, const std::string &name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

NetStatus addUser(NetworkManagement &net, const std::string &server, const std::string &name,
                  const std::string &password = "Varnel#Test42")
{
    UserInfo3 info;
    info.name = name;
    info.password = password;
    return net.NetUserAdd(server, 3, info, nullptr);
}

} // namespace

class NetapiEmbeddedTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QDateTime m_now = QDateTime(QDate(2004, 3, 15), QTime(9, 30), Qt::UTC);
    std::unique_ptr<EmbeddedNetworkManagement> m_net;
    std::unique_ptr<EmbeddedFixture> m_fixture;

    std::string path(const char *name) const { return m_dir.filePath(name).toStdString(); }
    std::unique_ptr<EmbeddedNetworkManagement> open(const std::string &file)
    {
        return std::make_unique<EmbeddedNetworkManagement>(file, [this] { return m_now; });
    }
    uint32_t now() const { return uint32_t(m_now.toSecsSinceEpoch()); }

private slots:
    void init()
    {
        static int serial = 0;
        m_net = open(path("d") + std::to_string(++serial) + ".sqlite");
        QVERIFY2(m_net->isOpen(), m_net->openError().c_str());
        m_fixture = std::make_unique<EmbeddedFixture>(*m_net);
    }

    void newFile_isPrivate_versioned_andSeededOnlyOnce()
    {
        const std::string file = path("once.sqlite");
        auto first = open(file);
        QVERIFY(first->isOpen());
        QVERIFY(first->store().seededHere());
        struct stat info {};
        QCOMPARE(::stat(file.c_str(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0600);
        QCOMPARE(first->store().db().userVersion(), embedded::schemaVersion());
        QCOMPARE(addUser(*first, Pdc, "kept"), status::Success);
        const size_t users = listing(*first, Pdc, 1).size();
        first.reset();
        auto again = open(file);
        QVERIFY(again->isOpen());
        QVERIFY(!again->store().seededHere());
        QCOMPARE(listing(*again, Pdc, 1).size(), users);
    }

    void fileOfANewerBuild_isRefused()
    {
        const std::string file = path("newer.sqlite");
        QVERIFY(open(file)->store().db().setUserVersion(embedded::schemaVersion() + 1));
        auto refused = open(file);
        QVERIFY(!refused->isOpen());
        QVERIFY(!refused->openError().empty());
        UserInfo3 info;
        QCOMPARE(refused->NetUserGetInfo(Pdc, "jsmith", 1, info), status::OpenFailed);
    }

    void databasePath_followsTheEnvironment()
    {
        const QByteArray saved[] = {qgetenv("VARNEL_EMBEDDED_DB"), qgetenv("XDG_DATA_HOME"),
                                    qgetenv("HOME")};
        qputenv("VARNEL_EMBEDDED_DB", "sub/dir.sqlite");
        const std::string relative = embedded::defaultDatabasePath();
        qunsetenv("VARNEL_EMBEDDED_DB");
        qputenv("XDG_DATA_HOME", "/srv/data");
        const std::string xdg = embedded::defaultDatabasePath();
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", "/home/op");
        const std::string home = embedded::defaultDatabasePath();
        qputenv("VARNEL_EMBEDDED_DB", saved[0]);
        qputenv("XDG_DATA_HOME", saved[1]);
        qputenv("HOME", saved[2]);
        QCOMPARE(QString::fromStdString(relative), QDir::current().filePath("sub/dir.sqlite"));
        QCOMPARE(xdg, std::string("/srv/data/varnel/directory.sqlite"));
        QCOMPARE(home, std::string("/home/op/.local/share/varnel/directory.sqlite"));
    }

    void seed_holdsTheDocumentedNetwork()
    {
        NetworkManagement &net = *m_net;
        std::string trusts;
        QCOMPARE(net.NetEnumerateTrustedDomains({}, trusts), status::Success);
        QCOMPARE(trusts, std::string("SALES\0ENGINEERING\0\0", 19));
        const std::vector<std::string> domains = servers(net, svtype::DomainEnum, {});
        QCOMPARE(domains, (std::vector<std::string>{"ENGINEERING", "HEADOFFICE", "SALES"}));
        QCOMPARE(servers(net, svtype::DomainBakCtrl, {}),
                 (std::vector<std::string>{"HQDC02", "HQDC03"}));
        QCOMPARE(servers(net, svtype::SqlServer, "ENGINEERING"),
                 (std::vector<std::string>{"ENGSQL01"}));
        WkstaInfo102 local;
        QCOMPARE(net.NetWkstaGetInfo({}, local), status::Success);
        QCOMPARE(local.computerName, std::string("HQWS042"));
        QCOMPARE(local.langroup, std::string("HEADOFFICE"));

        for (const char *pdc : {"\\\\HQDC01", "\\\\SLSDC01", "\\\\ENGDC01"}) {
            const std::vector<std::string> users = listing(net, pdc, 1);
            QVERIFY(users.size() >= 24);
            QVERIFY(listing(net, pdc, 2).size() >= 20);
            int upperJ = 0, lowerJ = 0, innerJ = 0;
            for (const std::string &name : users) {
                upperJ += name[0] == 'J';
                lowerJ += name[0] == 'j';
                innerJ += name.find('j', 1) != std::string::npos;
            }
            QVERIFY(upperJ > 0 && lowerJ > 0 && innerJ > 0);
        }
        QVERIFY(has(members(net, Pdc, "Remote Access"), "SALES\\jgarcia"));
        QVERIFY(m_fixture->verifyPassword("HEADOFFICE", "jsmith", embedded::SeedPassword));
    }

    void seed_isTheSameInEveryNewFile()
    {
        auto other = open(path("twin.sqlite"));
        for (const char *server : {"\\\\HQDC01", "\\\\SLSDC01", "\\\\ENGDC01"}) {
            for (uint32_t level : {1u, 2u, 3u})
                QCOMPARE(listing(*other, server, level), listing(*m_net, server, level));
        }
        QCOMPARE(members(*other, FileServer, "Administrators"),
                 members(*m_net, FileServer, "Administrators"));
    }

    void passwords_areStoredAsSaltedDigests()
    {
        const std::string secret = "Pl41n#Secret";
        QCOMPARE(addUser(*m_net, Pdc, "alpha", secret), status::Success);
        QCOMPARE(addUser(*m_net, Pdc, "beta", secret), status::Success);
        QVERIFY(m_fixture->verifyPassword("HEADOFFICE", "alpha", secret));
        QVERIFY(!m_fixture->verifyPassword("HEADOFFICE", "alpha", "pl41n#secret"));
        embedded::Statement hashes = m_net->store().db().prepare(
            "SELECT password_hash FROM accounts WHERE upper_name IN ('ALPHA', 'BETA')");
        QVERIFY(hashes.step());
        const std::string first = hashes.text(0);
        QVERIFY(hashes.step());
        QVERIFY(first != hashes.text(0));
        QVERIFY(first.rfind("pbkdf2-sha256$", 0) == 0);
        for (const QString &suffix : {QString(), QStringLiteral("-wal")}) {
            QFile file(QString::fromStdString(m_net->store().path()) + suffix);
            if (file.open(QIODevice::ReadOnly))
                QVERIFY(!file.readAll().contains(QByteArray::fromStdString(secret)));
        }
        UserInfo3 change;
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "alpha", 1, change), status::Success);
        change.password = "N3w#Secret";
        QCOMPARE(m_net->NetUserSetInfo(Pdc, "alpha", 1, change, nullptr), status::Success);
        QVERIFY(m_fixture->verifyPassword("HEADOFFICE", "alpha", "N3w#Secret"));
        change.password.clear();
        QCOMPARE(m_net->NetUserSetInfo(Pdc, "alpha", 1, change, nullptr), status::Success);
        QVERIFY(m_fixture->verifyPassword("HEADOFFICE", "alpha", "N3w#Secret"));
    }

    void fixtureValues_areReadPerController()
    {
        QCOMPARE(m_fixture->setLastLogon("HQDC01", "jsmith", now() - 86400), status::Success);
        QCOMPARE(m_fixture->setLastLogon("HQDC02", "jsmith", now() - 3600), status::Success);
        QCOMPARE(m_fixture->setBadPasswordCount("HQDC02", "jsmith", 2), status::Success);
        QCOMPARE(m_fixture->setNumLogons("HQDC01", "jsmith", 40), status::Success);
        QCOMPARE(m_fixture->setLogonServer("HEADOFFICE", "jsmith", "\\\\HQDC02"),
                 status::Success);
        QCOMPARE(m_fixture->setAuthFlags("HEADOFFICE", "jsmith", af::OpPrint | af::OpServer),
                 status::Success);
        QCOMPARE(m_fixture->setPasswordSetTime("HEADOFFICE", "jsmith", now() - 10 * 86400),
                 status::Success);
        UserInfo3 atPdc, atBdc;
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jsmith", 3, atPdc), status::Success);
        QCOMPARE(m_net->NetUserGetInfo(Bdc, "jsmith", 3, atBdc), status::Success);
        QCOMPARE(atPdc.lastLogon, now() - 86400);
        QCOMPARE(atBdc.lastLogon, now() - 3600);
        QCOMPARE(atPdc.badPwCount, 0u);
        QCOMPARE(atBdc.badPwCount, 2u);
        QCOMPARE(atPdc.numLogons, 40u);
        QCOMPARE(atPdc.logonServer, std::string("\\\\HQDC02"));
        QCOMPARE(atPdc.authFlags, af::OpPrint | af::OpServer);
        QCOMPARE(atPdc.passwordAge, 10u * 86400);
        QCOMPARE(m_fixture->setLastLogon("NOSUCH", "jsmith", 1), status::BadNetPath);
        QCOMPARE(m_fixture->setLockedOut("HEADOFFICE", "nosuchuser", true), status::UserNotFound);
    }

    void lockedOutUser_isUnlockedByClearingTheFlag()
    {
        QCOMPARE(m_fixture->setLockedOut("HEADOFFICE", "JDoe", true), status::Success);
        QCOMPARE(m_fixture->setBadPasswordCount("HQDC01", "JDoe", 5), status::Success);
        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jdoe", 3, info), status::Success);
        QVERIFY(info.flags & uf::Lockout);
        info.flags = uf::Script | uf::NormalAccount;
        QCOMPARE(m_net->NetUserSetInfo(Pdc, "jdoe", 3, info, nullptr), status::Success);
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jdoe", 3, info), status::Success);
        QVERIFY(!(info.flags & uf::Lockout));
        QCOMPARE(info.badPwCount, 0u);
    }

    void mustChangePassword_clearedResetsThePasswordAge()
    {
        QCOMPARE(m_fixture->setPasswordSetTime("HEADOFFICE", "jbrown", now() - 500), 0);
        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jbrown", 3, info), status::Success);
        info.passwordExpired = 1;
        QCOMPARE(m_net->NetUserSetInfo(Pdc, "jbrown", 3, info, nullptr), status::Success);
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jbrown", 3, info), status::Success);
        QCOMPARE(info.passwordExpired, 1u);
        QVERIFY(info.flags & uf::PasswordExpired);
        info.passwordExpired = 0;
        QCOMPARE(m_net->NetUserSetInfo(Pdc, "jbrown", 3, info, nullptr), status::Success);
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jbrown", 3, info), status::Success);
        QCOMPARE(info.passwordExpired, 0u);
        QCOMPARE(info.passwordAge, 0u);
    }

    void writes_goToThePrimaryOrAMember()
    {
        QCOMPARE(addUser(*m_net, Bdc, "atbackup"), status::NotPrimary);
        QCOMPARE(m_net->NetGroupAdd(FileServer, 1, {"Global Here", ""}, nullptr),
                 status::NotPrimary);
        QCOMPARE(addUser(*m_net, FileServer, "localonly"), status::Success);
        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo(FileServer, "localonly", 3, info), status::Success);
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "localonly", 0, info), status::UserNotFound);
        std::vector<GroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        QCOMPARE(m_net->NetUserGetGroups(FileServer, "localonly", 0, groups, MaxPreferredLength,
                                         read, total),
                 status::Success);
        QCOMPARE(groups.size(), size_t(1));
        QCOMPARE(groups[0].name, std::string("None"));
    }

    void unreachableController_isNotFound()
    {
        QCOMPARE(m_fixture->setMachineReachable("HQDC01", false), status::Success);
        std::string dc;
        QCOMPARE(m_net->NetGetDCName({}, "HEADOFFICE", dc), status::DCNotFound);
        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo(Pdc, "jsmith", 0, info), status::BadNetPath);
        QVERIFY(!has(servers(*m_net, svtype::DomainCtrl, {}), "HQDC01"));
        QCOMPARE(m_net->NetUserGetInfo(Bdc, "jsmith", 0, info), status::Success);
    }

    void builtInAccounts_andPrimaryGroups_stay()
    {
        QCOMPARE(m_net->NetUserDel(Pdc, "Administrator"), status::SpecialAccount);
        QCOMPARE(m_net->NetGroupDel(Pdc, "Domain Users"), status::SpeGroupOp);
        QCOMPARE(m_net->NetLocalGroupDel(Pdc, "Administrators"), status::SpeGroupOp);
        QCOMPARE(m_net->NetGroupDelUser(Pdc, "Domain Users", "jsmith"),
                 status::MembersPrimaryGroup);
        QCOMPARE(m_net->NetLocalGroupAddMembers(Pdc, "Users", 3, {{"HEADOFFICE\\Users"}}),
                 status::InvalidMember);
    }

    void sharedName_space_spansUsersAndGroups()
    {
        QCOMPARE(m_net->NetGroupAdd(Pdc, 1, {"jsmith", ""}, nullptr), status::UserExists);
        QCOMPARE(addUser(*m_net, Pdc, "Accounting"), status::GroupExists);
        QCOMPARE(m_net->NetGroupAdd(Pdc, 1, {"Remote Access", ""}, nullptr),
                 status::AliasExists);
    }

    void displayListing_carriesOnPastADeletedEntry()
    {
        std::vector<NetDisplayRecord> first;
        uint32_t returned = 0;
        QCOMPARE(m_net->NetQueryDisplayInformation(Pdc, 1, 0, 5, MaxPreferredLength, returned,
                                                   first),
                 status::MoreData);
        QCOMPARE(first.size(), size_t(5));
        QCOMPARE(m_net->NetUserDel(Pdc, first.back().name), status::Success);
        std::vector<NetDisplayRecord> next;
        QCOMPARE(m_net->NetQueryDisplayInformation(Pdc, 1, first.back().nextIndex, 1,
                                                   MaxPreferredLength, returned, next),
                 status::MoreData);
        const std::vector<std::string> all = listing(*m_net, Pdc, 1);
        QCOMPARE(next.at(0).name, all.at(4));
    }

    // As Samba and Windows do: the name is looked at before the password.
    void takenNameWithWeakPassword_answersExistsFirst()
    {
        QCOMPARE(m_fixture->setPasswordPolicy("HEADOFFICE", 8, true), status::Success);
        UserInfo3 user;
        user.name = "jsmith";
        user.password = "a";
        QCOMPARE(m_net->NetUserAdd(Pdc, 1, user, nullptr), status::UserExists);
    }

    // "\\" with no name names no machine; only "" is this one.
    void bareBackslashes_nameNoMachine()
    {
        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo("\\\\", "jsmith", 1, info), status::BadNetPath);
        ServerInfo101 server;
        QCOMPARE(m_net->NetServerGetInfo("\\\\", 101, server), status::BadNetPath);
        QCOMPARE(m_net->NetServerGetInfo("", 101, server), status::Success);
    }

    // The marks that let a listing resume past a deleted row are kept for
    // the latest deletions only: an old one is forgotten.
    void deletedRowMarks_areBounded()
    {
        int added = 0;
        QCOMPARE(m_fixture->seedUsers("HEADOFFICE", 1030, "vntmark", added), status::Success);
        UserInfo3 after;  // a row to list after the deleted ones while they are remembered
        after.name = "zzvnt";
        after.password = "Zz#pass123";
        QCOMPARE(m_net->NetUserAdd(Pdc, 1, after, nullptr), status::Success);
        std::vector<NetDisplayRecord> first;
        uint32_t returned = 0;
        m_net->NetQueryDisplayInformation(Pdc, 1, 0, 1, MaxPreferredLength, returned, first);
        while (first.at(0).name.rfind("vntmark", 0) != 0)
            m_net->NetQueryDisplayInformation(Pdc, 1, first.at(0).nextIndex, 1,
                                              MaxPreferredLength, returned, first);
        const uint32_t index = first.at(0).nextIndex;
        int deleted = 0;
        for (const std::string &name : listing(*m_net, Pdc, 1)) {
            if (name.rfind("vntmark", 0) == 0 && m_net->NetUserDel(Pdc, name) == status::Success)
                ++deleted;
        }
        QCOMPARE(deleted, 1030);
        std::vector<NetDisplayRecord> next;
        QCOMPARE(m_net->NetQueryDisplayInformation(Pdc, 1, index, 1, MaxPreferredLength,
                                                   returned, next),
                 status::Success);
        QVERIFY(next.empty());
    }

    void shareLevel2_canBeDenied_level1Stays()
    {
        QCOMPARE(m_fixture->setShareLevel2Denied("HQFS01", true), status::Success);
        ShareInfo2 share;
        QCOMPARE(m_net->NetShareGetInfo(FileServer, "LaserJet4", 2, share), status::AccessDenied);
        QCOMPARE(m_net->NetShareGetInfo(FileServer, "laserjet4", 1, share), status::Success);
        QCOMPARE(share.type, stype::PrintQ);
        QCOMPARE(share.remark, std::string("Second floor printer"));
    }

    void memberServerLocalGroups_holdDomainAccounts()
    {
        const std::vector<std::string> admins = members(*m_net, FileServer, "Administrators");
        QVERIFY(has(admins, "HQFS01\\Administrator"));
        QVERIFY(has(admins, "HEADOFFICE\\Domain Admins"));
        QVERIFY(has(localGroupsOf(*m_net, FileServer, "HEADOFFICE\\jsmith", LgIncludeIndirect),
                    "Users"));
        QVERIFY(!has(localGroupsOf(*m_net, FileServer, "HEADOFFICE\\jsmith", 0), "Users"));
        QVERIFY(has(localGroupsOf(*m_net, Pdc, "SALES\\jgarcia", 0), "Remote Access"));
        // Accounts of trusted domains may join; another machine's own accounts may not.
        QCOMPARE(m_net->NetLocalGroupAddMembers(FileServer, "Users", 3, {{"SALES\\jpatel"}}),
                 status::Success);
        QCOMPARE(m_net->NetLocalGroupAddMembers(FileServer, "Users", 3,
                                                {{"HQSQL01\\Administrator"}}),
                 status::NoSuchMember);
    }

    void seedUsers_addsNumberedUsersInOneGo()
    {
        const size_t before = listing(*m_net, "\\\\SLSDC01", 1).size();
        int added = 0;
        QCOMPARE(m_fixture->seedUsers("SALES", 50, "demo", added), status::Success);
        QCOMPARE(added, 50);
        QCOMPARE(m_fixture->seedUsers("SALES", 50, "demo", added), status::Success);
        const std::vector<std::string> after = listing(*m_net, "\\\\SLSDC01", 1);
        QCOMPARE(after.size(), before + 100);
        QVERIFY(has(after, "demo0000100"));
        QVERIFY(m_fixture->verifyPassword("SALES", "demo0000042", embedded::SeedPassword));
        QCOMPARE(m_fixture->seedUsers("SALES", 1, "bad*", added), status::BadUsername);
        QCOMPARE(m_fixture->seedUsers("SALES", 1, "muchtoolongprefix", added),
                 status::BadUsername);
        QCOMPARE(m_fixture->seedUsers("NOWHERE", 1, "demo", added), status::NoSuchDomain);
        QCOMPARE(added, 0);
    }

    void concurrentWriters_losesNothing()
    {
        const std::string file = m_net->store().path();
        auto write = [this, file](const std::string &stem) {
            auto net = open(file);
            for (int i = 0; i < 40; ++i)
                addUser(*net, Pdc, stem + std::to_string(i));
        };
        const size_t before = listing(*m_net, Pdc, 1).size();
        std::thread one(write, "left");
        std::thread two(write, "right");
        one.join();
        two.join();
        QCOMPARE(listing(*m_net, Pdc, 1).size(), before + 80);
    }

    void domainsAddedLater_areKnownOnlyWhenTrusted()
    {
        QCOMPARE(m_fixture->addDomain("ISOLATED", "ISODC01", false), status::Success);
        QCOMPARE(m_fixture->addDomain("PARTNER", "PRTDC01", true), status::Success);
        std::string dc;
        QCOMPARE(m_net->NetGetDCName({}, "ISOLATED", dc), status::DCNotFound);
        QCOMPARE(m_net->NetGetDCName({}, "partner", dc), status::Success);
        QCOMPARE(dc, std::string("\\\\PRTDC01"));
        QVERIFY(has(servers(*m_net, svtype::DomainEnum, {}), "ISOLATED"));
        std::string trusts;
        QCOMPARE(m_net->NetEnumerateTrustedDomains({}, trusts), status::Success);
        QCOMPARE(trusts, std::string("SALES\0ENGINEERING\0PARTNER\0\0", 27));
    }
};

QTEST_GUILESS_MAIN(NetapiEmbeddedTest)
#include "test_netapi_embedded.moc"
