// The view/modify-user and delete-user windows against the directory the
// network-management suite runs against (VARNEL_TEST_TARGET: the embedded
// directory unless a domain controller is named). One account goes through
// its life: viewed, renamed, given a new password (then used to log on),
// soft-deleted (its groups gone) and deleted for good. Every step is checked
// through the directory with the target's own calls, and the activity log is
// searched for the passwords at the end.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "directory/TrustedDomains.h"
#include "tests/netapi/EmbeddedTarget.h"
#include "tests/netapi/NetapiTarget.h"
#include "tests/netapi/SuiteSupport.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "users/DeleteUserWindow.h"
#include "users/ModifyUserWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using netapi_tests::NetapiTarget;
namespace status = platform::status;

namespace {

const QString FirstPassword = QStringLiteral("Vnt-First#Pass1");
const QString NewPassword = QStringLiteral("Vnt-Reset#Pass2");
constexpr uint32_t Expiry2030 = 1893456000;   // 2030-01-01 00:00 UTC
constexpr uint32_t NotDelegated = 0x100000;   // UF_NOT_DELEGATED

QString text(const std::string &value) { return QString::fromStdString(value); }

// Logs on to the live controller's NETLOGON share with smbclient. The
// password goes through a private authentication file, never the command line.
bool smbLogon(const QString &domain, const QString &user, const QString &password,
              QString &output)
{
    QTemporaryDir dir;
    QFile auth(dir.filePath("auth"));
    if (!auth.open(QIODevice::WriteOnly))
        return false;
    auth.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    auth.write(QStringLiteral("username = %1\npassword = %2\ndomain = %3\n")
                   .arg(user, password, domain)
                   .toUtf8());
    auth.close();
    const QString address = qEnvironmentVariable("VARNEL_DC_ADDRESS");
    QStringList arguments{"//" + address + "/netlogon", "-A", auth.fileName(), "-c", "ls"};
    const QString conf = qEnvironmentVariable("VARNEL_SMB_CONF");
    if (!conf.isEmpty())
        arguments << "-s" << conf;
    QProcess smbclient;
    smbclient.setProcessChannelMode(QProcess::MergedChannels);
    smbclient.start(QStringLiteral("smbclient"), arguments);
    if (!smbclient.waitForFinished(60000))
        return false;
    output = QString::fromUtf8(smbclient.readAll());
    return smbclient.exitStatus() == QProcess::NormalExit && smbclient.exitCode() == 0;
}

} // namespace

class TestUserWindowsAgainstDirectory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = netapi_tests::makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
        removeLeftovers();
    }

    void cleanupTestCase()
    {
        if (m_target)
            removeLeftovers();
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

    void anAccountFromViewToHardDelete()
    {
        const QString name = text(netapi_tests::uniqueName("mu", 16));
        const QString global = text(netapi_tests::uniqueName("gg", 16));
        const QString local = text(netapi_tests::uniqueName("lg", 16));
        createAccount(name, global, local);

        // View: the editable panel and the groups, as the directory holds them.
        frmNTModUser modify;
        modify.COMBO_Domain->setEditText(domain());
        modify.TEXT_ID->setText(name);
        modify.BUTTON_PropertiesSet->click();
        QCOMPARE(modify.TEXT_UserFullName->text(), QStringLiteral("Vnt Tester"));
        QCOMPARE(modify.TEXT_UserDescription->text(), QStringLiteral("vnt account"));
        QVERIFY(modify.BUTTON_Rename->isEnabled());
        modify.BUTTON_PropertiesView->click();
        QStringList groups;
        for (int row = 0; row < modify.LIST_Groups->count(); ++row)
            groups << modify.LIST_Groups->item(row)->text();
        QVERIFY2(groups.contains("GLOBAL: " + global), qPrintable(groups.join(u'|')));
        QVERIFY2(groups.contains("LOCAL: " + domain() + u'\\' + local),
                 qPrintable(groups.join(u'|')));

        // Rename.
        const QString renamed = text(netapi_tests::uniqueName("mr", 16));
        modify.BUTTON_PropertiesSet->click();
        m_seams->inputBox.answers.enqueue(renamed);
        modify.BUTTON_Rename->click();
        QVERIFY2(modify.LABEL_Status->text().contains("successfully renamed"),
                 qPrintable(modify.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), renamed.toStdString(), 3, info),
                 status::Success);
        QCOMPARE(text(info.fullName), QStringLiteral("Vnt Tester"));
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 1, info),
                 status::UserNotFound);

        // Password reset, then a logon with the new password.
        modify.CHECK_UserPasswordExpired->setChecked(false);
        m_seams->inputBox.answers.enqueue(NewPassword);
        modify.BUTTON_Password->click();
        QVERIFY2(modify.LABEL_Status->text().endsWith(NewPassword),
                 qPrintable(modify.LABEL_Status->text()));
        verifyLogon(renamed, NewPassword);

        // Apply keeps the home directory and profile the window never shows.
        modify.TEXT_UserComment->setText(QStringLiteral("vnt applied"));
        modify.BUTTON_Apply->click();
        QCOMPARE(net().NetUserGetInfo(controller(), renamed.toStdString(), 3, info),
                 status::Success);
        QCOMPARE(text(info.usrComment), QStringLiteral("vnt applied"));
        QCOMPARE(text(info.homeDir), QStringLiteral("\\\\vntfs\\home\\vnt"));
        QCOMPARE(text(info.homeDirDrive), QStringLiteral("H:"));
        QCOMPARE(text(info.profile), QStringLiteral("\\\\vntfs\\profiles\\vnt"));

        // Soft delete: disabled, renamed with "%", out of every group but its
        // primary one.
        frmNTDelUser remove;
        remove.COMBO_Domain->setEditText(domain());
        remove.TEXT_ID->setText(renamed);
        remove.CHECK_Reuse->setChecked(true);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        remove.BUTTON_Delete->click();
        QVERIFY2(remove.LABEL_Status->text().contains("enabled for reuse"),
                 qPrintable(remove.LABEL_Status->text()));
        const std::string kept = "%" + renamed.toStdString();
        QCOMPARE(net().NetUserGetInfo(controller(), kept, 3, info), status::Success);
        QVERIFY(info.flags & platform::uf::AccountDisable);
        QCOMPARE(text(info.fullName), QStringLiteral("Disabled"));
        QVERIFY(info.homeDir.empty());
        QCOMPARE(globalGroupsOf(kept), QStringList{primaryGroupName(info.primaryGroupId)});
        QVERIFY(!directLocalGroupsOf(kept).contains(local));

        // Hard delete.
        remove.TEXT_ID->setText(text(kept));
        remove.CHECK_Reuse->setChecked(false);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        remove.BUTTON_Delete->click();
        QCOMPARE(net().NetUserGetInfo(controller(), kept, 1, info), status::UserNotFound);

        // Neither password ever reached the log, though the log has lines.
        QFile log(LogFilePath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray lines = log.readAll();
        QVERIFY(lines.contains("NT View/Modify User Account"));
        QVERIFY(!lines.contains(NewPassword.toUtf8()));
        QVERIFY(!lines.contains(FirstPassword.toUtf8()));
    }

    // Apply and the password reset write what the window shows; the expiry
    // and the flags it does not show stay as the controller holds them.
    void applyAndPasswordReset_keepExpiryAndUnshownFlags()
    {
        const QString name = text(netapi_tests::uniqueName("ke", 16));
        createPlainAccount(name);
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        info.acctExpires = Expiry2030;
        info.flags |= NotDelegated;
        QCOMPARE(net().NetUserSetInfo(controller(), name.toStdString(), 3, info, nullptr),
                 status::Success);
        frmNTModUser modify;
        modify.COMBO_Domain->setEditText(domain());
        modify.TEXT_ID->setText(name);
        modify.BUTTON_PropertiesSet->click();

        modify.BUTTON_Apply->click();
        QVERIFY2(modify.LABEL_Status->text().contains("successfully modified"),
                 qPrintable(modify.LABEL_Status->text()));
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        QCOMPARE(info.acctExpires, Expiry2030);
        QVERIFY(info.flags & NotDelegated);

        m_seams->inputBox.answers.enqueue(NewPassword);
        modify.BUTTON_Password->click();
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        QCOMPARE(info.acctExpires, Expiry2030);
        QVERIFY(info.flags & NotDelegated);
    }

    // A soft delete that cannot rename (a 20-character name leaves no room
    // for the mark) leaves the account exactly as it was.
    void aSoftDeleteThatCannotRename_leavesTheAccountAsItWas()
    {
        const QString name = text(netapi_tests::uniqueName("sl", 20));
        QCOMPARE(name.size(), 20);
        const QString global = text(netapi_tests::uniqueName("gg", 16));
        const QString local = text(netapi_tests::uniqueName("lg", 16));
        createAccount(name, global, local);

        frmNTDelUser remove;
        remove.COMBO_Domain->setEditText(domain());
        remove.TEXT_ID->setText(name);
        remove.CHECK_Reuse->setChecked(true);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        remove.BUTTON_Delete->click();

        QVERIFY2(remove.LABEL_Status->text().contains("could not delete"),
                 qPrintable(remove.LABEL_Status->text()));
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        QVERIFY(!(info.flags & platform::uf::AccountDisable));
        QCOMPARE(text(info.fullName), QStringLiteral("Vnt Tester"));
        QCOMPARE(text(info.homeDir), QStringLiteral("\\\\vntfs\\home\\vnt"));
        QVERIFY(globalGroupsOf(name.toStdString()).contains(global));
        QVERIFY(directLocalGroupsOf(name.toStdString()).contains(local));
        verifyLogon(name, FirstPassword, QString());
    }

    // A soft-deleted account keeps no power: its primary group becomes the
    // domain's users, and it leaves the group that was its primary one.
    void aSoftDelete_takesAwayThePrimaryGroup()
    {
        const QString name = text(netapi_tests::uniqueName("sp", 16));
        const QString global = text(netapi_tests::uniqueName("gg", 16));
        const QString local = text(netapi_tests::uniqueName("lg", 16));
        createAccount(name, global, local);
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        info.primaryGroupId = groupRid(global);
        QCOMPARE(net().NetUserSetInfo(controller(), name.toStdString(), 3, info, nullptr),
                 status::Success);

        frmNTDelUser remove;
        remove.COMBO_Domain->setEditText(domain());
        remove.TEXT_ID->setText(name);
        remove.CHECK_Reuse->setChecked(true);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        remove.BUTTON_Delete->click();

        QVERIFY2(remove.LABEL_Status->text().contains("enabled for reuse"),
                 qPrintable(remove.LABEL_Status->text()));
        const std::string kept = "%" + name.toStdString();
        QCOMPARE(net().NetUserGetInfo(controller(), kept, 3, info), status::Success);
        QCOMPARE(info.primaryGroupId, platform::DomainUsersRid);
        QCOMPARE(globalGroupsOf(kept), QStringList{primaryGroupName(platform::DomainUsersRid)});
        QVERIFY(!directLocalGroupsOf(kept).contains(local));
    }

    // "User cannot change password": the window's outcome is what the
    // directory then holds; a back end that cannot write it says so (50).
    void cannotChangePassword_isWrittenOrRefused_neverFakedSuccess()
    {
        const QString name = text(netapi_tests::uniqueName("cc", 16));
        createPlainAccount(name);
        frmNTModUser modify;
        modify.COMBO_Domain->setEditText(domain());
        modify.TEXT_ID->setText(name);
        modify.BUTTON_PropertiesSet->click();
        modify.CHECK_UserPasswordExpired->setChecked(false);
        modify.CHECK_UserPasswordNoChange->setChecked(true);

        modify.BUTTON_Apply->click();

        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), name.toStdString(), 3, info),
                 status::Success);
        const QString outcome = modify.LABEL_Status->text();
        if (info.flags & platform::uf::PasswdCantChange)
            QVERIFY2(outcome.contains("successfully modified"), qPrintable(outcome));
        else
            QVERIFY2(outcome.endsWith(Get_ErrorText(status::NotSupported)), qPrintable(outcome));
    }

    // The view lists a local group of the trusted domain that holds this
    // domain's user (asked at the trusted domain's own controller), and not
    // for a user it does not hold.
    void theViewListsTheTrustedDomainsLocalGroupThatHoldsTheUser()
    {
        const QString trusted = text(m_target->trustedDomain());
        const QString group = qEnvironmentVariable("VARNEL_DC2_LOCAL_GROUP");
        if (group.isEmpty())
            QSKIP("no local group of another domain holds a user of this one here "
                  "(scripts/samba-dc.sh --trust makes one)");
        const QStringList saved = appContext().DomainList;
        const auto restore = qScopeGuard([saved] { appContext().DomainList = saved; });
        Get_TrustedDomains(appContext().DomainList);
        const QString entry = "LOCAL: " + trusted + u'\\' + group;

        const QStringList held = viewedGroups(text(m_target->trustedDomainUser()));
        QVERIFY2(held.contains(entry), qPrintable(held.join(u'|')));
        const QStringList notHeld = viewedGroups(QStringLiteral("Administrator"));
        QVERIFY2(notHeld.contains("GLOBAL: Domain Admins"), qPrintable(notHeld.join(u'|')));
        QVERIFY2(!notHeld.contains(entry), qPrintable(notHeld.join(u'|')));
    }

private:
    // The groups list of the read-only view of a user of the tests' domain.
    QStringList viewedGroups(const QString &user)
    {
        frmNTModUser modify;
        if (modify.COMBO_Domain->findText(text(m_target->trustedDomain())) < 0)
            return {QStringLiteral("<trusted domain not listed>")};
        modify.COMBO_Domain->setEditText(domain());
        modify.TEXT_ID->setText(user);
        modify.BUTTON_PropertiesView->click();
        QStringList groups;
        for (int row = 0; row < modify.LIST_Groups->count(); ++row)
            groups << modify.LIST_Groups->item(row)->text();
        return groups;
    }

    platform::NetworkManagement &net() { return m_target->net(); }
    std::string controller() const { return m_target->controller(); }
    QString domain() const { return text(m_target->domain()); }

    void createPlainAccount(const QString &name)
    {
        platform::UserInfo3 user;
        user.name = name.toStdString();
        user.password = FirstPassword.toStdString();
        user.flags = platform::uf::NormalAccount | platform::uf::Script;
        QCOMPARE(net().NetUserAdd(controller(), 1, user, nullptr), status::Success);
    }

    // The RID of a global group, from the display listing of groups.
    uint32_t groupRid(const QString &group)
    {
        bool ok = false;
        for (const auto &record : netapi_tests::displayRecords(net(), controller(), 3, ok)) {
            if (text(record.name).compare(group, Qt::CaseInsensitive) == 0)
                return record.id;
        }
        return 0;
    }

    void createAccount(const QString &name, const QString &global, const QString &local)
    {
        platform::UserInfo3 user;
        user.name = name.toStdString();
        user.password = FirstPassword.toStdString();
        user.flags = platform::uf::NormalAccount | platform::uf::Script;
        QCOMPARE(net().NetUserAdd(controller(), 1, user, nullptr), status::Success);
        platform::UserInfo3 info;
        QCOMPARE(net().NetUserGetInfo(controller(), user.name, 3, info), status::Success);
        info.fullName = "Vnt Tester";
        info.comment = "vnt account";
        info.homeDir = "\\\\vntfs\\home\\vnt";
        info.homeDirDrive = "H:";
        info.profile = "\\\\vntfs\\profiles\\vnt";
        QCOMPARE(net().NetUserSetInfo(controller(), user.name, 3, info, nullptr),
                 status::Success);
        QCOMPARE(net().NetGroupAdd(controller(), 1, {global.toStdString(), "vnt"}, nullptr),
                 status::Success);
        QCOMPARE(net().NetGroupAddUser(controller(), global.toStdString(), user.name),
                 status::Success);
        QCOMPARE(net().NetLocalGroupAdd(controller(), 1, {local.toStdString(), "vnt"}, nullptr),
                 status::Success);
        const std::vector<platform::LocalGroupMembersInfo3> member{
            {m_target->domain() + "\\" + user.name}};
        QCOMPARE(net().NetLocalGroupAddMembers(controller(), local.toStdString(), 3, member),
                 status::Success);
    }

    // `password` opens the account and `refused` (when given) does not.
    void verifyLogon(const QString &user, const QString &password,
                     const QString &refused = FirstPassword)
    {
        if (auto *embedded = dynamic_cast<netapi_tests::EmbeddedTarget *>(m_target.get())) {
            QVERIFY(embedded->fixture().verifyPassword(m_target->domain(), user.toStdString(),
                                                       password.toStdString()));
            if (!refused.isEmpty())
                QVERIFY(!embedded->fixture().verifyPassword(
                    m_target->domain(), user.toStdString(), refused.toStdString()));
            return;
        }
        QString output;
        QVERIFY2(smbLogon(domain(), user, password, output), qPrintable(output));
        if (!refused.isEmpty())
            QVERIFY2(!smbLogon(domain(), user, refused, output), qPrintable(output));
    }

    QStringList globalGroupsOf(const std::string &user)
    {
        std::vector<platform::GroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        if (net().NetUserGetGroups(controller(), user, 0, groups, platform::MaxPreferredLength,
                                   read, total) != status::Success)
            return {QStringLiteral("<listing failed>")};
        QStringList names;
        for (const auto &group : groups)
            names << text(group.name);
        return names;
    }

    QStringList directLocalGroupsOf(const std::string &user)
    {
        std::vector<platform::LocalGroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        if (net().NetUserGetLocalGroups(controller(), user, 0, 0, groups,
                                        platform::MaxPreferredLength, read, total)
            != status::Success)
            return {QStringLiteral("<listing failed>")};
        QStringList names;
        for (const auto &group : groups)
            names << text(group.name);
        return names;
    }

    // The name of the global group with this RID, as the display listing
    // of groups gives it.
    QString primaryGroupName(uint32_t rid)
    {
        bool ok = false;
        for (const auto &record : netapi_tests::displayRecords(net(), controller(), 3, ok)) {
            if (record.id == rid)
                return text(record.name);
        }
        return {};
    }

    // What an interrupted run left: the suite's own names, and the marked
    // names this test's soft delete gives them.
    void removeLeftovers()
    {
        netapi_tests::removeLeftovers(*m_target);
        bool ok = false;
        for (const std::string &name : netapi_tests::displayNames(net(), controller(), 1, ok)) {
            const std::string plain = name.substr(name.find_first_not_of('%') == std::string::npos
                                                      ? name.size()
                                                      : name.find_first_not_of('%'));
            if (name != plain && plain.rfind(netapi_tests::NamePrefix, 0) == 0)
                net().NetUserDel(controller(), name);
        }
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
    TestUserWindowsAgainstDirectory test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_user_windows_against_directory.moc"
