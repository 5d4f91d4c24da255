// Listing members and groups, adding and removing one member.
#include "app/AppContext.h"
#include "directory/DirectoryResult.h"
#include "directory/GroupMembership.h"
#include "support/DirectoryTestBed.h"

#include <QTest>

using namespace testing_support;

class GroupMembershipTest : public QObject {
    Q_OBJECT
private slots:
    void emptyGroupNameReadsNothing();
    void largeLocalGroupIsReadInSeveralChunksInOrder();
    void globalGroupMembersAreAccountNames();
    void serverIsUsedAsItStands();
    void failingListingGivesZero();
    void userGroupsLeaveOutNone();
    void localUserGroupsIncludeIndirectOnes();
    void userGroupsThatDoNotFitInOneCallGiveZero();
    void addingALocalMemberSendsExactlyOneRecord();
    void globalMembershipUsesTheGroupCalls();
    void removingANonMemberGivesTheServiceStatus();
};

void GroupMembershipTest::emptyGroupNameReadsNothing()
{
    DirectoryTestBed bed;
    QStringList items{"kept"};
    QCOMPARE(Get_GroupMembers("\\\\DC1", "", items, true), 1);
    QCOMPARE(Get_GroupMembers("\\\\DC1", "", items, false), 1);
    QVERIFY(bed.net.calls.empty());
    QCOMPARE(items, QStringList{"kept"});
}

void GroupMembershipTest::largeLocalGroupIsReadInSeveralChunksInOrder()
{
    DirectoryTestBed bed;
    std::vector<std::string> members;
    QStringList expected;
    // About 86 bytes a record: 1500 do not fit in 64000 bytes.
    for (int i = 0; i < 1500; ++i) {
        const QString name =
            QStringLiteral("ENGINEERING\\member.account.%1").arg(i, 12, 10, QChar(u'0'));
        members.push_back(name.toStdString());
        expected << name;
    }
    bed.net.addLocalGroup("Users", members);
    QStringList items;
    QCOMPARE(Get_GroupMembers("\\\\FILES", "Users", items, true), 1500);
    QCOMPARE(items, expected);
    QVERIFY(bed.net.count("NetLocalGroupGetMembers") >= 2);
    QCOMPARE(bed.net.calls.front().level, 3u);
    QCOMPARE(bed.seams.eventPump.passes, bed.net.count("NetLocalGroupGetMembers"));
    QCOMPARE(appContext().LastNetStatus, 0);
}

void GroupMembershipTest::globalGroupMembersAreAccountNames()
{
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("Staff", {"jdoe", "asmith"});
    QStringList items;
    QCOMPARE(Get_GroupMembers("\\\\DC1", "Staff", items, false), 2);
    QCOMPARE(items, QStringList({"jdoe", "asmith"}));
    QCOMPARE(bed.net.calls.front().function, std::string("NetGroupGetUsers"));
    QCOMPARE(bed.net.calls.front().level, 0u);
}

void GroupMembershipTest::serverIsUsedAsItStands()
{
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("Staff", {"jdoe"});
    QStringList items;
    // A domain name is not looked up here: the caller gives the controller.
    Get_GroupMembers("SALES", "Staff", items, false);
    QCOMPARE(bed.net.count("NetGetDCName"), 0);
    QCOMPARE(bed.net.calls.front().server, std::string("SALES"));
    Get_UserGroups("SALES", "jdoe", items, false);
    QCOMPARE(bed.net.count("NetGetDCName"), 0);
}

void GroupMembershipTest::failingListingGivesZero()
{
    DirectoryTestBed bed;
    QStringList items;
    QCOMPARE(Get_GroupMembers("", "Ghosts", items, true), 0);
    QCOMPARE(appContext().LastNetStatus, platform::status::GroupNotFound);
}

void GroupMembershipTest::userGroupsLeaveOutNone()
{
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("None", {"jdoe"});
    bed.net.addGlobalGroup("Domain Users", {"jdoe"});
    QStringList items;
    QCOMPARE(Get_UserGroups("\\\\DC1", "jdoe", items, false), 1);
    QCOMPARE(items, QStringList{"Domain Users"});
    QCOMPARE(bed.net.calls.back().function, std::string("NetUserGetGroups"));
}

void GroupMembershipTest::localUserGroupsIncludeIndirectOnes()
{
    DirectoryTestBed bed;
    bed.net.addLocalGroup("Administrators", {"jdoe"});
    QStringList items;
    QCOMPARE(Get_UserGroups("", "jdoe", items, true), 1);
    QCOMPARE(bed.net.calls.back().function, std::string("NetUserGetLocalGroups"));
    // level 0, flags LG_INCLUDE_INDIRECT (recorded as flags << 8 | level)
    QCOMPARE(bed.net.calls.back().level, 0x100u);
}

void GroupMembershipTest::userGroupsThatDoNotFitInOneCallGiveZero()
{
    DirectoryTestBed bed;
    for (int i = 0; i < 1000; ++i)
        bed.net.addGlobalGroup("group with a long name number " + std::to_string(i), {"jdoe"});
    QStringList items;
    QCOMPARE(Get_UserGroups("", "jdoe", items, false), 0);
    QVERIFY(items.isEmpty());
    QCOMPARE(appContext().LastNetStatus, platform::status::MoreData);
}

void GroupMembershipTest::addingALocalMemberSendsExactlyOneRecord()
{
    DirectoryTestBed bed;
    bed.net.addLocalGroup("Users");
    QCOMPARE(Add_GroupMember("ENG\\jdoe", "SALES", "Users", true), 0);
    QCOMPARE(bed.net.lastMemberRecords.size(), size_t(1));
    QCOMPARE(bed.net.lastMemberRecords.front().domainAndName, std::string("ENG\\jdoe"));
    QCOMPARE(bed.net.calls.back().level, 3u);
    QCOMPARE(bed.net.calls.back().server, std::string("\\\\DC1"));
    // A membership change does not keep its status in LastNetStatus.
    appContext().LastNetStatus = 77;
    QCOMPARE(Add_GroupMember("ENG\\jdoe", "\\\\DC1", "Users", true),
             platform::status::MemberInAlias);
    QCOMPARE(appContext().LastNetStatus, 77);
    QCOMPARE(Delete_GroupMember("ENG\\jdoe", "SALES", "Users", true), 0);
    QVERIFY(bed.net.localMembers("Users").empty());
}

void GroupMembershipTest::globalMembershipUsesTheGroupCalls()
{
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("Staff");
    QCOMPARE(Add_GroupMember("jdoe", "SALES", "Staff", false), 0);
    QCOMPARE(bed.net.calls.back().function, std::string("NetGroupAddUser"));
    QCOMPARE(Delete_GroupMember("jdoe", "SALES", "Staff", false), 0);
    QCOMPARE(bed.net.calls.back().function, std::string("NetGroupDelUser"));
}

void GroupMembershipTest::removingANonMemberGivesTheServiceStatus()
{
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("Staff");
    bed.net.addLocalGroup("Users");
    QCOMPARE(Delete_GroupMember("jdoe", "", "Staff", false), platform::status::UserNotInGroup);
    QCOMPARE(Delete_GroupMember("ENG\\jdoe", "", "Users", true),
             platform::status::MemberNotInAlias);
}

QTEST_GUILESS_MAIN(GroupMembershipTest)
#include "test_group_membership.moc"
