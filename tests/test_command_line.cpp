// The command line: the windowless account-list options and the switches.
#include "app/CommandLine.h"

#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void accountListOptions_data();
    void accountListOptions();
    void incompleteOrMisorderedOptionsMeanTheWindowedProgram_data();
    void incompleteOrMisorderedOptionsMeanTheWindowedProgram();
    void argumentsAreJoinedByOneBlank();
    void switchesAreFoundAnywhereInAnyCase_data();
    void switchesAreFoundAnywhereInAnyCase();
};

void CommandLineTest::accountListOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<bool>("wildcard");

    QTest::newRow("three arguments, lower-case keys")
        << QStringList{"/domain=SALES", "/type=0", "/criteria=J*"} << "SALES" << 0 << "J" << true;
    QTest::newRow("one argument holding all three")
        << QStringList{"/domain=SALES /type=0 /criteria=J*"} << "SALES" << 0 << "J" << true;
    QTest::newRow("values keep their case")
        << QStringList{"/DOMAIN=Sales", "/TYPE=1", "/CRITERIA=smith"} << "Sales" << 1 << "smith"
        << false;
    QTest::newRow("a lone asterisk lists everything")
        << QStringList{"/DOMAIN=ENG", "/TYPE=6", "/CRITERIA=*"} << "ENG" << 6 << "" << false;
    QTest::newRow("empty domain means the local machine")
        << QStringList{"/DOMAIN= /TYPE=6 /CRITERIA=*"} << "" << 6 << "" << false;
    QTest::newRow("blanks around values are trimmed")
        << QStringList{"/DOMAIN=  HR  ", "/TYPE= 2 ", "/CRITERIA=  a b* "} << "HR" << 2 << "a b"
        << true;
    QTest::newRow("type rounds halves to even") << QStringList{"/DOMAIN=X /TYPE=2.5 /CRITERIA=a"}
                                                << "X" << 2 << "a" << false;
    QTest::newRow("a type that is no number lists nothing")
        << QStringList{"/DOMAIN=X /TYPE=users /CRITERIA=a"} << "X" << -1 << "a" << false;
    QTest::newRow("a type beyond 16 bits lists nothing")
        << QStringList{"/DOMAIN=X /TYPE=70000 /CRITERIA=a"} << "X" << -1 << "a" << false;
    QTest::newRow("a type of nan lists nothing")
        << QStringList{"/DOMAIN=X /TYPE=nan /CRITERIA=a"} << "X" << -1 << "a" << false;
    QTest::newRow("a letter that upper-cases longer does not shift the cuts")
        << QStringList{"/DOMAIN=Straße /TYPE=0 /CRITERIA=*"} << QString::fromUtf8("Straße") << 0
        << "" << false;
}

void CommandLineTest::accountListOptions()
{
    QFETCH(QStringList, arguments);
    const auto request = ParseAccountListRequest(JoinCommandLine(arguments));
    QVERIFY(request.has_value());
    QTEST(request->domain, "domain");
    QTEST(int(request->type), "type");
    QTEST(request->criteria, "criteria");
    QTEST(request->wildcard, "wildcard");
}

void CommandLineTest::incompleteOrMisorderedOptionsMeanTheWindowedProgram_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("no criteria") << "/DOMAIN=SALES /TYPE=0";
    QTest::newRow("no domain") << "/TYPE=0 /CRITERIA=J*";
    QTest::newRow("empty") << "";
    QTest::newRow("keys out of order") << "/TYPE=0 /DOMAIN=SALES /CRITERIA=J*";
    QTest::newRow("switches only") << "/NOLOG /REUSE";
}

void CommandLineTest::incompleteOrMisorderedOptionsMeanTheWindowedProgram()
{
    QFETCH(QString, line);
    QVERIFY(!ParseAccountListRequest(line).has_value());
}

void CommandLineTest::argumentsAreJoinedByOneBlank()
{
    QCOMPARE(JoinCommandLine({"/NOLOG", "/DOMAIN=A", "/TYPE=0"}), "/NOLOG /DOMAIN=A /TYPE=0");
    QCOMPARE(JoinCommandLine({}), "");
}

void CommandLineTest::switchesAreFoundAnywhereInAnyCase_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<bool>("present");
    QTest::newRow("lower-case nolog") << "/nolog" << "/NOLOG" << true;
    QTest::newRow("mixed case reuse after others") << "/x /Reuse" << "/REUSE" << true;
    QTest::newRow("verbose inside a longer word") << "/VERBOSE" << "/V" << true;
    QTest::newRow("absent") << "/REUSE" << "/NOLOG" << false;
}

void CommandLineTest::switchesAreFoundAnywhereInAnyCase()
{
    QFETCH(QString, line);
    QFETCH(QString, switchName);
    QTEST(HasSwitch(line, switchName), "present");
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
