// Listing accounts, groups, machines and domains, and the prefix search.
#include "app/AppContext.h"
#include "app/ListControl.h"
#include "directory/AccountEnumeration.h"
#include "support/DirectoryTestBed.h"

#include <QTest>

using namespace testing_support;
namespace uf = platform::uf;
namespace svtype = platform::svtype;

class AccountEnumerationTest : public QObject {
    Q_OBJECT
private slots:
    void noneIsNeverListed_data();
    void noneIsNeverListed();
    void computerAccountsLoseTheirDollar();
    void prefixMatchingSecondAndFifthNamesGivesOnlyTheSecond();
    void prefixWithoutMatchListsEverythingAndKeepsThePrefix();
    void prefixRules_data();
    void prefixRules();
    void prefixMatchEmptiesTheListControl();
    void listControlKeepsWhatItHeldAndCountsIt();
    void usersAreReadInChunksByNextIndex();
    void machinesAreAskedForAtLevelTwo();
    void serviceErrorKeepsEarlierChunksAndGivesZero();
    void pendingEventsRunBetweenChunksWithoutAListControl();
    void groupsAreReadWithACarriedResumeHandle();
    void serverKindsAskForTheirTypeInTheCallersDomain_data();
    void serverKindsAskForTheirTypeInTheCallersDomain();
    void unknownKindListsNothing();
};

void AccountEnumerationTest::noneIsNeverListed_data()
{
    QTest::addColumn<QString>("none");
    QTest::newRow("None") << "None";
    QTest::newRow("NONE") << "NONE";
    QTest::newRow("none") << "none";
    QTest::newRow("nOnE") << "nOnE";
}

void AccountEnumerationTest::noneIsNeverListed()
{
    QFETCH(QString, none);
    DirectoryTestBed bed;
    bed.net.addGlobalGroup("Domain Users");
    bed.net.addGlobalGroup(none.toStdString());
    bed.net.addGlobalGroup("Nonesuch");
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("SALES", 2, items, false, prefix), 2);
    QCOMPARE(items, QStringList({"Domain Users", "Nonesuch"}));
}

void AccountEnumerationTest::computerAccountsLoseTheirDollar()
{
    DirectoryTestBed bed;
    bed.net.addUser("WS01$", "", uf::WorkstationTrustAccount);
    bed.net.addUser("$", "", uf::WorkstationTrustAccount);
    bed.net.addUser("WS02", "", uf::WorkstationTrustAccount);
    bed.net.addUser("jdoe");
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("SALES", 1, items, false, prefix), 3);
    QCOMPARE(items, QStringList({"WS01", "$", "WS02"}));
}

void AccountEnumerationTest::prefixMatchingSecondAndFifthNamesGivesOnlyTheSecond()
{
    DirectoryTestBed bed;
    for (const char *name : {"adams", "jones", "brown", "clark", "JONSSON", "evans"})
        bed.net.addUser(name);
    QStringList items{"stale"};
    QString prefix = "JON";
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix), 1);
    QCOMPARE(items, QStringList{"jones"});
    QCOMPARE(prefix, PrefixFoundMarker);
    QCOMPARE(prefix, "FirstObjectPrefixFound");
}

void AccountEnumerationTest::prefixWithoutMatchListsEverythingAndKeepsThePrefix()
{
    DirectoryTestBed bed;
    for (const char *name : {"adams", "brown", "clark"})
        bed.net.addUser(name);
    QStringList items;
    QString prefix = "zz";
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix), 3);
    QCOMPARE(items, QStringList({"adams", "brown", "clark"}));
    QCOMPARE(prefix, "zz");
}

void AccountEnumerationTest::prefixRules_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("longer than the name never matches")
        << "jdoex" << QStringList({"jdoe", "ann"});
    QTest::newRow("letter case is ignored") << "JD" << QStringList{"jdoe"};
    QTest::newRow("whole name") << "ANN" << QStringList{"ann"};
}

void AccountEnumerationTest::prefixRules()
{
    QFETCH(QString, prefix);
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    bed.net.addUser("ann");
    QStringList items;
    Enum_Accounts("SALES", 0, items, false, prefix);
    QTEST(items, "items");
}

void AccountEnumerationTest::prefixMatchEmptiesTheListControl()
{
    DirectoryTestBed bed;
    bed.net.addUser("adams");
    bed.net.addUser("jones");
    StringListControl list;
    list.addItem("held before");
    QStringList items{"untouched"};
    QString prefix = "j";
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix, &list), 1);
    QCOMPARE(list.items(), QStringList{"jones"});
    QCOMPARE(items, QStringList{"untouched"});
}

void AccountEnumerationTest::listControlKeepsWhatItHeldAndCountsIt()
{
    DirectoryTestBed bed;
    bed.net.addUser("adams");
    StringListControl list;
    list.addItem("held before");
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix, &list), 2);
    QCOMPARE(list.items(), QStringList({"held before", "adams"}));
    QVERIFY(items.isEmpty());
}

void AccountEnumerationTest::usersAreReadInChunksByNextIndex()
{
    DirectoryTestBed bed;
    QStringList expected;
    for (int i = 0; i < 250; ++i) {
        const QString name = QStringLiteral("user%1").arg(i, 4, 10, QChar(u'0'));
        bed.net.addUser(name.toStdString());
        expected << name;
    }
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix), 250);
    QCOMPARE(items, expected);
    // At most 100 a call; the third call answers 0 (nothing more) and ends it.
    QCOMPARE(bed.net.count("NetQueryDisplayInformation"), 3);
    QStringList indexes;
    for (const FakeCall &call : bed.net.calls) {
        if (call.function == "NetQueryDisplayInformation") {
            QCOMPARE(call.level, 1u);
            QCOMPARE(call.server, std::string("\\\\DC1"));
            indexes << QString::fromStdString(call.target);
        }
    }
    QCOMPARE(indexes, QStringList({"0", "100", "200"}));
    QCOMPARE(appContext().LastNetStatus, 0);
}

void AccountEnumerationTest::machinesAreAskedForAtLevelTwo()
{
    DirectoryTestBed bed;
    bed.net.addUser("WS01$", "", uf::WorkstationTrustAccount);
    QStringList items;
    QString prefix;
    Enum_Accounts("\\\\DC2", 1, items, false, prefix);
    QCOMPARE(bed.net.calls.front().function, std::string("NetQueryDisplayInformation"));
    QCOMPARE(bed.net.calls.front().level, 2u);
    QCOMPARE(bed.net.calls.front().server, std::string("\\\\DC2"));
}

void AccountEnumerationTest::serviceErrorKeepsEarlierChunksAndGivesZero()
{
    DirectoryTestBed bed;
    for (int i = 0; i < 150; ++i)
        bed.net.addUser("u" + std::to_string(i));
    int call = 0;
    bed.net.inject = [&](const FakeCall &c) {
        return c.function == "NetQueryDisplayInformation" && ++call == 2
            ? platform::status::AccessDenied
            : 0;
    };
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("SALES", 0, items, false, prefix), 0);
    QCOMPARE(items.size(), 100);
    QCOMPARE(appContext().LastNetStatus, platform::status::AccessDenied);
}

void AccountEnumerationTest::pendingEventsRunBetweenChunksWithoutAListControl()
{
    {
        DirectoryTestBed bed;
        for (int i = 0; i < 150; ++i)
            bed.net.addUser("u" + std::to_string(i));
        QStringList items;
        QString prefix;
        Enum_Accounts("SALES", 0, items, false, prefix);
        // after each of the two chunks, and once at the end
        QCOMPARE(bed.seams.eventPump.passes, 3);
    }
    {
        DirectoryTestBed bed;
        for (int i = 0; i < 150; ++i)
            bed.net.addUser("u" + std::to_string(i));
        StringListControl list;
        QStringList items;
        QString prefix;
        Enum_Accounts("SALES", 0, items, false, prefix, &list);
        QCOMPARE(bed.seams.eventPump.passes, 1);
    }
}

void AccountEnumerationTest::groupsAreReadWithACarriedResumeHandle()
{
    DirectoryTestBed bed;
    QStringList expected;
    // 40-character names: about 1450 fit in 128000 bytes.
    for (int i = 0; i < 4000; ++i) {
        const QString name = QStringLiteral("local group %1").arg(i, 28, 10, QChar(u'0'));
        bed.net.addLocalGroup(name.toStdString());
        expected << name;
    }
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("", 2, items, true, prefix), 4000);
    QCOMPARE(items, expected);
    QStringList handles;
    for (const FakeCall &call : bed.net.calls) {
        QCOMPARE(call.function, std::string("NetLocalGroupEnum"));
        QCOMPARE(call.level, 0u);
        QCOMPARE(call.server, std::string());
        handles << QString::fromStdString(call.target);
    }
    QCOMPARE(handles.size(), 3);
    QCOMPARE(handles.front(), "0");
    QVERIFY(handles.at(1).toInt() > 1000);

    bed.net.calls.clear();
    bed.net.addGlobalGroup("Domain Admins");
    Enum_Accounts("", 2, items, false, prefix);
    QCOMPARE(bed.net.calls.front().function, std::string("NetGroupEnum"));
}

void AccountEnumerationTest::serverKindsAskForTheirTypeInTheCallersDomain_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("3 backup controllers") << 3 << uint(svtype::DomainBakCtrl)
                                          << QStringList{"BDC1"};
    QTest::newRow("4 SQL servers") << 4 << uint(svtype::SqlServer) << QStringList{"SQL1"};
    QTest::newRow("5 NT servers and controllers")
        << 5 << uint(32792) << QStringList({"DC1", "BDC1", "SQL1", "FILES"});
    QTest::newRow("6 domains") << 6 << uint(svtype::DomainEnum)
                               << QStringList({"SALES", "ENG", "HR"});
}

void AccountEnumerationTest::serverKindsAskForTheirTypeInTheCallersDomain()
{
    QFETCH(int, kind);
    QFETCH(uint, type);
    DirectoryTestBed bed;
    const uint32_t nt = svtype::ServerNt;
    bed.net.servers = {{500, "DC1", 4, 0, svtype::DomainCtrl | nt, ""},
                       {500, "BDC1", 4, 0, svtype::DomainBakCtrl | nt, ""},
                       {500, "SQL1", 4, 0, svtype::SqlServer | nt, ""},
                       {500, "WS9", 4, 0, svtype::Workstation, ""},
                       {500, "FILES", 4, 0, nt, ""}};
    bed.net.domains = {"SALES", "ENG", "HR"};
    QStringList items;
    QString prefix;
    Enum_Accounts("SALES", kind, items, false, prefix);
    QTEST(items, "names");
    const FakeCall &call = bed.net.calls.back();
    QCOMPARE(call.function, std::string("NetServerEnum"));
    QCOMPARE(call.level, 100u);
    QCOMPARE(call.server, std::string("\\\\DC1"));
    QCOMPARE(QString::fromStdString(call.target), QStringLiteral("SALES/%1").arg(type));
}

void AccountEnumerationTest::unknownKindListsNothing()
{
    DirectoryTestBed bed;
    bed.net.addUser("jdoe");
    QStringList items;
    QString prefix;
    QCOMPARE(Enum_Accounts("", 7, items, false, prefix), 0);
    QCOMPARE(Enum_Accounts("", -1, items, false, prefix), 0);
    QVERIFY(bed.net.calls.empty());
}

QTEST_GUILESS_MAIN(AccountEnumerationTest)
#include "test_account_enumeration.moc"
