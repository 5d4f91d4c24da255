// The names the add-user window builds from a person's names, and how far
// its progress bar moves per step.
#include "users/ProgressStep.h"
#include "users/UserNameBuilder.h"

#include <QTest>

class TestUserNameBuilder : public QObject {
    Q_OBJECT

private slots:
    void userNameFollowsThePersonsNames_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower and upper case") << "john" << "SMITH" << "JSmith";
        QTest::newRow("apostrophe") << "ann" << "o'BRIEN" << "AO'brien";
        QTest::newRow("no first name yet") << "" << "smith" << "Smith";
        QTest::newRow("no last name yet") << "john" << "" << "J";
        QTest::newRow("blank last name") << "john" << "   " << "J";
        QTest::newRow("nothing typed") << "" << "" << "";
        // Only the capital of each name counts; no length limit.
        QTest::newRow("long last name") << "m" << "VANDERWESTHUIZEN" << "MVanderwesthuizen";
        // The last name is taken as typed: a leading blank stays.
        QTest::newRow("leading blank") << "john" << " smith" << "J smith";
        QTest::newRow("double-barrelled") << "eva" << "MEYER-LANG" << "EMeyer-lang";
    }
    void userNameFollowsThePersonsNames()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, expected);
        QCOMPARE(Build_UserName(first, last), expected);
    }

    void candidatesRunFromInitialsToCountedNames_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("attempt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first: eight characters") << "John" << "Q" << "Smithson" << 0 << "JQSmiths";
        QTest::newRow("second") << "John" << "Q" << "Smithson" << 1 << "JSmith01";
        QTest::newRow("ninth") << "John" << "Q" << "Smithson" << 9 << "JSmith09";
        QTest::newRow("tenth: two digits") << "John" << "Q" << "Smithson" << 10 << "JSmith10";
        QTest::newRow("hundredth") << "John" << "Q" << "Smithson" << 100 << "JSmith100";
        QTest::newRow("short name, no cut") << "Al" << "B" << "Wu" << 0 << "ABWu";
        QTest::newRow("short name counted") << "Al" << "B" << "Wu" << 3 << "AWu03";
        QTest::newRow("no middle initial") << "John" << "" << "Smithson" << 0 << "JSmithso";
        // First characters keep the case they were typed in; the last name
        // is capitalised.
        QTest::newRow("case as typed") << "john" << "q" << "SMITHSON" << 0 << "jqSmiths";
        QTest::newRow("counted, case as typed") << "john" << "q" << "SMITHSON" << 2 << "jSmith02";
    }
    void candidatesRunFromInitialsToCountedNames()
    {
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, last);
        QFETCH(int, attempt);
        QFETCH(QString, expected);
        QCOMPARE(Build_Candidate(first, middle, last, attempt), expected);
    }

    void fullNameIsLastCommaFirstAndInitial_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all three") << "John" << "Q" << "Smith" << "Smith, John Q";
        QTest::newRow("no initial ends in a blank") << "John" << "" << "Smith" << "Smith, John ";
        QTest::newRow("blanks trimmed") << " John " << " Q " << " Smith " << "Smith, John Q";
    }
    void fullNameIsLastCommaFirstAndInitial()
    {
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, last);
        QFETCH(QString, expected);
        QCOMPARE(Build_FullName(first, middle, last), expected);
    }

    void progressStepRoundsHalvesToEven_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("twoAccounts");
        QTest::addColumn<int>("expected");
        QTest::newRow("four entries") << 10000 << 4 << false << 2500;
        QTest::newRow("three entries") << 10000 << 3 << false << 3333;
        QTest::newRow("six entries rounds up") << 10000 << 6 << false << 1667;
        QTest::newRow("halved") << 10000 << 4 << true << 1250;
        // 2500 / 2 = 1250; 3333 / 2 = 1666.5 goes to the even 1666.
        QTest::newRow("halved half to even, down") << 10000 << 3 << true << 1666;
        // 10 / 4 = 2.5 goes to 2; 14 / 4 = 3.5 goes to 4.
        QTest::newRow("half to even, down") << 10 << 4 << false << 2;
        QTest::newRow("half to even, up") << 14 << 4 << false << 4;
        // 10000 / 7 = 1428.57 rounds to 1429; halved 714.5 goes to 714.
        QTest::newRow("seven entries halved") << 10000 << 7 << true << 714;
        QTest::newRow("one entry") << 10000 << 1 << false << 10000;
    }
    void progressStepRoundsHalvesToEven()
    {
        QFETCH(int, maximum);
        QFETCH(int, entries);
        QFETCH(bool, twoAccounts);
        QFETCH(int, expected);
        QCOMPARE(Progress_Step(maximum, entries, twoAccounts), expected);
    }
};

QTEST_APPLESS_MAIN(TestUserNameBuilder)
#include "test_user_name_builder.moc"
