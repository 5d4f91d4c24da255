// The directory layer against the embedded directory: what only a real
// account database can show (password digests, lock-out, policies, paging by
// the byte rule).
#include "app/AppContext.h"
#include "directory/AccountCreation.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/GroupMembership.h"
#include "directory/ServerResolution.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/Seed.h"
#include "support/ScriptedSeams.h"
#include "support/TestPlatform.h"

#include <QTest>
#include <memory>

using namespace testing_support;
using platform::embedded::EmbeddedFixture;
using platform::embedded::EmbeddedNetworkManagement;

namespace {

// A fresh seeded file per test, installed as the network-management family.
struct EmbeddedBed {
    TestPlatform platform;
    ScriptedSeams seams;
    std::unique_ptr<EmbeddedNetworkManagement> net;
    std::unique_ptr<EmbeddedFixture> fixture;
    QString domain;

    EmbeddedBed()
    {
        net = std::make_unique<EmbeddedNetworkManagement>(
            platform.path("directory.sqlite").toStdString(), [this] { return seams.clock.time; });
        fixture = std::make_unique<EmbeddedFixture>(*net);
        platform::Families families = platform::current();
        families.net = net.get();
        platform::install(families);
        platform::WkstaInfo102 wksta;
        net->NetWkstaGetInfo("", wksta);
        domain = QString::fromStdString(wksta.langroup);
    }

    bool passwordIs(const QString &user, const QString &password)
    {
        return fixture->verifyPassword(domain.toStdString(), user.toStdString(),
                                       password.toStdString());
    }

    QVariantList read(QString name, bool &disabled, bool &lockedOut)
    {
        QVariantList items;
        bool cannotChange = false, neverExpires = false;
        disabled = lockedOut = false;
        Get_AccountInfo(name, domain, 0, items, false, cannotChange, neverExpires, disabled,
                        lockedOut);
        return items;
    }
};

} // namespace

class DirectoryOnEmbeddedTest : public QObject {
    Q_OBJECT
private slots:
    void softDeleteGivesAFreshPasswordAndKeepsTheName();
    void softDeleteSucceedsWhereComplexityIsEnforced();
    void fullUpdateWithEmptyStringsUnlocksALockedOutUser();
    void computerWs01GetsPasswordWs01();
    void largeLocalGroupIsListedWhole();
    void aReuseWhoseWriteIsRefusedRenamesBack();
    void aSoftDeleteLeavesTheLocalGroupsOfOtherDomains();
};

// The rename goes first and the write under the new name is refused (a
// weak password): the account gets its old name back, untouched.
void DirectoryOnEmbeddedTest::aReuseWhoseWriteIsRefusedRenamesBack()
{
    EmbeddedBed bed;
    QString name = "%leaver";
    QCOMPARE(Execute_Command("NT Add User Account.02", name, bed.domain,
                             {"Disabled", "Old#Pass1x", "", "", "", false}),
             0);
    QCOMPARE(bed.fixture->setPasswordPolicy(bed.domain.toStdString(), 8, true), 0);

    const int32_t result =
        Execute_Command("NT Add User Account.01", name, bed.domain,
                        {"d", "New Hire", "s.cmd", "c", false, "a", "newhire"});

    QCOMPARE(result, platform::status::PasswordTooShort);
    bool disabled = false, lockedOut = false;
    const QVariantList items = bed.read("%leaver", disabled, lockedOut);
    QVERIFY(!items.isEmpty());
    QCOMPARE(items.at(9).toString(), QStringLiteral("Disabled"));
    QVERIFY(bed.read("newhire", disabled, lockedOut).isEmpty());
    QVERIFY(bed.passwordIs("%leaver", "Old#Pass1x"));
}

// DOMAIN\name in a local group of another listed domain goes too.
void DirectoryOnEmbeddedTest::aSoftDeleteLeavesTheLocalGroupsOfOtherDomains()
{
    EmbeddedBed bed;
    QString name = "leaver";
    QCOMPARE(Execute_Command("NT Add User Account.02", name, bed.domain,
                             {"Lee Ver", "Old#Pass1x", "", "", "", false}),
             0);
    const QString sales = Get_DCName("SALES", {});
    QVERIFY(!sales.isEmpty());
    QString group = "vntkeep";
    QCOMPARE(Execute_Command("NT Add Group.01", group, sales, {"", true}), 0);
    QString member = bed.domain + "\\leaver";
    QCOMPARE(Execute_Command("NT View/Modify Group.02", member, sales, {group, true}), 0);
    appContext().DomainList = {bed.domain, "SALES"};

    CommandReport report;
    QCOMPARE(Execute_Command("NT Delete User Account.01", name, bed.domain,
                             {"%leaver", bed.domain}, &report),
             0);

    QStringList members;
    Get_GroupMembers(sales, group, members, true);
    QVERIFY2(!members.contains(member, Qt::CaseInsensitive), qPrintable(members.join(u',')));
    QVERIFY(report.keptBy.isEmpty());
}

void DirectoryOnEmbeddedTest::softDeleteGivesAFreshPasswordAndKeepsTheName()
{
    EmbeddedBed bed;
    QVERIFY(bed.net->isOpen());
    QString name = "leaver";
    QCOMPARE(Execute_Command("NT Add User Account.02", name, bed.domain,
                             {"Leaving Soon", "Old#Pass1", "", "Sales", "", false}),
             0);
    QVERIFY(bed.passwordIs("leaver", "Old#Pass1"));
    QCOMPARE(Execute_Command("NT Delete User Account.01", name, bed.domain, {""}), 0);
    QCOMPARE(name, "leaver");
    QVERIFY(!bed.passwordIs("leaver", "Old#Pass1"));
    QVERIFY(!bed.passwordIs("leaver", platform::embedded::SeedPassword));
    QVERIFY(!bed.passwordIs("leaver", ""));
    bool disabled = false, lockedOut = false;
    const QVariantList items = bed.read("leaver", disabled, lockedOut);
    QCOMPARE(items.value(0).toString(), "leaver");
    QCOMPARE(items.value(5).toString(), "Disabled");   // comment
    QCOMPARE(items.value(9).toString(), "Disabled");   // full name
    QVERIFY(disabled);

    // A second stripped account gets another password: the first one's does
    // not open it.
    QString other = "leaver2";
    QCOMPARE(Execute_Command("NT Add User Account.02", other, bed.domain,
                             {"", "Old#Pass1", "", "", "", false}),
             0);
    QCOMPARE(Execute_Command("NT Delete User Account.01", other, bed.domain, {"%leaver2"}), 0);
    QVERIFY(!bed.passwordIs("%leaver2", "Old#Pass1"));
}

void DirectoryOnEmbeddedTest::softDeleteSucceedsWhereComplexityIsEnforced()
{
    EmbeddedBed bed;
    QString name = "leaver";
    QCOMPARE(Execute_Command("NT Add User Account.02", name, bed.domain,
                             {"", "Old#Pass1xyzQ", "", "", "", false}),
             0);
    QCOMPARE(bed.fixture->setPasswordPolicy(bed.domain.toStdString(), 14, true), 0);
    // A word of eight lower-case letters would be refused here (2245).
    QString probe = "probe";
    QCOMPARE(Execute_Command("NT Add User Account.02", probe, bed.domain,
                             {"", "abcdefgh", "", "", "", false}),
             platform::status::PasswordTooShort);
    QCOMPARE(Execute_Command("NT Delete User Account.01", name, bed.domain, {""}), 0);
    QVERIFY(!bed.passwordIs("leaver", "Old#Pass1xyzQ"));
}

void DirectoryOnEmbeddedTest::fullUpdateWithEmptyStringsUnlocksALockedOutUser()
{
    EmbeddedBed bed;
    QString name = "locked";
    QCOMPARE(Execute_Command("NT Add User Account.02", name, bed.domain,
                             {"Locked Out", "Old#Pass1", "logon.bat", "Sales", "desk", false}),
             0);
    QCOMPARE(bed.fixture->setLockedOut(bed.domain.toStdString(), "locked", true), 0);
    bool disabled = false, lockedOut = false;
    bed.read("locked", disabled, lockedOut);
    QVERIFY(lockedOut);
    QCOMPARE(Execute_Command("NT View/Modify User Account.01", name, bed.domain,
                             {"", "", "", "", "", "", false, false, false, false}),
             0);
    const QVariantList items = bed.read("locked", disabled, lockedOut);
    QVERIFY(!lockedOut);
    QVERIFY(!disabled);
    QCOMPARE(items.value(5).toString(), "");  // comment
    QCOMPARE(items.value(7).toString(), "");  // script
    QCOMPARE(items.value(9).toString(), "");  // full name
    QCOMPARE(items.value(10).toString(), ""); // user comment
    QVERIFY(bed.passwordIs("locked", "Old#Pass1"));
}

void DirectoryOnEmbeddedTest::computerWs01GetsPasswordWs01()
{
    EmbeddedBed bed;
    QString name = "ws01";
    QCOMPARE(Execute_Command("NT Add Computer Account.01", name, bed.domain, {"x\\y"}), 0);
    QCOMPARE(name, "WS01");
    QVERIFY(bed.passwordIs("WS01$", "ws01"));
    QCOMPARE(Execute_Command("NT View/Modify Computer Account.02", name, bed.domain, {"ws02"}),
             0);
    QVERIFY(bed.passwordIs("WS02$", "ws01"));
    name = "ws02";
    QCOMPARE(Check_Account(name, bed.domain, 1, false), 0);
    QCOMPARE(name, "WS02");
}

void DirectoryOnEmbeddedTest::largeLocalGroupIsListedWhole()
{
    EmbeddedBed bed;
    int added = 0;
    QCOMPARE(bed.fixture->seedUsers(bed.domain.toStdString(), 1500, "member", added), 0);
    QCOMPARE(added, 1500);
    QString group = "Big Local Group";
    QCOMPARE(Execute_Command("NT Add Group.01", group, bed.domain, {"1500 members", true}), 0);
    QStringList expected;
    for (int i = 1; i <= 1500; ++i) {
        const QString member =
            bed.domain + "\\member" + QStringLiteral("%1").arg(i, 7, 10, QChar(u'0'));
        QCOMPARE(Add_GroupMember(member, bed.domain, group, true), 0);
        expected << member;
    }
    // About 60 bytes a record: more than 64000 bytes in all.
    const QString controller = Get_DCName(bed.domain, "");
    QStringList items;
    QCOMPARE(Get_GroupMembers(controller, group, items, true), 1500);
    QVERIFY(bed.seams.eventPump.passes >= 2); // one pass per chunk
    QStringList upper;
    for (const QString &item : items)
        upper << item.toUpper();
    QStringList expectedUpper;
    for (const QString &item : expected)
        expectedUpper << item.toUpper();
    upper.sort();
    expectedUpper.sort();
    QCOMPARE(upper, expectedUpper);
}

QTEST_GUILESS_MAIN(DirectoryOnEmbeddedTest)
#include "test_directory_on_embedded.moc"
