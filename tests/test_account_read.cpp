// Whether an account exists, and its properties in the windows' order.
#include "app/AppContext.h"
#include "directory/AccountRead.h"
#include "directory/DirectoryResult.h"
#include "directory/UniquenessSearch.h"
#include "support/DirectoryTestBed.h"

#include <QDate>
#include <QTest>

using namespace testing_support;
namespace uf = platform::uf;

namespace {

// The test clock's present moment counted as if its local time were UTC.
int64_t localNowSeconds(const DirectoryTestBed &bed)
{
    const QDateTime now = bed.seams.clock.time;
    return QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch();
}

} // namespace

class AccountReadTest : public QObject {
    Q_OBJECT
private slots:
    void userValuesComeInTheWindowsOrder();
    void privilegeIsAWord_data();
    void privilegeIsAWord();
    void datesCountWholeDaysFromToday_data();
    void datesCountWholeDaysFromToday();
    void flagOutputsAreOnlyEverSetTrue();
    void computerWs01IsReadAsWs01Dollar();
    void groupAndMachineValues();
    void unreachableMachineGivesTheServiceStatus();
    void missingAccountAppendsNothing();
    void checkAccountTellsWhetherItExists_data();
    void checkAccountTellsWhetherItExists();
    void unknownKindGivesMinusOne();
    void onlyTheKindsNotFoundProvesANameFree_data();
    void onlyTheKindsNotFoundProvesANameFree();
};

void AccountReadTest::userValuesComeInTheWindowsOrder()
{
    DirectoryTestBed bed;
    platform::UserInfo3 &user = bed.net.addUser("jdoe", "pw", 513 | uf::DontExpirePasswd);
    user.passwordAge = 3600;
    user.priv = platform::priv::Admin;
    user.homeDir = "\\\\files\\jdoe";
    user.comment = "Sales";
    user.scriptPath = "logon.bat";
    user.authFlags = platform::af::OpAccounts;
    user.fullName = "John Doe";
    user.usrComment = "desk 4";
    user.parms = "p";
    user.workstations = "WS01,WS02";
    user.lastLogon = 0;
    user.lastLogoff = 0;
    user.acctExpires = platform::TimeqForever;
    user.maxStorage = platform::UserMaxStorageUnlimited;
    user.logonHours.assign(21, 0xFF);
    user.badPwCount = 2;
    user.numLogons = 17;
    user.logonServer = "\\\\DC1";
    user.countryCode = 44;
    user.codePage = 850;
    user.primaryGroupId = 513;
    user.profile = "\\\\files\\profiles\\jdoe";
    user.homeDirDrive = "H:";
    user.passwordExpired = 1;

    QString name = "jdoe";
    QVariantList items{"held before"};
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    QCOMPARE(Get_AccountInfo(name, "SALES", 0, items, false, cannotChange, neverExpires,
                             disabled, lockedOut),
             0);
    QCOMPARE(bed.net.calls.back().level, 3u);
    QCOMPARE(items.size(), 30);
    items.removeFirst();
    const QDate epoch(1970, 1, 1);
    const QVariantList expected{"jdoe", "", 3600, "ADMIN", "\\\\files\\jdoe", "Sales",
                                int32_t(513 | uf::DontExpirePasswd), "logon.bat",
                                int32_t(platform::af::OpAccounts), "John Doe", "desk 4", "p",
                                "WS01,WS02", epoch, epoch, "Never", -1, 168, 21, 2, 17,
                                "\\\\DC1", 44, 850, int32_t(user.userId), 513,
                                "\\\\files\\profiles\\jdoe", "H:", true};
    QCOMPARE(items.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(items.at(i) == expected.at(i), qPrintable(QStringLiteral("value %1").arg(i + 1)));
    QVERIFY(neverExpires);
    QVERIFY(!cannotChange && !disabled && !lockedOut);
}

void AccountReadTest::privilegeIsAWord_data()
{
    QTest::addColumn<uint>("privilege");
    QTest::addColumn<QString>("word");
    QTest::newRow("0") << 0u << "GUEST";
    QTest::newRow("1") << 1u << "USER";
    QTest::newRow("2") << 2u << "ADMIN";
    QTest::newRow("3") << 3u << "MASK";
}

void AccountReadTest::privilegeIsAWord()
{
    QFETCH(uint, privilege);
    DirectoryTestBed bed;
    bed.net.addUser("jdoe").priv = privilege;
    QString name = "jdoe";
    QVariantList items;
    bool a = false, b = false, c = false, d = false;
    Get_AccountInfo(name, "", 0, items, false, a, b, c, d);
    QTEST(items.at(3).toString(), "word");
}

void AccountReadTest::datesCountWholeDaysFromToday_data()
{
    QTest::addColumn<qint64>("offsetSeconds");
    QTest::addColumn<int>("daysFromToday");
    QTest::newRow("expires in ten days") << qint64(10 * 86400) << 10;
    QTest::newRow("a day and a half ago: yesterday") << qint64(-129600) << -1;
    QTest::newRow("in a day and a half: truncated toward zero") << qint64(129600) << 1;
    QTest::newRow("an hour ago: today") << qint64(-3600) << 0;
}

void AccountReadTest::datesCountWholeDaysFromToday()
{
    QFETCH(qint64, offsetSeconds);
    QFETCH(int, daysFromToday);
    DirectoryTestBed bed;
    const uint32_t stored = uint32_t(localNowSeconds(bed) + offsetSeconds);
    platform::UserInfo3 &user = bed.net.addUser("jdoe");
    user.lastLogon = stored;
    user.lastLogoff = stored;
    user.acctExpires = stored;
    QString name = "jdoe";
    QVariantList items;
    bool a = false, b = false, c = false, d = false;
    QCOMPARE(Get_AccountInfo(name, "", 0, items, false, a, b, c, d), 0);
    const QDate expected = bed.seams.clock.time.date().addDays(daysFromToday);
    QCOMPARE(items.at(13).toDate(), expected);
    QCOMPARE(items.at(14).toDate(), expected);
    QCOMPARE(items.at(15).toDate(), expected);
}

void AccountReadTest::flagOutputsAreOnlyEverSetTrue()
{
    DirectoryTestBed bed;
    bed.net.addUser("locked", "", 513 | uf::Lockout | uf::AccountDisable);
    QString name = "locked";
    QVariantList items;
    bool cannotChange = true, neverExpires = false, disabled = false, lockedOut = false;
    QCOMPARE(Get_AccountInfo(name, "", 0, items, false, cannotChange, neverExpires, disabled,
                             lockedOut),
             0);
    QVERIFY(lockedOut);
    QVERIFY(disabled);
    QVERIFY(cannotChange); // as the caller set it
    QVERIFY(!neverExpires);
}

void AccountReadTest::computerWs01IsReadAsWs01Dollar()
{
    DirectoryTestBed bed;
    platform::UserInfo3 &machine = bed.net.addUser("WS01$", "", 4097);
    machine.comment = "SALES\\jdoe";
    machine.passwordAge = 60;
    QString name = "ws01";
    QVariantList items;
    bool a = false, b = false, c = false, d = false;
    QCOMPARE(Get_AccountInfo(name, "SALES", 1, items, false, a, b, c, d), 0);
    QCOMPARE(name, "WS01");
    QCOMPARE(bed.net.calls.back().target, std::string("WS01$"));
    QCOMPARE(bed.net.calls.back().level, 1u);
    QCOMPARE(items, QVariantList({"WS01$", "", 60, 1, "", "SALES\\jdoe", 4097, ""}));
}

void AccountReadTest::groupAndMachineValues()
{
    DirectoryTestBed bed;
    bed.net.addLocalGroup("Users");
    bed.net.machines["FILES"] = {500, "FILES", 4, 0, platform::svtype::ServerNt, "file server"};
    bool a = false, b = false, c = false, d = false;
    QString group = "users";
    QVariantList items;
    QCOMPARE(Get_AccountInfo(group, "", 2, items, true, a, b, c, d), 0);
    QCOMPARE(items, QVariantList({"Users", ""}));
    QCOMPARE(bed.net.calls.back().function, std::string("NetLocalGroupGetInfo"));

    QString machine = "\\\\FILES";
    items.clear();
    QCOMPARE(Get_AccountInfo(machine, "SALES", 5, items, false, a, b, c, d), 0);
    QCOMPARE(items, QVariantList({500, "FILES", 4, 0, int32_t(platform::svtype::ServerNt),
                                  "file server"}));
    // Asked of the machine itself, not of the domain's controller.
    QCOMPARE(bed.net.calls.back().server, std::string("\\\\FILES"));
    QCOMPARE(bed.net.calls.back().level, 101u);
}

void AccountReadTest::unreachableMachineGivesTheServiceStatus()
{
    DirectoryTestBed bed;
    QString machine = "\\\\GONE";
    QVariantList items;
    bool a = false, b = false, c = false, d = false;
    QCOMPARE(Get_AccountInfo(machine, "", 5, items, false, a, b, c, d),
             platform::status::BadNetPath);
    QVERIFY(items.isEmpty());
    QCOMPARE(appContext().LastNetStatus, platform::status::BadNetPath);
}

void AccountReadTest::missingAccountAppendsNothing()
{
    DirectoryTestBed bed;
    QString name = "nobody";
    QVariantList items{"kept"};
    bool a = false, b = false, c = false, d = false;
    QCOMPARE(Get_AccountInfo(name, "", 0, items, false, a, b, c, d),
             platform::status::UserNotFound);
    QCOMPARE(items, QVariantList{"kept"});
    QString group = "Ghosts";
    QCOMPARE(Get_AccountInfo(group, "", 2, items, false, a, b, c, d),
             platform::status::GroupNotFound);
    QCOMPARE(items, QVariantList{"kept"});
}

void AccountReadTest::checkAccountTellsWhetherItExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("localGroup");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("user") << "jdoe" << 0 << false << 0 << "jdoe";
    QTest::newRow("missing user") << "nobody" << 0 << false << 2221 << "nobody";
    QTest::newRow("computer ws01") << "ws01" << 1 << false << 0 << "WS01";
    QTest::newRow("global group") << "Staff" << 2 << false << 0 << "Staff";
    QTest::newRow("local group is not global") << "Users" << 2 << false << 2220 << "Users";
    QTest::newRow("local group") << "Users" << 2 << true << 0 << "Users";
}

void AccountReadTest::checkAccountTellsWhetherItExists()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(bool, localGroup);
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    bed.net.addUser("WS01$", "", 4097);
    bed.net.addGlobalGroup("Staff");
    bed.net.addLocalGroup("Users");
    QTEST(Check_Account(name, "SALES", kind, localGroup), "result");
    QTEST(name, "nameAfter");
    QTEST(appContext().LastNetStatus, "result");
}

void AccountReadTest::unknownKindGivesMinusOne()
{
    DirectoryTestBed bed;
    QString name = "jdoe";
    QVariantList items;
    bool a = false, b = false, c = false, d = false;
    QCOMPARE(Check_Account(name, "", 5, false), directory_result::Failure);
    QCOMPARE(Get_AccountInfo(name, "", 3, items, false, a, b, c, d), directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
}

void AccountReadTest::onlyTheKindsNotFoundProvesANameFree_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("localGroup");
    QTest::addColumn<NameLookup>("outcome");
    using enum NameLookup;
    const int user = account_kind::User, group = account_kind::Group;
    QTest::newRow("user exists") << 0 << user << false << Taken;
    QTest::newRow("user not found") << 2221 << user << false << Free;
    QTest::newRow("a group's not found, asked for a user") << 2220 << user << false << Failed;
    QTest::newRow("global group not found") << 2220 << group << false << Free;
    QTest::newRow("no such alias, asked for a global group") << 1376 << group << false
                                                              << Failed;
    QTest::newRow("local group: no such alias") << 1376 << group << true << Free;
    QTest::newRow("local group: user not found") << 2221 << group << true << Failed;
    QTest::newRow("no controller") << -9 << user << false << Unreachable;
    QTest::newRow("access denied") << 5 << user << false << Failed;
    QTest::newRow("the layer's own failure") << -1 << account_kind::Computer << false << Failed;
}

void AccountReadTest::onlyTheKindsNotFoundProvesANameFree()
{
    QFETCH(int, status);
    QFETCH(int, kind);
    QFETCH(bool, localGroup);
    QTEST(Classify_Lookup(status, kind, localGroup), "outcome");
}

QTEST_GUILESS_MAIN(AccountReadTest)
#include "test_account_read.moc"
