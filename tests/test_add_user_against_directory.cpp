// The add-user window against the directory the network-management suite runs
// against (VARNEL_TEST_TARGET: the embedded directory unless a domain
// controller is named). Every outcome is checked through the directory, with
// the target's own calls, not through the window's panel.
#include "app/AppContext.h"
#include "directory/TrustedDomains.h"
#include "tests/netapi/EmbeddedTarget.h"
#include "tests/netapi/NetapiTarget.h"
#include "tests/netapi/SuiteSupport.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/CheckName.h"
#include "users/AddUserWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <memory>

using netapi_tests::NetapiTarget;

namespace {

const QString Password = QStringLiteral("Vnt-Add#User7");
constexpr uint32_t Expiry2030 = 1893456000;   // 2030-01-01 00:00 UTC
constexpr uint32_t NotDelegated = 0x100000;   // UF_NOT_DELEGATED

QString text(const std::string &value) { return QString::fromStdString(value); }

} // namespace

class TestAddUserAgainstDirectory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = netapi_tests::makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
        netapi_tests::removeLeftovers(*m_target);
    }

    void cleanupTestCase()
    {
        if (m_target)
            netapi_tests::removeLeftovers(*m_target);
    }

    void init()
    {
        m_platform = std::make_unique<testing_support::TestPlatform>();
        m_seams = std::make_unique<testing_support::ScriptedSeams>();
        platform::Families families = platform::current();
        families.net = &m_target->net();
        platform::install(families);
    }

    void cleanup()
    {
        m_seams.reset();
        m_platform.reset();
    }

    void userAndComputerAreCreatedTogether()
    {
        const QString user = text(netapi_tests::uniqueName("au", 16));
        const QString computer = text(netapi_tests::uniqueName("pc", 15)).toUpper();
        frmNTAddUserComputer window;
        fillIn(window, user);
        window.CHECK_Also->setChecked(true);
        window.TEXT_ComputerName->setText(computer);

        window.BUTTON_Add->click();

        QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully")),
                 qPrintable(window.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), user.toStdString(), 3, info),
                 platform::status::Success);
        QCOMPARE(text(info.fullName), QStringLiteral("Tester, Ada Q"));
        QCOMPARE(text(info.comment), QStringLiteral("VNT TEST"));
        QCOMPARE(text(info.usrComment), QStringLiteral("VNT TEST"));
        QCOMPARE(text(info.scriptPath), QStringLiteral("vnt.cmd"));
        QVERIFY(info.passwordExpired != 0);
        QVERIFY(!(info.flags & platform::uf::AccountDisable));
        platform::UserInfo3 machine;
        QCOMPARE(net().NetUserGetInfo(controller(), computer.toStdString() + "$", 1, machine),
                 platform::status::Success);
        QVERIFY(machine.flags & platform::uf::WorkstationTrustAccount);
        QCOMPARE(text(machine.comment), domain() + u'\\' + user);
        if (auto *embedded = dynamic_cast<netapi_tests::EmbeddedTarget *>(m_target.get()))
            QVERIFY(embedded->fixture().verifyPassword(m_target->domain(), user.toStdString(),
                                                       Password.toStdString()));
    }

    void aRefusedComputerAccountTakesTheUserWithIt()
    {
        const QString user = text(netapi_tests::uniqueName("au", 16));
        const QString computer = text(netapi_tests::uniqueName("pc", 15)).toUpper();
        platform::UserInfo3 taken;
        taken.name = computer.toStdString() + "$";
        taken.password = computer.toLower().toStdString();
        taken.flags = platform::uf::WorkstationTrustAccount | platform::uf::Script;
        QCOMPARE(net().NetUserAdd(controller(), 1, taken, nullptr), platform::status::Success);
        frmNTAddUserComputer window;
        fillIn(window, user);
        window.CHECK_Unique->setChecked(false);
        window.CHECK_Also->setChecked(true);
        window.TEXT_ComputerName->setText(computer);

        window.BUTTON_Add->click();

        QVERIFY2(window.LABEL_Status->text().endsWith(
                     QStringLiteral("No accounts have been created.")),
                 qPrintable(window.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), user.toStdString(), 1, info),
                 platform::status::UserNotFound);
    }

    // Reuse takes the first soft-deleted account the controller lists, so no
    // other may stand before the test's own: these cases remove every one.
    // The reused account starts as a fresh one: no expiry, no flag the
    // window does not set, no group but the domain's users.
    void reuseRewritesTheSoftDeletedAccount()
    {
        const std::string softDeleted = makeSoftDeleted();
        platform::UserInfo3 before;
        QCOMPARE(net().NetUserGetInfo(controller(), softDeleted, 3, before),
                 platform::status::Success);
        const QString user = text(netapi_tests::uniqueName("au", 16));
        frmNTAddUserComputer window;
        fillIn(window, user);

        window.BUTTON_Add->click();

        platform::UserInfo3 after;
        QCOMPARE(net().NetUserGetInfo(controller(), user.toStdString(), 3, after),
                 platform::status::Success);
        QCOMPARE(after.userId, before.userId);
        QVERIFY(!(after.flags & platform::uf::AccountDisable));
        QVERIFY(!(after.flags & NotDelegated));
        QCOMPARE(after.acctExpires, platform::TimeqForever);
        QCOMPARE(after.primaryGroupId, platform::DomainUsersRid);
        QCOMPARE(globalGroupCount(user.toStdString()), size_t(1));
        QCOMPARE(text(after.fullName), QStringLiteral("Tester, Ada Q"));
        QCOMPARE(net().NetUserGetInfo(controller(), softDeleted, 1, before),
                 platform::status::UserNotFound);
    }

    // A reuse whose rename is refused (the name is taken) writes nothing:
    // the soft-deleted account stays disabled under its mark.
    void aRefusedReuseLeavesTheSoftDeletedAccountUntouched()
    {
        const std::string softDeleted = makeSoftDeleted();
        const QString taken = text(netapi_tests::uniqueName("at", 16));
        platform::UserInfo3 other;
        other.name = taken.toStdString();
        other.password = "Vnt-Other#Pass1";
        other.flags = platform::uf::NormalAccount | platform::uf::Script;
        QCOMPARE(net().NetUserAdd(controller(), 1, other, nullptr), platform::status::Success);
        frmNTAddUserComputer window;
        fillIn(window, taken);
        window.CHECK_Unique->setChecked(false);

        window.BUTTON_Add->click();

        QVERIFY2(window.LABEL_Status->text().endsWith("No accounts have been added."),
                 qPrintable(window.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), softDeleted, 3, info),
                 platform::status::Success);
        QVERIFY(info.flags & platform::uf::AccountDisable);
        QCOMPARE(text(info.fullName), QStringLiteral("Disabled"));
        QCOMPARE(info.acctExpires, Expiry2030);
    }

    // When the computer account is refused after a reuse, the reused account
    // goes back to its soft-deleted state and keeps its SID.
    void aRefusedComputerReturnsTheReusedAccountToItsMark()
    {
        const std::string softDeleted = makeSoftDeleted();
        platform::UserInfo3 before;
        QCOMPARE(net().NetUserGetInfo(controller(), softDeleted, 3, before),
                 platform::status::Success);
        const QString user = text(netapi_tests::uniqueName("au", 16));
        const QString computer = text(netapi_tests::uniqueName("pc", 15)).toUpper();
        platform::UserInfo3 taken;
        taken.name = computer.toStdString() + "$";
        taken.password = computer.toLower().toStdString();
        taken.flags = platform::uf::WorkstationTrustAccount | platform::uf::Script;
        QCOMPARE(net().NetUserAdd(controller(), 1, taken, nullptr), platform::status::Success);
        frmNTAddUserComputer window;
        fillIn(window, user);
        window.CHECK_Unique->setChecked(false);
        window.CHECK_Also->setChecked(true);
        window.TEXT_ComputerName->setText(computer);

        window.BUTTON_Add->click();

        QVERIFY2(window.LABEL_Status->text().endsWith("No accounts have been created."),
                 qPrintable(window.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), user.toStdString(), 1, info),
                 platform::status::UserNotFound);
        QCOMPARE(net().NetUserGetInfo(controller(), softDeleted, 3, info),
                 platform::status::Success);
        QCOMPARE(info.userId, before.userId);
        QVERIFY(info.flags & platform::uf::AccountDisable);
        QCOMPARE(text(info.fullName), QStringLiteral("Disabled"));
        QVERIFY(info.scriptPath.empty());
    }

    // A name held only by a user of the trusted domain is not unique: the
    // search asks every listed domain, the trusted one at its own controller.
    void aNameTakenOnlyInTheTrustedDomainIsRefused()
    {
        const QString trusted = qEnvironmentVariable("VARNEL_DC2_DOMAIN");
        if (trusted.isEmpty())
            QSKIP("no trusted domain on this target: one domain only");
        const QStringList saved = appContext().DomainList;
        const auto restore = qScopeGuard([saved] { appContext().DomainList = saved; });
        Get_TrustedDomains(appContext().DomainList);
        std::string trustedDc;
        QCOMPARE(net().NetGetDCName({}, trusted.toStdString(), trustedDc),
                 platform::status::Success);
        bool ok = false;
        QString name;
        for (const std::string &candidate : netapi_tests::displayNames(net(), trustedDc, 1, ok)) {
            platform::UserInfo3 info;
            // Bulk names may hold blanks, which a user name may not.
            if (text(candidate).size() <= 20
                && Check_Name(text(candidate), true, true, false, false, NameExtraCharacters)
                && net().NetUserGetInfo(controller(), candidate, 1, info)
                       == platform::status::UserNotFound) {
                name = text(candidate);
                break;
            }
        }
        QVERIFY(ok);
        QVERIFY2(!name.isEmpty(), "no user of the trusted domain alone");
        frmNTAddUserComputer window;
        fillIn(window, name);
        QVERIFY(window.COMBO_Domain->findText(trusted) >= 0);

        window.BUTTON_Add->click();

        QVERIFY(!m_seams->messageBox.shown.isEmpty());
        QVERIFY2(m_seams->messageBox.shown.first().text.startsWith(
                     QStringLiteral("The account specified already exist.")),
                 qPrintable(m_seams->messageBox.shown.first().text));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 1, info),
                 platform::status::UserNotFound);
    }

private:
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string controller() const { return m_target->controller(); }
    QString domain() const { return text(m_target->domain()); }

    void fillIn(frmNTAddUserComputer &window, const QString &user)
    {
        window.COMBO_Domain->setEditText(domain());
        window.TEXT_UserFirstName->setText(QStringLiteral("Ada"));
        window.TEXT_UserMiddleInitial->setText(QStringLiteral("Q"));
        window.TEXT_UserLastName->setText(QStringLiteral("Tester"));
        window.TEXT_UserLoginScript->setText(QStringLiteral("vnt.cmd"));
        window.TEXT_EmpoyeeNumber->setText(QStringLiteral("VNT TEST"));
        window.TEXT_UserName->setText(user);
        window.TEXT_Password->setText(Password);
        // The search asks every listed domain, "\\My Computer" only where
        // this machine keeps accounts of its own.
        window.CHECK_Unique->setChecked(true);
    }

    // The only soft-deleted account of the controller, as an older copy of
    // the program left it: disabled, expiring in 2030, not delegated, and
    // still in a global group that is its primary group. "/REUSE" is on.
    std::string makeSoftDeleted()
    {
        removeSoftDeleted();
        const std::string name = "%" + netapi_tests::uniqueName("sd", 14);
        const std::string group = netapi_tests::uniqueName("gs", 16);
        platform::UserInfo3 old;
        old.name = name;
        old.password = "Vnt-Old#Pass1";
        old.flags = platform::uf::NormalAccount | platform::uf::Script
            | platform::uf::AccountDisable;
        [&] {
            QCOMPARE(net().NetUserAdd(controller(), 1, old, nullptr), platform::status::Success);
            QCOMPARE(net().NetGroupAdd(controller(), 1, {group, "vnt"}, nullptr),
                     platform::status::Success);
            QCOMPARE(net().NetGroupAddUser(controller(), group, name), platform::status::Success);
            platform::UserInfo3 info;
            QCOMPARE(net().NetUserGetInfo(controller(), name, 3, info), platform::status::Success);
            info.fullName = "Disabled";
            info.acctExpires = Expiry2030;
            info.flags |= NotDelegated;
            info.primaryGroupId = groupRid(group);
            QCOMPARE(net().NetUserSetInfo(controller(), name, 3, info, nullptr),
                     platform::status::Success);
        }();
        appContext().CommandLine = QStringLiteral("/REUSE");
        return name;
    }

    size_t globalGroupCount(const std::string &user)
    {
        std::vector<platform::GroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        net().NetUserGetGroups(controller(), user, 0, groups, platform::MaxPreferredLength,
                               read, total);
        return groups.size();
    }

    uint32_t groupRid(const std::string &group)
    {
        bool ok = false;
        for (const auto &record : netapi_tests::displayRecords(net(), controller(), 3, ok)) {
            if (text(record.name).compare(text(group), Qt::CaseInsensitive) == 0)
                return record.id;
        }
        return 0;
    }

    void removeSoftDeleted()
    {
        bool ok = false;
        for (const std::string &name :
             netapi_tests::displayNames(net(), controller(), 1, ok)) {
            if (name.rfind('%', 0) == 0)
                net().NetUserDel(controller(), name);
        }
        QVERIFY(ok);
    }

    std::unique_ptr<NetapiTarget> m_target;
    std::unique_ptr<testing_support::TestPlatform> m_platform;
    std::unique_ptr<testing_support::ScriptedSeams> m_seams;
};

int main(int argc, char **argv)
{
    const int helper = netapi_tests::runTargetHelper(argc, argv);
    if (helper >= 0)
        return helper;
    QApplication app(argc, argv);
    TestAddUserAgainstDirectory test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_add_user_against_directory.moc"
