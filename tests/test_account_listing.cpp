// The windowless account listing of one domain into its work file.
#include "accountlist/ChildProcess.h"
#include "accountlist/WorkFile.h"
#include "support/DirectoryTestBed.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace testing_support;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

AccountListRequest request(const QString &domain, int16_t type, const QString &criteria,
                           bool wildcard)
{
    return {domain, type, criteria, wildcard};
}

void populate(FakeDirectory &net)
{
    for (const char *name : {"jdoe", "Anja", "JSMITH", "brown", "Jürgen", "ajax"})
        net.addUser(name);
    net.addUser("WS01$", "", platform::uf::WorkstationTrustAccount);
}

} // namespace

class AccountListingTest : public QObject {
    Q_OBJECT
private slots:
    void prefixListsNamesBeginningWithItInAnyCase();
    void criteriaWithoutStarListsNamesContainingIt();
    void emptyCriteriaListsEverything();
    void emptyDomainIsTheLocalMachineAndFilePercentTmp();
    void staleWorkFileIsRemovedEvenWithoutMatches();
    void unreachableDomainFinishesWithoutAFile();
    void kindOutsideZeroToSixListsNothing();
    void domainsThatWouldLeaveTheFolderAreRefused_data();
    void domainsThatWouldLeaveTheFolderAreRefused();
};

void AccountListingTest::prefixListsNamesBeginningWithItInAnyCase()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QCOMPARE(ChildProcess(request("SALES", 0, "J", true)), 0);
    QCOMPARE(readAll(bed.platform.path("SALES%.tmp")),
             QByteArray("jdoe, SALES\r\nJSMITH, SALES\r\nJ\xC3\xBCrgen, SALES\r\n"));
}

void AccountListingTest::criteriaWithoutStarListsNamesContainingIt()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QCOMPARE(ChildProcess(request("SALES", 0, "j", false)), 0);
    QCOMPARE(readAll(bed.platform.path("SALES%.tmp")),
             QByteArray("jdoe, SALES\r\nAnja, SALES\r\nJSMITH, SALES\r\nJ\xC3\xBCrgen, SALES\r\n"
                        "ajax, SALES\r\n"));
}

void AccountListingTest::emptyCriteriaListsEverything()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QCOMPARE(ChildProcess(request("SALES", 1, "", false)), 0);
    QCOMPARE(readAll(bed.platform.path("SALES%.tmp")), QByteArray("WS01, SALES\r\n"));
}

void AccountListingTest::emptyDomainIsTheLocalMachineAndFilePercentTmp()
{
    DirectoryTestBed bed;
    bed.net.domains = {"SALES", "ENG"};
    QCOMPARE(ChildProcess(request("", 6, "", false)), 0);
    QCOMPARE(readAll(bed.platform.path("%.tmp")), QByteArray("SALES, \r\nENG, \r\n"));
    QCOMPARE(bed.net.calls.front().function, std::string("NetServerEnum"));
    QCOMPARE(bed.net.calls.front().server, std::string());
}

void AccountListingTest::staleWorkFileIsRemovedEvenWithoutMatches()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QFile stale(bed.platform.path("SALES%.tmp"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("old, SALES\r\n");
    stale.close();
    QCOMPARE(ChildProcess(request("SALES", 0, "zz", true)), 0);
    // Names were listed, so the file is opened, but nothing matched.
    QCOMPARE(readAll(bed.platform.path("SALES%.tmp")), QByteArray());
}

void AccountListingTest::unreachableDomainFinishesWithoutAFile()
{
    DirectoryTestBed bed;
    QFile stale(bed.platform.path("NOWHERE%.tmp"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    QCOMPARE(ChildProcess(request("NOWHERE", 0, "", false)), 0);
    QVERIFY(!QFile::exists(bed.platform.path("NOWHERE%.tmp")));
}

void AccountListingTest::kindOutsideZeroToSixListsNothing()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QCOMPARE(ChildProcess(request("SALES", 7, "", false)), 0);
    QCOMPARE(ChildProcess(request("SALES", -1, "", false)), 0);
    QVERIFY(bed.net.calls.empty());
    QVERIFY(!QFile::exists(bed.platform.path("SALES%.tmp")));
}

void AccountListingTest::domainsThatWouldLeaveTheFolderAreRefused_data()
{
    QTest::addColumn<QString>("domain");
    QTest::newRow("parent path") << "../escaped";
    QTest::newRow("absolute path") << "/tmp/escaped";
    QTest::newRow("slash inside") << "SALES/x";
    QTest::newRow("backslash") << "\\\\SERVER";
    QTest::newRow("line break") << "SALES\nx";
}

void AccountListingTest::domainsThatWouldLeaveTheFolderAreRefused()
{
    QFETCH(QString, domain);
    DirectoryTestBed bed;
    populate(bed.net);
    QDir(bed.platform.dir.path()).mkdir("sub");
    bed.platform.system.folder = bed.platform.path("sub");
    QCOMPARE(ChildProcess(request(domain, 0, "", false)), 2);
    QVERIFY(bed.net.calls.empty());
    QVERIFY(QDir(bed.platform.dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(QDir(bed.platform.path("sub")).entryList(QDir::Files).isEmpty());
    QCOMPARE(WorkFile_Path(bed.platform.path("sub"), domain), QString());
    // "." and ".." stay names inside the folder: "%.tmp" joins their component.
    QCOMPARE(WorkFile_Path(bed.platform.path("sub"), ".."), bed.platform.path("sub/..%.tmp"));
}

QTEST_GUILESS_MAIN(AccountListingTest)
#include "test_account_listing.moc"
