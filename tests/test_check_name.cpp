// The account-name check of the add windows, and the text rules of the
// task windows' fields.
#include "ui/CheckName.h"
#include "ui/FieldText.h"

#include <QTest>

class CheckNameTest : public QObject {
    Q_OBJECT

private slots:
    void groupNames_data();
    void groupNames();
    void userAndComputerNames_data();
    void userAndComputerNames();
    void allowancesHoldEvenForAnyCharacters_data();
    void allowancesHoldEvenForAnyCharacters();
    void trimmingRemovesBlanksOnly();
    void domainCaseKeepsMyComputer_data();
    void domainCaseKeepsMyComputer();
    void memberDomainLosesServerBackslashes_data();
    void memberDomainLosesServerBackslashes();
};

void CheckNameTest::groupNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("letters, underscore, blank, digit") << "Sales_Staff 2" << true;
    QTest::newRow("every extra character") << "a!@#$%^&-_z" << true;
    QTest::newRow("full stop") << "Sales.Staff" << false;
    QTest::newRow("colon") << "Sales:Staff" << false;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << true;
    QTest::newRow("lower-case letters") << "domain admins" << true;
    QTest::newRow("backslash") << "SALES\\Staff" << false;
    QTest::newRow("comma") << "a,b" << false;
    QTest::newRow("at sign is an extra") << "ops@hq" << true;
    QTest::newRow("question mark") << "who?" << false;
    QTest::newRow("open bracket") << "a[1]" << false;
    QTest::newRow("grave accent") << "a`b" << false;
    QTest::newRow("tilde") << "a~b" << false;
    QTest::newRow("accented letter") << QString::fromUtf8("Caf\u00e9") << false;
    QTest::newRow("sharp s does not become SS") << QString::fromUtf8("Stra\u00dfe") << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("plus") << "a+b" << false;
    QTest::newRow("equals") << "a=b" << false;
}

void CheckNameTest::groupNames()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(Check_Name(name, true, true, true, false, NameExtraCharacters), accepted);
}

void CheckNameTest::userAndComputerNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("inner blank") << "john smith" << false;
    QTest::newRow("leading and trailing blanks are trimmed") << "  jsmith  " << true;
    QTest::newRow("digits and extras") << "ws-01_$" << true;
    QTest::newRow("full stop") << "j.smith" << false;
}

void CheckNameTest::userAndComputerNames()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(Check_Name(name, true, true, false, false, NameExtraCharacters), accepted);
}

void CheckNameTest::allowancesHoldEvenForAnyCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("digits");
    QTest::addColumn<bool>("letters");
    QTest::addColumn<bool>("spaces");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit where none allowed") << "abc1" << false << true << true << false;
    QTest::newRow("letter where none allowed") << "12a" << true << false << true << false;
    QTest::newRow("lower-case letter counts as a letter") << "z" << true << false << true
                                                          << false;
    QTest::newRow("blank where none allowed") << "a b" << true << true << false << false;
    QTest::newRow("punctuation passes") << "a.b:c" << true << true << true << true;
}

void CheckNameTest::allowancesHoldEvenForAnyCharacters()
{
    QFETCH(QString, name);
    QFETCH(bool, digits);
    QFETCH(bool, letters);
    QFETCH(bool, spaces);
    QFETCH(bool, accepted);
    QCOMPARE(Check_Name(name, digits, letters, spaces, true, QString()), accepted);
}

void CheckNameTest::trimmingRemovesBlanksOnly()
{
    QCOMPARE(Trim_Blanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    QCOMPARE(Trim_Blanks(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
    QCOMPARE(Trim_Blanks(QStringLiteral("   ")), QString());
}

void CheckNameTest::domainCaseKeepsMyComputer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cased");
    QTest::newRow("my computer") << "\\\\My Computer" << "\\\\My Computer";
    QTest::newRow("my computer with blanks") << " \\\\My Computer " << " \\\\My Computer ";
    QTest::newRow("domain") << "sales" << "SALES";
    QTest::newRow("server") << "\\\\files01" << "\\\\FILES01";
    QTest::newRow("my computer in other letters") << "\\\\my computer" << "\\\\MY COMPUTER";
}

void CheckNameTest::domainCaseKeepsMyComputer()
{
    QFETCH(QString, typed);
    QFETCH(QString, cased);
    QCOMPARE(Domain_Case(typed), cased);
}

void CheckNameTest::memberDomainLosesServerBackslashes_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("memberDomain");
    QTest::newRow("server") << "\\\\FILES01" << "FILES01";
    QTest::newRow("my computer") << "\\\\My Computer" << "\\\\My Computer";
    QTest::newRow("domain") << "SALES" << "SALES";
}

void CheckNameTest::memberDomainLosesServerBackslashes()
{
    QFETCH(QString, domain);
    QFETCH(QString, memberDomain);
    QCOMPARE(Without_ServerPrefix(domain), memberDomain);
}

QTEST_APPLESS_MAIN(CheckNameTest)
#include "test_check_name.moc"
