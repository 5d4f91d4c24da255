// Creating and deleting accounts and groups.
#include "app/AppContext.h"
#include "directory/AccountCreation.h"
#include "directory/DirectoryResult.h"
#include "support/DirectoryTestBed.h"

#include <QTest>

using namespace testing_support;
namespace uf = platform::uf;

class AccountCreationTest : public QObject {
    Q_OBJECT
private slots:
    void computerGetsDollarAndItsLowerCaseNameAsPassword_data();
    void computerGetsDollarAndItsLowerCaseNameAsPassword();
    void userIsCreatedEnabledNeverExpiringInDomainUsers();
    void mustChangePasswordExpiresTheNewPassword_data();
    void mustChangePasswordExpiresTheNewPassword();
    void groupsAreGlobalOrLocal();
    void deletingComputerWs01DeletesWs01Dollar();
    void unknownKindGivesMinusOneWithoutAnyCall();
    void onlyDeleteKeepsItsStatus();
};

void AccountCreationTest::computerGetsDollarAndItsLowerCaseNameAsPassword_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("password");
    QTest::newRow("ws01") << "ws01" << "ws01";
    QTest::newRow("WS01$ given with its dollar") << "WS01$" << "ws01$";
    QTest::newRow("mixed case") << "Ws01" << "ws01";
}

void AccountCreationTest::computerGetsDollarAndItsLowerCaseNameAsPassword()
{
    QFETCH(QString, given);
    QFETCH(QString, password);
    DirectoryTestBed bed;
    QString name = given;
    NewAccount account;
    account.Description = "SALES\\jdoe";
    account.Password = "ignored";
    QCOMPARE(Add_Account(name, "SALES", 1, account), 0);
    QCOMPARE(name, "WS01");
    QCOMPARE(account.Password, password);
    const platform::UserInfo3 *created = bed.net.user("WS01$");
    QVERIFY(created);
    QCOMPARE(created->name, std::string("WS01$"));
    QCOMPARE(QString::fromStdString(bed.net.passwordOf("WS01$")), password);
    QCOMPARE(created->flags, uint32_t(4097));
    QCOMPARE(created->comment, std::string("SALES\\jdoe"));
    QCOMPARE(created->priv, platform::priv::User);
    QCOMPARE(bed.net.calls.back().level, 1u);
    QCOMPARE(bed.net.calls.back().server, std::string("\\\\DC1"));
}

void AccountCreationTest::userIsCreatedEnabledNeverExpiringInDomainUsers()
{
    DirectoryTestBed bed;
    QString name = "jdoe";
    NewAccount account{"John Doe", "Secret#12", "logon.bat", "Sales", "desk 4", false, false};
    QCOMPARE(Add_Account(name, "\\\\DC9", 0, account), 0);
    const platform::UserInfo3 *created = bed.net.user("jdoe");
    QVERIFY(created);
    QCOMPARE(bed.net.calls.back().function, std::string("NetUserAdd"));
    QCOMPARE(bed.net.calls.back().level, 3u);
    QCOMPARE(bed.net.calls.back().server, std::string("\\\\DC9"));
    QCOMPARE(created->flags, uint32_t(513));
    QCOMPARE(created->acctExpires, platform::TimeqForever);
    QCOMPARE(created->primaryGroupId, uint32_t(513));
    QCOMPARE(created->homeDir, std::string());
    QCOMPARE(created->profile, std::string());
    QCOMPARE(created->homeDirDrive, std::string());
    QCOMPARE(created->fullName, std::string("John Doe"));
    QCOMPARE(created->scriptPath, std::string("logon.bat"));
    QCOMPARE(created->comment, std::string("Sales"));
    QCOMPARE(created->usrComment, std::string("desk 4"));
    QCOMPARE(created->maxStorage, 0u);
    QVERIFY(created->logonHours.empty());
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Secret#12"));
    QCOMPARE(account.Password, "Secret#12");
}

void AccountCreationTest::mustChangePasswordExpiresTheNewPassword_data()
{
    QTest::addColumn<bool>("mustChange");
    QTest::addColumn<bool>("expired");
    QTest::newRow("must change") << true << true;
    QTest::newRow("current") << false << false;
}

void AccountCreationTest::mustChangePasswordExpiresTheNewPassword()
{
    QFETCH(bool, mustChange);
    DirectoryTestBed bed;
    QString name = "jdoe";
    NewAccount account;
    account.MustChangePassword = mustChange;
    QCOMPARE(Add_Account(name, "", 0, account), 0);
    QTEST(bed.net.user("jdoe")->passwordExpired != 0, "expired");
}

void AccountCreationTest::groupsAreGlobalOrLocal()
{
    DirectoryTestBed bed;
    QString name = "Auditors";
    NewAccount account;
    account.Description = "who audits";
    QCOMPARE(Add_Account(name, "SALES", 2, account), 0);
    QVERIFY(bed.net.globalGroup("Auditors"));
    QCOMPARE(bed.net.globalGroup("Auditors")->comment, std::string("who audits"));
    account.LocalGroup = true;
    QCOMPARE(Add_Account(name, "SALES", 2, account), 0);
    QVERIFY(bed.net.localGroup("Auditors"));
    QCOMPARE(Add_Account(name, "SALES", 2, account), platform::status::AliasExists);
}

void AccountCreationTest::deletingComputerWs01DeletesWs01Dollar()
{
    DirectoryTestBed bed;
    bed.net.addUser("WS01$", "", uf::WorkstationTrustAccount);
    bed.net.addUser("WS01");
    QString name = "ws01";
    QCOMPARE(Delete_Account(name, "SALES", 1, false), 0);
    QCOMPARE(name, "WS01");
    QVERIFY(!bed.net.user("WS01$"));
    QVERIFY(bed.net.user("WS01"));
    QCOMPARE(bed.net.calls.back().target, std::string("WS01$"));
}

void AccountCreationTest::unknownKindGivesMinusOneWithoutAnyCall()
{
    DirectoryTestBed bed;
    QString name = "x";
    NewAccount account;
    QCOMPARE(Add_Account(name, "SALES", 3, account), directory_result::Failure);
    QCOMPARE(Delete_Account(name, "SALES", 3, false), directory_result::Failure);
    QCOMPARE(Add_Account(name, "SALES", -1, account), directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
}

void AccountCreationTest::onlyDeleteKeepsItsStatus()
{
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    QString name = "jdoe";
    NewAccount account;
    appContext().LastNetStatus = 77;
    QCOMPARE(Add_Account(name, "", 0, account), platform::status::UserExists);
    QCOMPARE(appContext().LastNetStatus, 77);
    name = "nobody";
    QCOMPARE(Delete_Account(name, "", 0, false), platform::status::UserNotFound);
    QCOMPARE(appContext().LastNetStatus, platform::status::UserNotFound);
    name = "Ghosts";
    QCOMPARE(Delete_Account(name, "", 2, true), platform::status::GroupNotFound);
    QCOMPARE(bed.net.calls.back().function, std::string("NetLocalGroupDel"));
}

QTEST_GUILESS_MAIN(AccountCreationTest)
#include "test_account_creation.moc"
