// The network-management suite, listings: NetQueryDisplayInformation over more
// than 2,000 users in chunks of at most 100 with 234 and the next index, the
// byte rule of the preferred maximum length, machines and groups at levels 2
// and 3, and group enumerations paged by resume handle.
#include "tests/netapi/SuiteSupport.h"

#include "platform/netapi/BufferRules.h"

#include <QCoreApplication>
#include <QObject>
#include <QtTest/QTest>

#include <memory>
#include <set>

using namespace netapi_tests;
using platform::NetDisplayRecord;
using platform::NetStatus;

class NetapiListingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<NetapiTarget> m_target;
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string dc() const { return m_target->controller(); }

    NetStatus chunk(uint32_t level, uint32_t index, uint32_t prefMaxLen,
                    std::vector<NetDisplayRecord> &records)
    {
        uint32_t returned = 0;
        const NetStatus status =
            net().NetQueryDisplayInformation(dc(), level, index, 1000, prefMaxLen, returned,
                                             records);
        return returned == records.size() ? status : -1;
    }

    bool sortedByUpperName(const std::vector<std::string> &names)
    {
        for (size_t i = 1; i < names.size(); ++i) {
            if (!(upper(names[i - 1]) < upper(names[i])))
                return false;
        }
        return true;
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

    void userListing_overMoreThan2000Users_comesInChunksOf100()
    {
        QVERIFY(m_target->ensureUsers(2100));
        std::vector<std::string> names;
        uint32_t index = 0;
        int calls = 0;
        NetStatus status = platform::status::MoreData;
        while (status == platform::status::MoreData) {
            std::vector<NetDisplayRecord> records;
            status = chunk(1, index, 128000, records);
            ++calls;
            QVERIFY(status == platform::status::MoreData || status == platform::status::Success);
            QVERIFY(records.size() <= platform::DisplayEntriesPerCall);
            if (status == platform::status::MoreData)
                QCOMPARE(records.size(), size_t(platform::DisplayEntriesPerCall));
            for (const NetDisplayRecord &record : records)
                names.push_back(record.name);
            if (!records.empty())
                index = records.back().nextIndex;
            QVERIFY(calls < 10000);
        }
        QVERIFY(names.size() >= 2100);
        QVERIFY(calls >= 21);
        QCOMPARE(std::set<std::string>(names.begin(), names.end()).size(), names.size());
        if (!notApplicable(*m_target, Need::KnownOrder))
            QVERIFY(sortedByUpperName(names));
    }

    void smallPreferredLength_givesFewerEntries_butAtLeastOne()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::ByteRule);
        std::vector<NetDisplayRecord> one;
        QCOMPARE(chunk(1, 0, 1, one), platform::status::MoreData);
        QCOMPARE(one.size(), size_t(1));

        const uint32_t budget = 300;
        std::vector<NetDisplayRecord> some;
        QCOMPARE(chunk(1, 0, budget, some), platform::status::MoreData);
        QVERIFY(!some.empty());
        QVERIFY(some.size() < platform::DisplayEntriesPerCall);
        uint32_t used = 0;
        for (const NetDisplayRecord &record : some)
            used += platform::netapi::displayRecordBytes(record, 1);
        QVERIFY(some.size() == 1 || used <= budget);
        std::vector<NetDisplayRecord> next;
        QVERIFY(chunk(1, some.back().nextIndex, platform::MaxPreferredLength, next) >= 0);
        QVERIFY(!next.empty());
        QVERIFY(used + platform::netapi::displayRecordBytes(next.front(), 1) > budget);
        QCOMPARE(some.front().name, one.front().name);
    }

    void createdUsers_appearInUpperCaseOrder()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::KnownOrder);
        const std::string stem = uniqueName("o", 12);
        const std::vector<std::string> created{stem + "B", stem + "a", stem + "C", stem + "b0"};
        for (const std::string &name : created) {
            platform::UserInfo3 info;
            info.name = name;
            info.password = "Varnel#Test42";
            QCOMPARE(net().NetUserAdd(dc(), 3, info, nullptr), platform::status::Success);
        }
        bool ok = false;
        std::vector<std::string> ours;
        for (const std::string &name : displayNames(net(), dc(), 1, ok)) {
            if (name.rfind(stem, 0) == 0)
                ours.push_back(name);
        }
        QVERIFY(ok);
        const std::vector<std::string> expected{stem + "a", stem + "B", stem + "b0", stem + "C"};
        QCOMPARE(ours, expected);
    }

    void machinesAndGroups_listedAtLevels2And3()
    {
        platform::UserInfo3 computer;
        computer.name = upper(uniqueName("c", 14)) + "$";
        computer.password = "lower";
        computer.flags = platform::uf::Script | platform::uf::WorkstationTrustAccount;
        QCOMPARE(net().NetUserAdd(dc(), 1, computer, nullptr), platform::status::Success);
        const std::string global = uniqueName("g");
        const std::string local = uniqueName("l");
        QCOMPARE(net().NetGroupAdd(dc(), 1, {global, "x"}, nullptr), platform::status::Success);
        QCOMPARE(net().NetLocalGroupAdd(dc(), 1, {local, "x"}, nullptr),
                 platform::status::Success);

        bool ok = false;
        const std::vector<std::string> machines = displayNames(net(), dc(), 2, ok);
        QVERIFY(ok);
        QVERIFY(contains(machines, computer.name));
        const std::vector<std::string> groups = displayNames(net(), dc(), 3, ok);
        QVERIFY(ok);
        QVERIFY(contains(groups, global));
        QVERIFY(!contains(groups, local));
        if (!notApplicable(*m_target, Need::KnownOrder)) {
            QVERIFY(sortedByUpperName(machines));
            QVERIFY(sortedByUpperName(groups));
        }
    }

    void groupEnumeration_pagesByResumeHandle_withTotals()
    {
        for (int i = 0; i < 5; ++i)
            QCOMPARE(net().NetGroupAdd(dc(), 0, {uniqueName("e"), {}}, nullptr),
                     platform::status::Success);
        bool ok = false;
        const std::vector<std::string> all = groupNames(net(), dc(), false, ok);
        QVERIFY(ok);
        std::vector<std::string> paged;
        uint32_t resume = 0;
        NetStatus status = platform::status::MoreData;
        int calls = 0;
        while (status == platform::status::MoreData && calls < 1000) {
            std::vector<platform::GroupInfo1> groups;
            uint32_t read = 0, total = 0;
            status = net().NetGroupEnum(dc(), 1, groups, 60, read, total, resume);
            ++calls;
            QCOMPARE(read, uint32_t(groups.size()));
            QVERIFY(read >= 1);
            QCOMPARE(total, uint32_t(all.size() - paged.size()));
            for (const auto &group : groups)
                paged.push_back(group.name);
        }
        QCOMPARE(status, platform::status::Success);
        QCOMPARE(paged, all);
        QVERIFY(calls > 1);
    }

    void unknownDisplayLevel_getsTheTableStatus()
    {
        std::vector<NetDisplayRecord> records;
        uint32_t returned = 7;
        QCOMPARE(net().NetQueryDisplayInformation(dc(), 4, 0, 100, 128000, returned, records),
                 platform::status::InvalidLevel);
        QCOMPARE(returned, 0u);
        QVERIFY(records.empty());
    }
};

NETAPI_TEST_MAIN(NetapiListingTest)
#include "test_netapi_listing.moc"
