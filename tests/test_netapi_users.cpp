// The network-management suite, user and computer accounts: create, read,
// modify, rename and delete through the interface, and the statuses of the
// decided table for bad input, which must change nothing.
#include "tests/netapi/SuiteSupport.h"

#include "platform/netapi/NameRules.h"

#include <QCoreApplication>
#include <QObject>
#include <QtTest/QTest>

#include <memory>

using namespace netapi_tests;
using platform::NetStatus;
using platform::UserInfo3;
using platform::netapi::Situation;
using platform::netapi::statusFor;

namespace {

const char Password[] = "Varnel#Test42";

UserInfo3 newUser(const std::string &name)
{
    UserInfo3 info;
    info.name = name;
    info.password = Password;
    info.comment = "made by the suite";
    info.fullName = "Suite Jürgen Größe";
    info.usrComment = "user comment";
    info.scriptPath = "logon.cmd";
    return info;
}

} // namespace

class NetapiUsersTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<NetapiTarget> m_target;
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string dc() const { return m_target->controller(); }

    NetStatus add(const UserInfo3 &info, uint32_t level = 3)
    {
        uint32_t parmErr = 0;
        return net().NetUserAdd(dc(), level, info, &parmErr);
    }
    bool exists(const std::string &name)
    {
        UserInfo3 info;
        return net().NetUserGetInfo(dc(), name, 0, info) == platform::status::Success;
    }

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
        removeLeftovers(*m_target);
    }

    void cleanupTestCase()
    {
        if (m_target)
            removeLeftovers(*m_target);
    }

    void userAddedAtLevel3_readsBackAsWritten_data()
    {
        QTest::addColumn<bool>("mustChange");
        QTest::newRow("must change password") << true;
        QTest::newRow("password current") << false;
    }

    void userAddedAtLevel3_readsBackAsWritten()
    {
        QFETCH(bool, mustChange);
        UserInfo3 info = newUser(uniqueName("u"));
        info.passwordExpired = mustChange ? 0xFFFFFFFF : 0;
        QCOMPARE(add(info), platform::status::Success);

        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 3, read), platform::status::Success);
        QCOMPARE(read.name, info.name);
        QCOMPARE(read.comment, info.comment);
        QCOMPARE(read.fullName, info.fullName);
        QCOMPARE(read.usrComment, info.usrComment);
        QCOMPARE(read.scriptPath, info.scriptPath);
        QVERIFY(read.flags & platform::uf::NormalAccount);
        QVERIFY(!(read.flags & platform::uf::AccountDisable));
        QCOMPARE(read.acctExpires, platform::TimeqForever);
        QCOMPARE(read.primaryGroupId, platform::DomainUsersRid);
        QCOMPARE(read.homeDir, std::string());
        QCOMPARE(read.profile, std::string());
        QCOMPARE(read.passwordExpired != 0, mustChange);
        QVERIFY(read.password.empty());
        QCOMPARE(net().NetUserDel(dc(), info.name), platform::status::Success);
    }

    void userAddedAtLevel1_readsAtLevels0And1()
    {
        UserInfo3 info = newUser(uniqueName("l"));
        QCOMPARE(add(info, 1), platform::status::Success);
        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 1, read), platform::status::Success);
        QCOMPARE(read.comment, info.comment);
        QCOMPARE(read.scriptPath, info.scriptPath);
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 0, read), platform::status::Success);
        QCOMPARE(read.name, info.name);
        QVERIFY(read.comment.empty());
    }

    void userModifiedRenamedDeleted()
    {
        const UserInfo3 info = newUser(uniqueName("m"));
        QCOMPARE(add(info), platform::status::Success);
        UserInfo3 record;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 3, record), platform::status::Success);
        record.comment = "changed";
        record.homeDir = "\\\\HQFS01\\Users\\someone";
        record.homeDirDrive = "H:";
        record.flags |= platform::uf::DontExpirePasswd;
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 3, record, nullptr),
                 platform::status::Success);
        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 3, read), platform::status::Success);
        QCOMPARE(read.comment, std::string("changed"));
        QCOMPARE(read.homeDir, record.homeDir);
        QCOMPARE(read.homeDirDrive, std::string("H:"));
        QVERIFY(read.flags & platform::uf::DontExpirePasswd);
        QCOMPARE(read.fullName, info.fullName);

        UserInfo3 rename;
        rename.name = uniqueName("r");
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 0, rename, nullptr),
                 platform::status::Success);
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 0, read), platform::status::UserNotFound);
        QCOMPARE(net().NetUserGetInfo(dc(), rename.name, 3, read), platform::status::Success);
        QCOMPARE(read.comment, std::string("changed"));

        QCOMPARE(net().NetUserDel(dc(), rename.name), platform::status::Success);
        QCOMPARE(net().NetUserGetInfo(dc(), rename.name, 0, read), platform::status::UserNotFound);
        QCOMPARE(net().NetUserDel(dc(), rename.name), platform::status::UserNotFound);
    }

    void computerAccount_isWorkstationTrust_listedAsMachine()
    {
        const std::string base = upper(uniqueName("c", 14));
        UserInfo3 info;
        info.name = base + "$";
        info.password = QString::fromStdString(base).toLower().toStdString();
        info.flags = platform::uf::Script | platform::uf::WorkstationTrustAccount;
        QCOMPARE(add(info, 1), platform::status::Success);

        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 1, read), platform::status::Success);
        QVERIFY(read.flags & platform::uf::WorkstationTrustAccount);
        QVERIFY(!(read.flags & platform::uf::NormalAccount));
        bool ok = false;
        QVERIFY(contains(displayNames(net(), dc(), 2, ok), info.name));
        QVERIFY(ok);
        QVERIFY(!contains(displayNames(net(), dc(), 1, ok), info.name));

        UserInfo3 rename;
        rename.name = upper(uniqueName("d", 14)) + "$";
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 0, rename, nullptr),
                 platform::status::Success);
        QCOMPARE(net().NetUserGetInfo(dc(), rename.name, 1, read), platform::status::Success);
        QVERIFY(read.flags & platform::uf::WorkstationTrustAccount);
        QCOMPARE(net().NetUserDel(dc(), rename.name), platform::status::Success);
    }

    void existingAndMissingUsers_giveTheirStatuses()
    {
        const UserInfo3 info = newUser(uniqueName("e"));
        QCOMPARE(add(info), platform::status::Success);
        QCOMPARE(add(info), platform::status::UserExists);
        UserInfo3 upperCase = info;
        upperCase.name = upper(info.name);
        QCOMPARE(add(upperCase), platform::status::UserExists);

        const std::string missing = uniqueName("x");
        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), missing, 3, read), platform::status::UserNotFound);
        QCOMPARE(net().NetUserSetInfo(dc(), missing, 3, info, nullptr),
                 platform::status::UserNotFound);
        QCOMPARE(net().NetUserDel(dc(), missing), platform::status::UserNotFound);
    }

    void badUserName_getsTheTableStatus_andCreatesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("situation");
        const QString twentyOne = QString::fromStdString(uniqueName("n", 21));
        QTest::newRow("21 characters") << twentyOne << int(Situation::NameTooLong);
        for (QChar c : QStringLiteral("\"/\\[]:|<>+=;?,*")) {
            const QString name = QString::fromStdString(uniqueName("f", 8)) + c + "x";
            QTest::newRow(qPrintable(QStringLiteral("character %1").arg(c)))
                << name << int(Situation::NameForbiddenChar);
        }
        QTest::newRow("tab") << QString::fromStdString(uniqueName("t", 8)) + "\tx"
                             << int(Situation::NameControlChar);
        QTest::newRow("character 1") << QString::fromStdString(uniqueName("o", 8)) + QChar(1)
                                     << int(Situation::NameControlChar);
        QTest::newRow("ends with a period") << QString::fromStdString(uniqueName("p", 8)) + "."
                                            << int(Situation::NameEndsWithPeriod);
        QTest::newRow("empty") << QString() << int(Situation::NameEmpty);
        QTest::newRow("blanks") << QStringLiteral("   ") << int(Situation::NameEmpty);
    }

    void badUserName_getsTheTableStatus_andCreatesNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, situation);
        UserInfo3 info = newUser(name.toStdString());
        QCOMPARE(add(info), statusFor(Situation(situation)));
        QVERIFY(name.trimmed().isEmpty() || !exists(info.name));
    }

    void twentyCharacterUserName_isAccepted()
    {
        const UserInfo3 info = newUser(uniqueName("w", 20));
        QCOMPARE(add(info), platform::status::Success);
        QVERIFY(exists(info.name));
    }

    void unknownLevels_getTheTableStatus()
    {
        const NetStatus expected = statusFor(Situation::UnknownLevel);
        const UserInfo3 info = newUser(uniqueName("v"));
        QCOMPARE(add(info, 7), expected);
        QVERIFY(!exists(info.name));
        UserInfo3 read;
        QCOMPARE(net().NetUserGetInfo(dc(), "Administrator", 7, read), expected);
        QCOMPARE(net().NetUserSetInfo(dc(), "Administrator", 7, info, nullptr), expected);
        std::vector<platform::GroupUsersInfo0> groups;
        uint32_t read1 = 0, total = 0;
        QCOMPARE(net().NetUserGetGroups(dc(), "Administrator", 7, groups, 64000, read1, total),
                 expected);
    }

    void passwordPolicy_refusesWeakPasswords_with2245()
    {
        SKIP_UNLESS_APPLICABLE(*m_target, Need::PasswordPolicy);
        QVERIFY(m_target->setPasswordPolicy(12, false));
        UserInfo3 info = newUser(uniqueName("s"));
        info.password = "Short#1";
        const NetStatus shortStatus = add(info);
        QVERIFY(m_target->setPasswordPolicy(0, true));
        UserInfo3 simple = newUser(uniqueName("k"));
        simple.password = "onlylowercaseletters";
        const NetStatus simpleStatus = add(simple);
        UserInfo3 strong = newUser(uniqueName("g"));
        strong.password = "Varnel#Complex42";
        const NetStatus strongStatus = add(strong);
        QVERIFY(m_target->setPasswordPolicy(0, false));
        QCOMPARE(shortStatus, platform::status::PasswordTooShort);
        QCOMPARE(simpleStatus, platform::status::PasswordTooShort);
        QCOMPARE(strongStatus, platform::status::Success);
        QVERIFY(!exists(info.name));
        QVERIFY(!exists(simple.name));
    }

    void refusedChanges_leaveTheAccountAsItWas()
    {
        const UserInfo3 info = newUser(uniqueName("b"));
        const UserInfo3 other = newUser(uniqueName("h"));
        QCOMPARE(add(info), platform::status::Success);
        QCOMPARE(add(other), platform::status::Success);
        UserInfo3 record;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 3, record), platform::status::Success);

        UserInfo3 noType = record;
        noType.flags = platform::uf::Script;
        noType.comment = "must not be written";
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 3, noType, nullptr),
                 statusFor(Situation::AccountTypeNotOne));
        UserInfo3 badName;
        badName.name = "bad*name";
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 0, badName, nullptr),
                 statusFor(Situation::NameForbiddenChar));
        UserInfo3 taken;
        taken.name = other.name;
        QCOMPARE(net().NetUserSetInfo(dc(), info.name, 0, taken, nullptr),
                 platform::status::UserExists);

        UserInfo3 after;
        QCOMPARE(net().NetUserGetInfo(dc(), info.name, 3, after), platform::status::Success);
        QCOMPARE(after.comment, record.comment);
        QCOMPARE(after.flags, record.flags);
        QVERIFY(exists(other.name));
    }
};

NETAPI_TEST_MAIN(NetapiUsersTest)
#include "test_netapi_users.moc"
