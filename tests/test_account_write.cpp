// Changing accounts: full and partial updates, the home-directory drive,
// unlocking, passwords and renames.
#include "app/AppContext.h"
#include "directory/AccountWrite.h"
#include "directory/DirectoryResult.h"
#include "support/DirectoryTestBed.h"

#include <QTest>

using namespace testing_support;
namespace uf = platform::uf;

namespace {

std::vector<std::string> functionsCalled(const FakeDirectory &net)
{
    std::vector<std::string> functions;
    for (const FakeCall &call : net.calls)
        functions.push_back(call.function + "/" + std::to_string(call.level));
    return functions;
}

platform::UserInfo3 &fullyDescribedUser(FakeDirectory &net)
{
    platform::UserInfo3 &user = net.addUser("jdoe", "Old#Pass1", 513 | uf::Lockout
                                                                 | uf::DontExpirePasswd);
    user.profile = "\\\\files\\profiles\\jdoe";
    user.homeDir = "\\\\files\\jdoe";
    user.homeDirDrive = "H:";
    user.fullName = "John Doe";
    user.scriptPath = "logon.bat";
    user.comment = "Sales";
    user.usrComment = "desk 4";
    user.badPwCount = 5;
    user.acctExpires = 1000;
    return user;
}

} // namespace

class AccountWriteTest : public QObject {
    Q_OBJECT
private slots:
    void partialUpdateWritesOnlyWhatIsGiven();
    void fullUpdateWithEmptyStringsClearsAndUnlocks();
    void fullUpdateRebuildsFlagsFromTheFourFlags_data();
    void fullUpdateRebuildsFlagsFromTheFourFlags();
    void homeDirectoryMayBeginWithADriveInBrackets_data();
    void homeDirectoryMayBeginWithADriveInBrackets();
    void mustChangeAloneWritesNothing();
    void passwordIsWrittenOnlyWhenGiven();
    void renamingAUserIsAReadAndALevelZeroCall();
    void renamingComputerWs01ToWs02();
    void computerDescriptionIsItsComment();
    void groupsChangeTheirCommentAndName();
    void readFailureWritesNothing();
    void writeRefusedUnderTheNewNameRenamesBack();
    void unknownKindGivesMinusOne();
};

void AccountWriteTest::partialUpdateWritesOnlyWhatIsGiven()
{
    DirectoryTestBed bed;
    const platform::UserInfo3 before = fullyDescribedUser(bed.net);
    QString name = "jdoe";
    AccountChanges changes;
    changes.Description = "Marketing";
    QCOMPARE(Set_AccountInfo(name, "SALES", 0, changes), 0);
    const platform::UserInfo3 &after = *bed.net.user("jdoe");
    QCOMPARE(after.comment, std::string("Marketing"));
    QCOMPARE(after.profile, before.profile);
    QCOMPARE(after.homeDir, before.homeDir);
    QCOMPARE(after.homeDirDrive, before.homeDirDrive);
    QCOMPARE(after.fullName, before.fullName);
    QCOMPARE(after.usrComment, before.usrComment);
    QCOMPARE(after.flags, before.flags);
    QCOMPARE(after.acctExpires, before.acctExpires);
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Old#Pass1"));
    QCOMPARE(functionsCalled(bed.net),
             std::vector<std::string>({"NetGetDCName/0", "NetUserGetInfo/3", "NetUserSetInfo/3"}));
}

void AccountWriteTest::fullUpdateWithEmptyStringsClearsAndUnlocks()
{
    DirectoryTestBed bed;
    fullyDescribedUser(bed.net);
    QString name = "jdoe";
    AccountChanges changes;
    changes.FullUpdate = true;
    QCOMPARE(Set_AccountInfo(name, "SALES", 0, changes), 0);
    const platform::UserInfo3 &after = *bed.net.user("jdoe");
    QCOMPARE(after.profile, std::string());
    QCOMPARE(after.homeDir, std::string());
    QCOMPARE(after.homeDirDrive, std::string());
    QCOMPARE(after.fullName, std::string());
    QCOMPARE(after.scriptPath, std::string());
    QCOMPARE(after.comment, std::string());
    QCOMPARE(after.usrComment, std::string());
    QCOMPARE(after.flags, uint32_t(513));
    QVERIFY(!(after.flags & uf::Lockout));
    QCOMPARE(after.passwordExpired, 0u);
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Old#Pass1"));
}

void AccountWriteTest::fullUpdateRebuildsFlagsFromTheFourFlags_data()
{
    QTest::addColumn<bool>("cannotChange");
    QTest::addColumn<bool>("neverExpires");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<uint>("flags");
    QTest::newRow("none") << false << false << false << 513u;
    QTest::newRow("cannot change") << true << false << false << 577u;
    QTest::newRow("never expires") << false << true << false << 66049u;
    QTest::newRow("disabled") << false << false << true << 515u;
    QTest::newRow("all three") << true << true << true << 66115u;
}

void AccountWriteTest::fullUpdateRebuildsFlagsFromTheFourFlags()
{
    QFETCH(bool, cannotChange);
    QFETCH(bool, neverExpires);
    QFETCH(bool, disabled);
    DirectoryTestBed bed;
    bed.net.addUser("jdoe", "", 513 | uf::Lockout | uf::PasswdNotReqd | uf::HomedirRequired);
    QString name = "jdoe";
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.CannotChange = cannotChange;
    changes.NeverExpires = neverExpires;
    changes.Disabled = disabled;
    changes.MustChange = true;
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), 0);
    // The flags the update does not manage stay; lock-out is cleared.
    QFETCH(uint, flags);
    QCOMPARE(uint(bed.net.user("jdoe")->flags), flags | uf::PasswdNotReqd | uf::HomedirRequired);
    QVERIFY(bed.net.user("jdoe")->passwordExpired != 0);
}

void AccountWriteTest::homeDirectoryMayBeginWithADriveInBrackets_data()
{
    QTest::addColumn<QString>("homeDir");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("path");
    QTest::newRow("bracketed H, then a UNC path")
        << "[H]\\\\files\\jdoe" << "H:" << "\\\\files\\jdoe";
    QTest::newRow("no closing bracket: whole") << "[H\\\\files\\jdoe" << ""
                                               << "[H\\\\files\\jdoe";
    QTest::newRow("closing bracket second: whole") << "[]x" << "" << "[]x";
    QTest::newRow("longer bracket: its first letter") << "[HX]d:\\home" << "H:" << "d:\\home";
    QTest::newRow("drive alone") << "[Z]" << "Z:" << "";
    QTest::newRow("no bracket") << "\\\\files\\jdoe" << "" << "\\\\files\\jdoe";
}

void AccountWriteTest::homeDirectoryMayBeginWithADriveInBrackets()
{
    QFETCH(QString, homeDir);
    DirectoryTestBed bed;
    fullyDescribedUser(bed.net);
    QString name = "jdoe";
    AccountChanges changes;
    changes.HomeDir = homeDir;
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), 0);
    QTEST(QString::fromStdString(bed.net.user("jdoe")->homeDirDrive), "drive");
    QTEST(QString::fromStdString(bed.net.user("jdoe")->homeDir), "path");
}

void AccountWriteTest::mustChangeAloneWritesNothing()
{
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    QString name = "jdoe";
    AccountChanges changes;
    changes.MustChange = true;
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), 0);
    QCOMPARE(bed.net.count("NetUserSetInfo"), 0);
    QCOMPARE(bed.net.user("jdoe")->passwordExpired, 0u);
}

void AccountWriteTest::passwordIsWrittenOnlyWhenGiven()
{
    DirectoryTestBed bed;
    bed.net.addUser("jdoe", "Old#Pass1");
    QString name = "jdoe";
    AccountChanges changes;
    changes.Password = "New#Pass2";
    changes.MustChange = true;
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), 0);
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("New#Pass2"));
    QVERIFY(bed.net.user("jdoe")->passwordExpired != 0);
}

void AccountWriteTest::renamingAUserIsAReadAndALevelZeroCall()
{
    DirectoryTestBed bed;
    bed.net.addUser("A");
    QString name = "A";
    AccountChanges changes;
    changes.NewName = "B";
    QCOMPARE(Set_AccountInfo(name, "\\\\DC1", 0, changes), 0);
    QCOMPARE(functionsCalled(bed.net),
             std::vector<std::string>({"NetUserGetInfo/3", "NetUserSetInfo/0"}));
    QVERIFY(bed.net.user("B"));
    QVERIFY(!bed.net.user("A"));
}

void AccountWriteTest::renamingComputerWs01ToWs02()
{
    DirectoryTestBed bed;
    bed.net.addUser("WS01$", "ws01", 4097);
    QString name = "ws01";
    AccountChanges changes;
    changes.NewName = "ws02";
    QCOMPARE(Set_AccountInfo(name, "SALES", 1, changes), 0);
    QCOMPARE(name, "WS01");
    QCOMPARE(changes.NewName, "WS02");
    QVERIFY(bed.net.user("WS02$"));
    QVERIFY(!bed.net.user("WS01$"));
    QCOMPARE(bed.net.calls.back().target, std::string("WS01$"));
    // The machine keeps its password: a rename does not write one.
    QCOMPARE(bed.net.passwordOf("WS02$"), std::string("ws01"));
    QCOMPARE(bed.net.count("NetUserSetInfo"), 1);
}

void AccountWriteTest::computerDescriptionIsItsComment()
{
    DirectoryTestBed bed;
    bed.net.addUser("WS01$", "", 4097).comment = "SALES\\old";
    QString name = "ws01";
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.Description = "SALES\\jdoe";
    QCOMPARE(Set_AccountInfo(name, "", 1, changes), 0);
    QCOMPARE(bed.net.user("WS01$")->comment, std::string("SALES\\jdoe"));
    QCOMPARE(bed.net.user("WS01$")->flags, uint32_t(4097));
    QCOMPARE(bed.net.calls.back().level, 1u);
}

void AccountWriteTest::groupsChangeTheirCommentAndName()
{
    DirectoryTestBed bed;
    bed.net.addLocalGroup("Auditors");
    QString name = "Auditors";
    AccountChanges changes;
    changes.LocalGroup = true;
    changes.Description = "who audits";
    changes.NewName = "Reviewers";
    QCOMPARE(Set_AccountInfo(name, "", 2, changes), 0);
    QVERIFY(bed.net.localGroup("Reviewers"));
    QCOMPARE(bed.net.localGroup("Reviewers")->comment, std::string("who audits"));
    QCOMPARE(functionsCalled(bed.net),
             std::vector<std::string>({"NetLocalGroupGetInfo/1", "NetLocalGroupSetInfo/0",
                                       "NetLocalGroupSetInfo/1"}));
}

void AccountWriteTest::readFailureWritesNothing()
{
    DirectoryTestBed bed;
    QString name = "nobody";
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.NewName = "somebody";
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), platform::status::UserNotFound);
    QCOMPARE(bed.net.calls.size(), size_t(1));
    QCOMPARE(appContext().LastNetStatus, platform::status::UserNotFound);
}

// The rename goes first; a write refused under the new name is undone by
// renaming back, so the account keeps its name and its password.
void AccountWriteTest::writeRefusedUnderTheNewNameRenamesBack()
{
    DirectoryTestBed bed;
    bed.net.addUser("jdoe", "Old#Pass1");
    bed.net.inject = [](const FakeCall &call) {
        return call.function == "NetUserSetInfo" && call.level == 3
            ? platform::status::PasswordTooShort
            : 0;
    };
    QString name = "jdoe";
    AccountChanges changes;
    changes.Password = "x";
    changes.NewName = "jdoe2";
    QCOMPARE(Set_AccountInfo(name, "", 0, changes), platform::status::PasswordTooShort);
    QCOMPARE(functionsCalled(bed.net),
             std::vector<std::string>({"NetUserGetInfo/3", "NetUserSetInfo/0",
                                       "NetUserSetInfo/3", "NetUserSetInfo/0"}));
    QVERIFY(bed.net.user("jdoe"));
    QVERIFY(!bed.net.user("jdoe2"));
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Old#Pass1"));
}

void AccountWriteTest::unknownKindGivesMinusOne()
{
    DirectoryTestBed bed;
    QString name = "jdoe";
    AccountChanges changes;
    QCOMPARE(Set_AccountInfo(name, "SALES", 5, changes), directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
}

QTEST_GUILESS_MAIN(AccountWriteTest)
#include "test_account_write.moc"
