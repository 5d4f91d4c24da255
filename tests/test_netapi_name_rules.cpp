// The decided statuses every back end gives for ambiguous input, and the byte
// rule listings are cut by.
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/NameRules.h"

#include <QObject>
#include <QString>
#include <QtTest/QTest>

using platform::netapi::NameKind;
using platform::netapi::Situation;

class NetapiNameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void accountNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("expected");
        const int user = int(NameKind::User);
        const int computer = int(NameKind::Computer);
        const int group = int(NameKind::Group);
        const int local = int(NameKind::LocalGroup);
        QTest::newRow("user of 20") << QString(20, 'a') << user << 0;
        QTest::newRow("user of 21") << QString(21, 'a') << user << 2202;
        QTest::newRow("computer of 21") << QString(20, 'A') + "$" << computer << 2202;
        QTest::newRow("computer with $") << QStringLiteral("WS01$") << computer << 0;
        QTest::newRow("group of 21") << QString(21, 'g') << group << 0;
        QTest::newRow("group of 256") << QString(256, 'g') << group << 0;
        QTest::newRow("local group of 257") << QString(257, 'g') << local << 2202;
        QTest::newRow("twenty non-ASCII letters") << QString(20, QChar(0x00FC)) << user << 0;
        QTest::newRow("comma") << QStringLiteral("a,b") << user << 2202;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << group << 2202;
        QTest::newRow("at sign is allowed") << QStringLiteral("a@b") << user << 0;
        QTest::newRow("inner period is allowed") << QStringLiteral("j.doe") << user << 0;
        QTest::newRow("final period") << QStringLiteral("jdoe.") << user << 2202;
        QTest::newRow("character 31") << QStringLiteral("a") + QChar(31) << user << 2202;
        QTest::newRow("character 32 (blank) inside") << QStringLiteral("a b") << user << 0;
        QTest::newRow("empty") << QString() << group << 2202;
        QTest::newRow("periods and blanks only") << QStringLiteral(" . ") << user << 2202;
    }

    void accountNames()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(int, expected);
        QCOMPARE(platform::netapi::checkAccountName(name.toStdString(), NameKind(kind)),
                 expected);
    }

    void situations_haveTheirDecidedStatus_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<int>("expected");
        QTest::newRow("unknown level") << int(Situation::UnknownLevel) << 124;
        QTest::newRow("too long") << int(Situation::NameTooLong) << 2202;
        QTest::newRow("bad user looked up") << int(Situation::BadUserLookedUp) << 2221;
        QTest::newRow("bad group looked up") << int(Situation::BadGroupLookedUp) << 2220;
        QTest::newRow("taken by user") << int(Situation::NameTakenByUser) << 2224;
        QTest::newRow("taken by group") << int(Situation::NameTakenByGroup) << 2223;
        QTest::newRow("taken by local group") << int(Situation::NameTakenByLocalGroup) << 1379;
        QTest::newRow("password policy") << int(Situation::PasswordPolicy) << 2245;
        QTest::newRow("write at backup") << int(Situation::WriteAtBackup) << 2226;
        QTest::newRow("unknown member") << int(Situation::UnknownMember) << 1387;
        QTest::newRow("privilege") << int(Situation::PrivilegeNotUser) << 87;
    }

    void situations_haveTheirDecidedStatus()
    {
        QFETCH(int, situation);
        QFETCH(int, expected);
        QCOMPARE(platform::netapi::statusFor(Situation(situation)), expected);
    }

    void everySituation_citesItsSource()
    {
        int count = 0;
        const platform::netapi::SituationRule *rules = platform::netapi::situationRules(count);
        QCOMPARE(count, int(Situation::MemberOfWrongKind) + 1);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(int(rules[i].situation), i);
            QVERIFY(QString::fromUtf8(rules[i].source).size() > 20);
        }
    }

    void recordBytes_countPointersNumbersAndUtf16()
    {
        platform::NetDisplayRecord user{"ab", "", 0, "Jü", 0, 0, 0};
        // 3 strings: 4 + 6, 4 + 2, 4 + 6; 3 numbers of 4.
        QCOMPARE(platform::netapi::displayRecordBytes(user, 1), 38u);
        QCOMPARE(platform::netapi::displayRecordBytes(user, 2), 28u);
        QCOMPARE(platform::netapi::nameRecordBytes("D\\x"), 12u);
        QCOMPARE(platform::netapi::utf16Bytes("\xF0\x9F\x98\x80"), 6u); // a surrogate pair
    }

    void pageBudget_takesTheFirstAlways_thenWhatFits()
    {
        platform::netapi::PageBudget tiny(1);
        QVERIFY(tiny.admit(50));
        QVERIFY(!tiny.admit(1));
        platform::netapi::PageBudget exact(100);
        QVERIFY(exact.admit(60));
        QVERIFY(exact.admit(40));
        QVERIFY(!exact.admit(1));
        platform::netapi::PageBudget unlimited(platform::MaxPreferredLength);
        for (int i = 0; i < 1000; ++i)
            QVERIFY(unlimited.admit(100000));
    }
};

QTEST_GUILESS_MAIN(NetapiNameRulesTest)
#include "test_netapi_name_rules.moc"
