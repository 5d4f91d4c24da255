// Name marshalling, the choice of server from what the operator typed, the
// -9 of an unknown domain, and the trusted-domain list.
#include "app/AppContext.h"
#include "directory/AccountCreation.h"
#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/AccountWrite.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/GroupMembership.h"
#include "directory/NetStrings.h"
#include "directory/ServerResolution.h"
#include "directory/TrustedDomains.h"
#include "support/DirectoryTestBed.h"

#include <QTest>
#include <functional>

using namespace testing_support;

class DirectoryServersAndTrustsTest : public QObject {
    Q_OBJECT
private slots:
    void trimNullCutsAtTheFirstNul_data();
    void trimNullCutsAtTheFirstNul();
    void serviceStringsEndAtTheirNul();
    void serverTextChoosesTheServerOfTheCalls_data();
    void serverTextChoosesTheServerOfTheCalls();
    void controllerNameIsGivenAsTheServiceGivesIt();
    void unknownDomainGivesMinusNineWithoutAnyOtherCall();
    void trustListsKeepServiceOrder_data();
    void trustListsKeepServiceOrder();
    void failingTrustCallLeavesTheCollectionAlone();
    void trustedDomainsAreAppendedToWhatTheCollectionHeld();
};

void DirectoryServersAndTrustsTest::trimNullCutsAtTheFirstNul_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("no NUL: unchanged") << "SALES" << "SALES";
    QTest::newRow("begins with NUL: empty") << QString(QChar(u'\0')) + "SALES" << "";
    QTest::newRow("cut at the first of several")
        << "DC1" + QString(QChar(u'\0')) + "x" + QString(QChar(u'\0')) << "DC1";
    QTest::newRow("empty") << "" << "";
}

void DirectoryServersAndTrustsTest::trimNullCutsAtTheFirstNul()
{
    QFETCH(QString, text);
    QTEST(Trim_Null(text), "trimmed");
}

void DirectoryServersAndTrustsTest::serviceStringsEndAtTheirNul()
{
    QCOMPARE(Get_StrFromPtr(std::string("J\xC3\xBCrgen\0rest", 12)), QString::fromUtf8("Jürgen"));
    QCOMPARE(Get_StrFromPtr({}), QString());
    QCOMPARE(To_NetStr(QString::fromUtf8("Jürgen")), std::string("J\xC3\xBCrgen"));
}

void DirectoryServersAndTrustsTest::serverTextChoosesTheServerOfTheCalls_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("controllerLookups");
    QTest::addColumn<QString>("calledServer");
    QTest::newRow("two backslashes: as it stands") << "\\\\FILES01" << 0 << 0 << "\\\\FILES01";
    QTest::newRow("a domain: its controller") << "SALES" << 0 << 1 << "\\\\DC1";
    QTest::newRow("empty: this machine") << "" << 0 << 0 << "";
    // One backslash makes no server name: the text is taken as a domain.
    QTest::newRow("one backslash: a domain") << "\\SALES" << -9 << 1 << "";
}

void DirectoryServersAndTrustsTest::serverTextChoosesTheServerOfTheCalls()
{
    QFETCH(QString, server);
    QFETCH(int, result);
    QFETCH(int, controllerLookups);
    QFETCH(QString, calledServer);
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    QString name = "jdoe";
    const QString before = server;
    QCOMPARE(Check_Account(name, server, account_kind::User, false), result);
    QCOMPARE(server, before);
    QCOMPARE(bed.net.count("NetGetDCName"), controllerLookups);
    if (result == 0) {
        const FakeCall &read = bed.net.calls.back();
        QCOMPARE(read.function, std::string("NetUserGetInfo"));
        QCOMPARE(QString::fromStdString(read.server), calledServer);
    }
}

void DirectoryServersAndTrustsTest::controllerNameIsGivenAsTheServiceGivesIt()
{
    DirectoryTestBed bed;
    QCOMPARE(Get_DCName("SALES", ""), "\\\\DC1");
    QCOMPARE(appContext().LastNetStatus, 0);
    QCOMPARE(bed.net.calls.back().target, std::string("SALES"));
    QCOMPARE(Get_DCName("NOWHERE", ""), "");
    QCOMPARE(appContext().LastNetStatus, platform::status::DCNotFound);
    // The service's work area holds 127 characters and the NUL.
    bed.net.controllers["LONG"] = "\\\\" + std::string(200, 'X');
    QCOMPARE(Get_DCName("LONG", "").size(), 127);
}

void DirectoryServersAndTrustsTest::unknownDomainGivesMinusNineWithoutAnyOtherCall()
{
    using Operation = std::function<int32_t()>;
    const QString domain = "NOWHERE";
    QString name = "ws01";
    QStringList items;
    QVariantList values;
    bool a = false, b = false, c = false, d = false;
    NewAccount account;
    AccountChanges changes;
    const std::vector<std::pair<const char *, Operation>> operations{
        {"Add_Account",
         [&] { return Add_Account(name, domain, account_kind::Computer, account); }},
        {"Delete_Account",
         [&] { return Delete_Account(name, domain, account_kind::User, false); }},
        {"Check_Account", [&] { return Check_Account(name, domain, account_kind::Group, true); }},
        {"Get_AccountInfo",
         [&] { return Get_AccountInfo(name, domain, 0, values, false, a, b, c, d); }},
        {"Set_AccountInfo",
         [&] { return Set_AccountInfo(name, domain, account_kind::User, changes); }},
        {"Add_GroupMember", [&] { return Add_GroupMember(name, domain, "Users", true); }},
        {"Delete_GroupMember", [&] { return Delete_GroupMember(name, domain, "Staff", false); }},
        {"Execute_Command",
         [&] { return Execute_Command("NT Delete User Account.01", name, domain, {""}); }},
    };
    for (const auto &[label, operation] : operations) {
        DirectoryTestBed bed;
        bed.net.addUser("ws01");
        QCOMPARE(operation(), directory_result::NoController);
        QVERIFY2(bed.net.calls.size() == 1, label);
        QCOMPARE(bed.net.calls.front().function, std::string("NetGetDCName"));
        QCOMPARE(appContext().LastNetStatus, platform::status::DCNotFound);
        QCOMPARE(name, "ws01");
    }
    for (int kind = 0; kind <= 6; ++kind) {
        DirectoryTestBed bed;
        QString prefix;
        items = QStringList{"kept"};
        QCOMPARE(Enum_Accounts(domain, kind, items, false, prefix), 0);
        QCOMPARE(items, QStringList{"kept"});
        QCOMPARE(bed.net.calls.size(), size_t(1));
    }
}

void DirectoryServersAndTrustsTest::trustListsKeepServiceOrder_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QStringList>("domains");
    QTest::newRow("one name") << QByteArray("ENG\0\0", 5) << QStringList{"ENG"};
    QTest::newRow("three names") << QByteArray("ENG\0HR\0ACCOUNTING\0\0", 20)
                                 << QStringList{"ENG", "HR", "ACCOUNTING"};
    QTest::newRow("not sorted") << QByteArray("ZULU\0ALPHA\0\0", 12)
                                << QStringList{"ZULU", "ALPHA"};
    QTest::newRow("an empty name ends the list")
        << QByteArray("ENG\0HR\0\0LOST\0\0", 15) << QStringList{"ENG", "HR"};
    QTest::newRow("no trusts") << QByteArray("\0\0", 2) << QStringList{};
}

void DirectoryServersAndTrustsTest::trustListsKeepServiceOrder()
{
    QFETCH(QByteArray, buffer);
    QFETCH(QStringList, domains);
    DirectoryTestBed bed;
    bed.net.trustBuffer = buffer.toStdString();
    QStringList collection;
    QCOMPARE(Get_TrustedDomains(collection), int32_t(domains.size()));
    QCOMPARE(collection, domains);
    QCOMPARE(bed.net.calls.front().server, std::string()); // asked of this machine
}

void DirectoryServersAndTrustsTest::failingTrustCallLeavesTheCollectionAlone()
{
    DirectoryTestBed bed;
    bed.net.inject = [](const FakeCall &) { return platform::status::NoSuchDomain; };
    QStringList collection{"OLD"};
    QCOMPARE(Get_TrustedDomains(collection), 0);
    QCOMPARE(collection, QStringList{"OLD"});
}

void DirectoryServersAndTrustsTest::trustedDomainsAreAppendedToWhatTheCollectionHeld()
{
    DirectoryTestBed bed;
    bed.net.trustBuffer = std::string("ENG\0HR\0\0", 8);
    QStringList collection{"OLD"};
    QCOMPARE(Get_TrustedDomains(collection), 3);
    QCOMPARE(collection, QStringList({"OLD", "ENG", "HR"}));
}

QTEST_GUILESS_MAIN(DirectoryServersAndTrustsTest)
#include "test_directory_servers_and_trusts.moc"
