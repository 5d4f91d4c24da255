// The network-management suite, groups: global and local groups created,
// read, changed, renamed and deleted; membership, including a DOMAIN\name
// member from a trusted domain; member listings paged by resume handle; a
// user's groups; and the membership statuses.
#include "tests/netapi/SuiteSupport.h"

#include "platform/netapi/NameRules.h"

#include <QCoreApplication>
#include <QObject>
#include <QtTest/QTest>

#include <algorithm>
#include <memory>

using namespace netapi_tests;
using platform::GroupInfo1;
using platform::LocalGroupMembersInfo3;
using platform::NetStatus;
using platform::UserInfo3;
using platform::netapi::Situation;
using platform::netapi::statusFor;

class NetapiGroupsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<NetapiTarget> m_target;
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string dc() const { return m_target->controller(); }

    std::string addUser(const std::string &stem)
    {
        UserInfo3 info;
        info.name = uniqueName(stem);
        info.password = "Varnel#Test42";
        return net().NetUserAdd(dc(), 3, info, nullptr) == platform::status::Success
            ? info.name
            : std::string();
    }
    NetStatus addGroup(const std::string &name, bool local, const std::string &comment = {})
    {
        const GroupInfo1 info{name, comment};
        return local ? net().NetLocalGroupAdd(dc(), 1, info, nullptr)
                     : net().NetGroupAdd(dc(), 1, info, nullptr);
    }
    NetStatus getGroup(const std::string &name, bool local, GroupInfo1 &info)
    {
        return local ? net().NetLocalGroupGetInfo(dc(), name, 1, info)
                     : net().NetGroupGetInfo(dc(), name, 1, info);
    }
    NetStatus addMember(const std::string &alias, const std::string &member)
    {
        return net().NetLocalGroupAddMembers(dc(), alias, 3, {LocalGroupMembersInfo3{member}});
    }
    NetStatus delMember(const std::string &alias, const std::string &member)
    {
        return net().NetLocalGroupDelMembers(dc(), alias, 3, {LocalGroupMembersInfo3{member}});
    }
    std::vector<std::string> members(const std::string &alias, NetStatus &status)
    {
        std::vector<std::string> names;
        uint32_t resume = 0;
        do {
            std::vector<LocalGroupMembersInfo3> page;
            uint32_t read = 0, total = 0;
            status = net().NetLocalGroupGetMembers(dc(), alias, 3, page, 64000, read, total,
                                                   resume);
            for (const LocalGroupMembersInfo3 &member : page)
                names.push_back(upper(member.domainAndName));
        } while (status == platform::status::MoreData);
        return names;
    }
    std::string qualified(const std::string &domain, const std::string &name)
    {
        return upper(domain + "\\" + name);
    }

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
        removeLeftovers(*m_target);
    }

    void cleanupTestCase()
    {
        if (m_target)
            removeLeftovers(*m_target);
    }

    void group_createdReadChangedRenamedDeleted_data()
    {
        QTest::addColumn<bool>("local");
        QTest::newRow("global group") << false;
        QTest::newRow("local group") << true;
    }

    void group_createdReadChangedRenamedDeleted()
    {
        QFETCH(bool, local);
        const std::string name = uniqueName("g", 30); // group names may pass 20 characters
        QCOMPARE(addGroup(name, local, "first"), platform::status::Success);
        GroupInfo1 info;
        QCOMPARE(getGroup(name, local, info), platform::status::Success);
        QCOMPARE(info.name, name);
        QCOMPARE(info.comment, std::string("first"));
        bool ok = false;
        QVERIFY(contains(groupNames(net(), dc(), local, ok), name));
        QVERIFY(!contains(groupNames(net(), dc(), !local, ok), name));

        const GroupInfo1 changed{name, "second"};
        const GroupInfo1 renamed{uniqueName("h", 30), {}};
        if (local) {
            QCOMPARE(net().NetLocalGroupSetInfo(dc(), name, 1, changed, nullptr), 0);
            QCOMPARE(net().NetLocalGroupSetInfo(dc(), name, 0, renamed, nullptr), 0);
        } else {
            QCOMPARE(net().NetGroupSetInfo(dc(), name, 1, changed, nullptr), 0);
            QCOMPARE(net().NetGroupSetInfo(dc(), name, 0, renamed, nullptr), 0);
        }
        QCOMPARE(getGroup(name, local, info), platform::status::GroupNotFound);
        QCOMPARE(getGroup(renamed.name, local, info), platform::status::Success);
        QCOMPARE(info.comment, std::string("second"));

        const NetStatus deleted = local ? net().NetLocalGroupDel(dc(), renamed.name)
                                        : net().NetGroupDel(dc(), renamed.name);
        QCOMPARE(deleted, platform::status::Success);
        QCOMPARE(getGroup(renamed.name, local, info), platform::status::GroupNotFound);
    }

    void existingAndMissingGroups_giveTheirStatuses()
    {
        const std::string name = uniqueName("e");
        QCOMPARE(addGroup(name, false), platform::status::Success);
        QCOMPARE(addGroup(name, false), platform::status::GroupExists);
        GroupInfo1 info;
        const std::string missing = uniqueName("m");
        QCOMPARE(getGroup(missing, false, info), platform::status::GroupNotFound);
        QCOMPARE(getGroup(missing, true, info), platform::status::GroupNotFound);
        QCOMPARE(net().NetGroupDel(dc(), missing), platform::status::GroupNotFound);
        QCOMPARE(net().NetLocalGroupDel(dc(), missing), platform::status::GroupNotFound);
        QCOMPARE(net().NetGroupAddUser(dc(), missing, "Administrator"),
                 platform::status::GroupNotFound);
    }

    void badGroupNames_getTheTableStatus()
    {
        const std::string tooLong = uniqueName("l", platform::netapi::MaxGroupNameLength + 1);
        QCOMPARE(addGroup(tooLong, false), statusFor(Situation::NameTooLong));
        QCOMPARE(addGroup(uniqueName("q", 10) + "?", true),
                 statusFor(Situation::NameForbiddenChar));
        const std::string longest = uniqueName("k", platform::netapi::MaxGroupNameLength);
        QCOMPARE(addGroup(longest, true), platform::status::Success);
        bool ok = false;
        QVERIFY(!contains(groupNames(net(), dc(), false, ok), tooLong));
        QCOMPARE(addGroup("vnt" + std::string(1, '\x02'), false),
                 statusFor(Situation::NameControlChar));
        QCOMPARE(addGroup(uniqueName("z", 10), false), platform::status::Success);
    }

    void globalMembership_listedBothWays_andStatuses()
    {
        const std::string user = addUser("u");
        QVERIFY(!user.empty());
        const std::string group = uniqueName("gm");
        QCOMPARE(addGroup(group, false), platform::status::Success);
        QCOMPARE(net().NetGroupAddUser(dc(), group, user), platform::status::Success);
        QCOMPARE(net().NetGroupAddUser(dc(), group, user), platform::status::UserInGroup);
        QCOMPARE(net().NetGroupAddUser(dc(), group, uniqueName("n")),
                 platform::status::UserNotFound);

        std::vector<platform::GroupUsersInfo0> users;
        uint32_t read = 0, total = 0, resume = 0;
        QCOMPARE(net().NetGroupGetUsers(dc(), group, 0, users, platform::MaxPreferredLength,
                                        read, total, resume),
                 platform::status::Success);
        QCOMPARE(read, 1u);
        QCOMPARE(users.at(0).name, user);

        std::vector<platform::GroupUsersInfo0> groups;
        QCOMPARE(net().NetUserGetGroups(dc(), user, 0, groups, platform::MaxPreferredLength,
                                        read, total),
                 platform::status::Success);
        std::vector<std::string> names;
        for (const auto &one : groups)
            names.push_back(one.name);
        QVERIFY(contains(names, group));
        QVERIFY(contains(names, "Domain Users"));

        QCOMPARE(net().NetGroupDelUser(dc(), group, user), platform::status::Success);
        QCOMPARE(net().NetGroupDelUser(dc(), group, user), platform::status::UserNotInGroup);
    }

    void localMembership_domainQualifiedMembers_andStatuses()
    {
        const std::string user = addUser("lu");
        QVERIFY(!user.empty());
        const std::string alias = uniqueName("la");
        QCOMPARE(addGroup(alias, true), platform::status::Success);
        const std::string member = m_target->domain() + "\\" + user;
        QCOMPARE(addMember(alias, member), platform::status::Success);
        QCOMPARE(addMember(alias, member), platform::status::MemberInAlias);

        NetStatus status = 0;
        const std::vector<std::string> listed = members(alias, status);
        QCOMPARE(status, platform::status::Success);
        QCOMPARE(listed.size(), size_t(1));
        QCOMPARE(listed.at(0), qualified(m_target->domain(), user));

        std::vector<platform::LocalGroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        QCOMPARE(net().NetUserGetLocalGroups(dc(), user, 0, platform::LgIncludeIndirect, groups,
                                             platform::MaxPreferredLength, read, total),
                 platform::status::Success);
        std::vector<std::string> names;
        for (const auto &one : groups)
            names.push_back(one.name);
        QVERIFY(contains(names, alias));

        QCOMPARE(delMember(alias, member), platform::status::Success);
        QCOMPARE(delMember(alias, member), platform::status::MemberNotInAlias);
        QCOMPARE(addMember(alias, m_target->domain() + "\\" + uniqueName("n")),
                 platform::status::NoSuchMember);
    }

    void localMembership_isAllOrNothing()
    {
        const std::string user = addUser("an");
        const std::string alias = uniqueName("ao");
        QCOMPARE(addGroup(alias, true), platform::status::Success);
        const std::vector<LocalGroupMembersInfo3> both{
            {m_target->domain() + "\\" + user}, {m_target->domain() + "\\" + uniqueName("n")}};
        QCOMPARE(net().NetLocalGroupAddMembers(dc(), alias, 3, both),
                 platform::status::NoSuchMember);
        NetStatus status = 0;
        QVERIFY(members(alias, status).empty());
        QCOMPARE(status, platform::status::Success);
    }

    void trustedDomainMember_inLocalGroup()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::Trusts);
        const std::string alias = uniqueName("ta");
        QCOMPARE(addGroup(alias, true), platform::status::Success);
        const std::string member =
            m_target->trustedDomain() + "\\" + m_target->trustedDomainUser();
        QCOMPARE(addMember(alias, member), platform::status::Success);
        NetStatus status = 0;
        const std::vector<std::string> listed = members(alias, status);
        QCOMPARE(status, platform::status::Success);
        QVERIFY(contains(listed, upper(member)));
        QCOMPARE(addMember(alias, member), platform::status::MemberInAlias);
        QCOMPARE(delMember(alias, member), platform::status::Success);
        QVERIFY(!contains(members(alias, status), upper(member)));
        QCOMPARE(status, platform::status::Success);
    }

    void memberListings_pageByResumeHandle_data()
    {
        QTest::addColumn<bool>("local");
        QTest::newRow("global group members") << false;
        QTest::newRow("local group members") << true;
    }

    void memberListings_pageByResumeHandle()
    {
        QFETCH(bool, local);
        const std::string group = uniqueName("pg");
        QCOMPARE(addGroup(group, local), platform::status::Success);
        std::vector<std::string> expected;
        for (int i = 0; i < 30; ++i) {
            const std::string user = addUser("p");
            QVERIFY(!user.empty());
            const NetStatus added = local ? addMember(group, m_target->domain() + "\\" + user)
                                          : net().NetGroupAddUser(dc(), group, user);
            QCOMPARE(added, platform::status::Success);
            expected.push_back(local ? qualified(m_target->domain(), user) : upper(user));
        }
        // About four names fit in 200 bytes, so the listing takes several calls.
        std::vector<std::string> listed;
        uint32_t resume = 0;
        int calls = 0;
        NetStatus status = platform::status::MoreData;
        while (status == platform::status::MoreData && calls < 100) {
            uint32_t read = 0, total = 0;
            std::vector<std::string> page;
            if (local) {
                std::vector<LocalGroupMembersInfo3> records;
                status = net().NetLocalGroupGetMembers(dc(), group, 3, records, 200, read, total,
                                                       resume);
                for (const auto &record : records)
                    page.push_back(upper(record.domainAndName));
            } else {
                std::vector<platform::GroupUsersInfo0> records;
                status = net().NetGroupGetUsers(dc(), group, 0, records, 200, read, total, resume);
                for (const auto &record : records)
                    page.push_back(upper(record.name));
            }
            ++calls;
            QCOMPARE(read, uint32_t(page.size()));
            QVERIFY(read >= 1);
            QCOMPARE(total, uint32_t(expected.size() - listed.size()));
            listed.insert(listed.end(), page.begin(), page.end());
        }
        QCOMPARE(status, platform::status::Success);
        QVERIFY(calls > 1);
        std::sort(expected.begin(), expected.end());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, expected);
    }

    void userGroupsNotFitting_giveMoreData()
    {
        const std::string user = addUser("f");
        for (int i = 0; i < 3; ++i) {
            const std::string group = uniqueName("fg");
            QCOMPARE(addGroup(group, false), platform::status::Success);
            QCOMPARE(net().NetGroupAddUser(dc(), group, user), platform::status::Success);
        }
        std::vector<platform::GroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        QCOMPARE(net().NetUserGetGroups(dc(), user, 0, groups, 1, read, total),
                 platform::status::MoreData);
        QCOMPARE(read, 1u);
        QCOMPARE(total, 4u);
    }
};

NETAPI_TEST_MAIN(NetapiGroupsTest)
#include "test_netapi_groups.moc"
