// The network-management suite, machines and domains: NetServerEnum by kind
// and domain, NetServerGetInfo answered by the machine, NetGetDCName, trusted
// domains, shares, the local machine, unreachable names, and the first run of
// several processes on a directory file that does not exist yet.
#include "tests/netapi/SuiteSupport.h"

#include <QCoreApplication>
#include <QObject>
#include <QtTest/QTest>

#include <memory>

using namespace netapi_tests;
using platform::NetStatus;
using platform::ServerInfo101;

namespace {

// The kinds the account listing asks for.
constexpr uint32_t BackupControllers = platform::svtype::DomainBakCtrl;
constexpr uint32_t SqlServers = platform::svtype::SqlServer;
constexpr uint32_t NtServersAndControllers =
    platform::svtype::ServerNt | platform::svtype::DomainCtrl | platform::svtype::DomainBakCtrl;

std::string bare(const std::string &server)
{
    return server.rfind("\\\\", 0) == 0 ? server.substr(2) : server;
}

} // namespace

class NetapiServersTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<NetapiTarget> m_target;
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string dc() const { return m_target->controller(); }

    std::vector<ServerInfo101> servers(uint32_t type, const std::string &domain,
                                       NetStatus &status)
    {
        std::vector<ServerInfo101> all;
        uint32_t read = 0, total = 0, resume = 0;
        status = net().NetServerEnum({}, 101, all, 128000, read, total, type, domain, resume);
        return all;
    }
    std::vector<std::string> serverNames(uint32_t type, const std::string &domain,
                                         NetStatus &status)
    {
        std::vector<std::string> names;
        for (const ServerInfo101 &server : servers(type, domain, status))
            names.push_back(upper(server.name));
        return names;
    }

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
    }

    void controllerOfTheDomain_isFound_unknownDomainIsNot()
    {
        std::string name;
        QCOMPARE(net().NetGetDCName({}, m_target->domain(), name), platform::status::Success);
        QCOMPARE(upper(name), upper(dc()));
        QCOMPARE(net().NetGetDCName({}, "VNTNOSUCHDOMAIN", name), platform::status::DCNotFound);
        QVERIFY(name.empty());
    }

    void controllerAnswersServerInfo_itself()
    {
        ServerInfo101 info;
        QCOMPARE(net().NetServerGetInfo(dc(), 101, info), platform::status::Success);
        QCOMPARE(upper(info.name), upper(bare(dc())));
        QCOMPARE(info.platformId, platform::PlatformIdNt);
        QVERIFY(info.type & platform::svtype::DomainCtrl);
        QCOMPARE(net().NetServerGetInfo(dc(), 100, info), platform::status::Success);
        QCOMPARE(net().NetServerGetInfo(dc(), 7, info), platform::status::InvalidLevel);
    }

    void unknownMachine_isBadNetPath_everywhere()
    {
        const std::string nowhere = "\\\\VNTNOSUCHHOST";
        ServerInfo101 info;
        QCOMPARE(net().NetServerGetInfo(nowhere, 101, info), platform::status::BadNetPath);
        platform::UserInfo3 user;
        QCOMPARE(net().NetUserGetInfo(nowhere, "Administrator", 1, user),
                 platform::status::BadNetPath);
        std::vector<platform::ShareInfo2> shares;
        uint32_t read = 0, total = 0, resume = 0;
        QCOMPARE(net().NetShareEnum(nowhere, 1, shares, platform::MaxPreferredLength, read,
                                    total, resume),
                 platform::status::BadNetPath);
    }

    void serverEnumeration_listsEachKind()
    {
        NetStatus status = 0;
        const std::vector<std::string> ntServers =
            serverNames(NtServersAndControllers, m_target->domain(), status);
        QCOMPARE(status, platform::status::Success);
        QVERIFY(contains(ntServers, upper(bare(dc()))));
        for (const ServerInfo101 &server :
             servers(NtServersAndControllers, m_target->domain(), status))
            QVERIFY(server.type & NtServersAndControllers);

        if (!notApplicable(*m_target, Need::BackupControllers)) {
            const std::vector<std::string> backups =
                serverNames(BackupControllers, m_target->domain(), status);
            QCOMPARE(status, platform::status::Success);
            QVERIFY(contains(backups, upper(bare(m_target->backupController()))));
            QVERIFY(!contains(backups, upper(bare(dc()))));
        }
        if (!notApplicable(*m_target, Need::SqlServers)) {
            const std::vector<std::string> sql = serverNames(SqlServers, {}, status);
            QCOMPARE(status, platform::status::Success);
            QVERIFY(contains(sql, upper(m_target->sqlServer())));
        }
    }

    void domainEnumeration_listsEveryDomain()
    {
        NetStatus status = 0;
        const std::vector<std::string> domains =
            serverNames(platform::svtype::DomainEnum, {}, status);
        QCOMPARE(status, platform::status::Success);
        QVERIFY(contains(domains, upper(m_target->domain())));
        if (!notApplicable(*m_target, Need::SeveralDomains))
            QVERIFY(contains(domains, upper(m_target->trustedDomain())));
    }

    void serverEnumeration_ofTrustedDomain_listsItsController()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::Trusts);
        std::string trustedDc;
        QCOMPARE(net().NetGetDCName({}, m_target->trustedDomain(), trustedDc),
                 platform::status::Success);
        QVERIFY(upper(trustedDc) != upper(dc()));
        NetStatus status = 0;
        const std::vector<std::string> names =
            serverNames(NtServersAndControllers, m_target->trustedDomain(), status);
        QCOMPARE(status, platform::status::Success);
        QVERIFY(contains(names, upper(bare(trustedDc))));
        QVERIFY(!contains(names, upper(bare(dc()))));
    }

    void serverEnumeration_ofUnknownDomain_findsNoBrowser()
    {
        NetStatus status = 0;
        QVERIFY(servers(NtServersAndControllers, "VNTNOSUCHDOMAIN", status).empty());
        QCOMPARE(status, platform::status::NoBrowserServersFound);
    }

    void trustedDomains_comeAsOneNulSeparatedList()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::Trusts);
        std::string list;
        QCOMPARE(net().NetEnumerateTrustedDomains({}, list), platform::status::Success);
        QVERIFY(list.size() >= 2);
        QCOMPARE(list.back(), '\0');
        QCOMPARE(list[list.size() - 2], '\0');
        std::vector<std::string> names;
        size_t start = 0;
        for (size_t end = list.find('\0'); end != std::string::npos && end > start;
             end = list.find('\0', start)) {
            names.push_back(upper(list.substr(start, end - start)));
            start = end + 1;
        }
        QVERIFY(contains(names, upper(m_target->trustedDomain())));
    }

    void memberServerShares_listedAndRead()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::MemberShares);
        const std::string server = m_target->memberServer();
        std::vector<platform::ShareInfo2> shares;
        uint32_t read = 0, total = 0, resume = 0;
        QCOMPARE(net().NetShareEnum(server, 1, shares, platform::MaxPreferredLength, read, total,
                                    resume),
                 platform::status::Success);
        bool adminShare = false;
        for (const platform::ShareInfo2 &share : shares) {
            if (upper(share.netname) == "ADMIN$")
                adminShare = (share.type & platform::stype::Special) != 0;
        }
        QVERIFY(adminShare);
        platform::ShareInfo2 info;
        QCOMPARE(net().NetShareGetInfo(server, shares.front().netname, 2, info),
                 platform::status::Success);
        QCOMPARE(info.netname, shares.front().netname);
        QCOMPARE(net().NetShareGetInfo(server, "VNTNOSHARE", 1, info),
                 platform::status::NetNameNotFound);
    }

    void localMachine_answersForTheEmptyServer()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::LocalMachine);
        platform::WkstaInfo102 workstation;
        QCOMPARE(net().NetWkstaGetInfo({}, workstation), platform::status::Success);
        ServerInfo101 info;
        QCOMPARE(net().NetServerGetInfo({}, 101, info), platform::status::Success);
        QCOMPARE(upper(info.name), upper(workstation.computerName));
        QCOMPARE(upper(workstation.langroup), upper(m_target->domain()));
        platform::UserInfo3 user;
        QCOMPARE(net().NetUserGetInfo({}, "Administrator", 1, user), platform::status::Success);
    }

    void firstRun_ofSeveralProcesses_seedsExactlyOnce()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::FreshDirectory);
        QCOMPARE(m_target->firstRunSeeders(4), 1);
    }
};

NETAPI_TEST_MAIN(NetapiServersTest)
#include "test_netapi_servers.moc"
