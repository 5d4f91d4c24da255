// The identity functions and the filling of a domain drop-down list.
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/Identity.h"
#include "app/ListControl.h"
#include "platform/netapi/unsupported/UnsupportedNetworkManagement.h"
#include "support/TestPlatform.h"

#include <QTest>

using namespace testing_support;

class IdentityAndDomainListTest : public QObject {
    Q_OBJECT
private slots:
    void identityComesFromTheWorkstationCalls();
    void failedCallsYieldEmptyTextAndKeepTheirStatus();
    void unsupportedBackEndYieldsEmptyIdentity();
    void userNameIsCutAtTheFirstNul();
    void ownDomainStandsOnceAndLast();
    void includeLocalAddsMyComputerToBothLists();
    void myComputerOnlyWhereThisMachineKeepsAccounts();
    void emptyDomainListLeavesOnlyTheOwnDomain();
    void domainsKeepCollectionOrderAndCase();
};

void IdentityAndDomainListTest::identityComesFromTheWorkstationCalls()
{
    TestPlatform platform;
    QCOMPARE(Get_LogonDomain(), "SALES");
    QCOMPARE(appContext().LastNetStatus, 0);
    QCOMPARE(Get_WkstaDomain(), "SALES");
    QCOMPARE(Get_UserName(), "operator");
    QCOMPARE(Get_ComputerName(), "WS-TEST");
    QCOMPARE(Get_Identity(), "SALES\\operator");
}

void IdentityAndDomainListTest::failedCallsYieldEmptyTextAndKeepTheirStatus()
{
    TestPlatform platform;
    platform.net.wkstaUserStatus = 2221;
    QCOMPARE(Get_LogonDomain(), "");
    QCOMPARE(appContext().LastNetStatus, 2221);
    platform.net.wkstaStatus = 53;
    QCOMPARE(Get_WkstaDomain(), "");
    QCOMPARE(appContext().LastNetStatus, 53);
    platform.security.userNameResult = 0;
    QCOMPARE(Get_UserName(), "");
    QCOMPARE(appContext().LastNetStatus, 0);
}

void IdentityAndDomainListTest::unsupportedBackEndYieldsEmptyIdentity()
{
    TestPlatform platform;
    platform::UnsupportedNetworkManagement unsupported;
    auto families = platform::current();
    families.net = &unsupported;
    platform::install(families);
    QCOMPARE(Get_LogonDomain(), "");
    QCOMPARE(appContext().LastNetStatus, 50);
    QCOMPARE(Get_WkstaDomain(), "");
    QCOMPARE(Get_Identity(), "\\operator");
}

void IdentityAndDomainListTest::userNameIsCutAtTheFirstNul()
{
    TestPlatform platform;
    platform.security.userName = QString("jdoe") + QChar(u'\0') + "garbage";
    QCOMPARE(Get_UserName(), "jdoe");
}

void IdentityAndDomainListTest::ownDomainStandsOnceAndLast()
{
    TestPlatform platform;
    appContext().DomainList = {"ENG", "SALES", "HR"};
    StringListControl first;
    StringListControl second;
    Load_DomainList(first, false, &second);
    QCOMPARE(first.items(), QStringList({"ENG", "HR", "SALES"}));
    QCOMPARE(second.items(), first.items());
}

void IdentityAndDomainListTest::includeLocalAddsMyComputerToBothLists()
{
    TestPlatform platform;
    appContext().DomainList = {"ENG"};
    StringListControl first;
    StringListControl second;
    Load_DomainList(first, true, &second);
    QCOMPARE(first.items(), QStringList({"ENG", "SALES", "\\\\My Computer"}));
    QCOMPARE(second.items(), first.items());
}

// A back end whose machine keeps no accounts would answer every lookup of
// "\\My Computer" with 53 and stop every uniqueness search there.
void IdentityAndDomainListTest::myComputerOnlyWhereThisMachineKeepsAccounts()
{
    TestPlatform platform;
    platform.net.localAccounts = false;
    appContext().DomainList = {"ENG"};
    StringListControl first;
    StringListControl second;
    Load_DomainList(first, true, &second);
    QCOMPARE(first.items(), QStringList({"ENG", "SALES"}));
    QCOMPARE(second.items(), first.items());
}

void IdentityAndDomainListTest::emptyDomainListLeavesOnlyTheOwnDomain()
{
    TestPlatform platform;
    StringListControl first;
    Load_DomainList(first, true);
    QCOMPARE(first.items(), QStringList({"SALES", "\\\\My Computer"}));
}

void IdentityAndDomainListTest::domainsKeepCollectionOrderAndCase()
{
    TestPlatform platform;
    // The comparison with the own domain is exact: "sales" is another entry.
    appContext().DomainList = {"ZULU", "sales", "ALPHA"};
    StringListControl first;
    first.addItem("kept");
    Load_DomainList(first, false);
    QCOMPARE(first.items(), QStringList({"kept", "ZULU", "sales", "ALPHA", "SALES"}));
}

QTEST_GUILESS_MAIN(IdentityAndDomainListTest)
#include "test_identity_and_domain_list.moc"
