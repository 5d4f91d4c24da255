// The three group windows against the directory the network-management suite
// runs against (VARNEL_TEST_TARGET: the embedded directory unless a domain
// controller is named). What each window did is checked at the target's
// controller with the target's own calls, not only in the window's panel.
#include "app/AppContext.h"
#include "directory/TrustedDomains.h"
#include "groups/frmNTAddGroup.h"
#include "groups/frmNTDelGroup.h"
#include "groups/frmNTModGroup.h"
#include "tests/netapi/NetapiTarget.h"
#include "tests/netapi/SuiteSupport.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <algorithm>
#include <memory>

using netapi_tests::NetapiTarget;

namespace {

QString text(const std::string &value) { return QString::fromStdString(value); }

// The members of a global group as the controller lists them.
std::vector<std::string> globalMembers(platform::NetworkManagement &net,
                                       const std::string &server, const std::string &group)
{
    std::vector<std::string> names;
    uint32_t resume = 0;
    platform::NetStatus status = platform::status::MoreData;
    while (status == platform::status::MoreData) {
        std::vector<platform::GroupUsersInfo0> records;
        uint32_t read = 0;
        uint32_t total = 0;
        status = net.NetGroupGetUsers(server, group, 0, records, 64000, read, total, resume);
        for (const auto &record : records)
            names.push_back(record.name);
    }
    return names;
}

// The members of a local group as the controller lists them (DOMAIN\name).
std::vector<std::string> localMembers(platform::NetworkManagement &net,
                                      const std::string &server, const std::string &group)
{
    std::vector<std::string> names;
    uint32_t resume = 0;
    platform::NetStatus status = platform::status::MoreData;
    while (status == platform::status::MoreData) {
        std::vector<platform::LocalGroupMembersInfo3> records;
        uint32_t read = 0;
        uint32_t total = 0;
        status = net.NetLocalGroupGetMembers(server, group, 3, records, 64000, read, total,
                                             resume);
        for (const auto &record : records)
            names.push_back(record.domainAndName);
    }
    return names;
}

bool holds(const std::vector<std::string> &names, const std::string &name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string &listed) {
        return netapi_tests::upper(listed) == netapi_tests::upper(name);
    });
}

} // namespace

class TestGroupWindowsAgainstDirectory : public QObject {
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

    void addGroupWindowCreatesGlobalAndLocalGroups()
    {
        const std::string global = netapi_tests::uniqueName("gg", 20);
        const std::string local = netapi_tests::uniqueName("lg", 20);
        for (const auto &[name, isLocal] : {std::pair{global, false}, std::pair{local, true}}) {
            frmNTAddGroup window;
            window.COMBO_Domain->setEditText(domain());
            window.TEXT_ID->setText(text(name));
            window.TEXT_GroupDescription->setText(QStringLiteral("Varnel test, group"));
            (isLocal ? window.OPTION_Local : window.OPTION_Global)->click();
            // The search asks every listed domain, "\\My Computer" only where
            // this machine keeps accounts of its own.
            window.CHECK_Unique->setChecked(true);
            window.BUTTON_Add->click();
            QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully added")),
                     qPrintable(window.LABEL_Status->text()));
        }
        platform::GroupInfo1 info;
        QCOMPARE(net().NetGroupGetInfo(controller(), global, 1, info), platform::status::Success);
        QCOMPARE(info.comment, std::string("Varnel test, group"));
        QCOMPARE(net().NetLocalGroupGetInfo(controller(), local, 1, info),
                 platform::status::Success);
        QCOMPARE(net().NetGroupGetInfo(controller(), local, 1, info),
                 platform::status::GroupNotFound);

        // Asked again, the name is taken at the target itself.
        frmNTAddGroup again;
        again.COMBO_Domain->setEditText(domain());
        again.TEXT_ID->setText(text(global));
        again.TEXT_GroupDescription->setText(QStringLiteral("Again"));
        again.CHECK_Unique->setChecked(true);
        again.BUTTON_Add->click();
        QVERIFY2(again.LABEL_Status->text().startsWith(
                     QStringLiteral("Error could not add the group.")),
                 qPrintable(again.LABEL_Status->text()));
    }

    // A local group name held only in the trusted domain is not unique: the
    // search asks every listed domain, and nothing is added here.
    void addGroupWindowRefusesANameTakenOnlyInTheTrustedDomain()
    {
        const QString group = qEnvironmentVariable("VARNEL_DC2_LOCAL_GROUP");
        if (group.isEmpty())
            QSKIP("no local group of the trusted domain alone here "
                  "(scripts/samba-dc.sh --trust makes one)");
        const QStringList saved = appContext().DomainList;
        const auto restore = qScopeGuard([saved] { appContext().DomainList = saved; });
        Get_TrustedDomains(appContext().DomainList);
        frmNTAddGroup window;
        QVERIFY(window.COMBO_Domain->findText(text(m_target->trustedDomain())) >= 0);
        window.COMBO_Domain->setEditText(domain());
        window.TEXT_ID->setText(group);
        window.TEXT_GroupDescription->setText(QStringLiteral("Varnel test, taken"));
        window.OPTION_Local->click();
        window.CHECK_Unique->setChecked(true);
        window.BUTTON_Add->click();

        QVERIFY2(window.LABEL_Status->text().endsWith(
                     QStringLiteral("The group already exist within the trusted NT domains.")),
                 qPrintable(window.LABEL_Status->text()));
        platform::GroupInfo1 info;
        QVERIFY(net().NetLocalGroupGetInfo(controller(), group.toStdString(), 1, info)
                != platform::status::Success);
    }

    void modifyGroupWindowAddsAndRemovesAMember()
    {
        const std::string group = netapi_tests::uniqueName("mg", 20);
        const std::string user = createUser("mu");
        QCOMPARE(net().NetGroupAdd(controller(), 1, {group, "Varnel test"}, nullptr),
                 platform::status::Success);

        frmNTModGroup window;
        window.COMBO_Domain->setEditText(domain());
        window.OPTION_Global->click();
        window.BUTTON_List->click();
        chooseGroup(window, group);
        QCOMPARE(window.LABEL_Comment->text(), QStringLiteral("Varnel test"));
        QCOMPARE(window.LIST_Items->count(), 0);

        window.COMBO_MemberDomain->setEditText(domain());
        window.TEXT_MemberName->setText(text(user));
        window.BUTTON_AddMember->click();
        QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully added")),
                 qPrintable(window.LABEL_Status->text()));
        QVERIFY(holds(globalMembers(net(), controller(), group), user));
        QCOMPARE(window.LIST_Items->count(), 1);

        window.LIST_Items->item(0)->setSelected(true);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        window.BUTTON_DelMember->click();
        QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully deleted")),
                 qPrintable(window.LABEL_Status->text()));
        QVERIFY(globalMembers(net(), controller(), group).empty());
        QCOMPARE(window.LIST_Items->count(), 0);
    }

    void modifyGroupWindowGivesALocalGroupADomainMember_data()
    {
        QTest::addColumn<bool>("ofTrustedDomain");
        QTest::newRow("user of this domain") << false;
        // DOMAIN\name checked and added at this domain's controller, the
        // member's domain asked through the trust.
        QTest::newRow("user of the trusted domain") << true;
    }

    void modifyGroupWindowGivesALocalGroupADomainMember()
    {
        QFETCH(bool, ofTrustedDomain);
        if (ofTrustedDomain)
            SKIP_UNLESS_APPLICABLE(*m_target, netapi_tests::Need::Trusts);
        const std::string group = netapi_tests::uniqueName("ml", 20);
        const std::string memberDomain =
            ofTrustedDomain ? m_target->trustedDomain() : m_target->domain();
        const std::string user =
            ofTrustedDomain ? m_target->trustedDomainUser() : createUser("lu");
        QCOMPARE(net().NetLocalGroupAdd(controller(), 1, {group, "Varnel test"}, nullptr),
                 platform::status::Success);

        frmNTModGroup window;
        window.COMBO_Domain->setEditText(domain());
        window.OPTION_Local->click();
        window.BUTTON_List->click();
        chooseGroup(window, group);
        window.COMBO_MemberDomain->setEditText(text(memberDomain));
        window.TEXT_MemberName->setText(text(user));
        window.BUTTON_AddMember->click();

        QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully added")),
                 qPrintable(window.LABEL_Status->text()));
        const std::string qualified = memberDomain + "\\" + user;
        QVERIFY(holds(localMembers(net(), controller(), group), qualified));
        QCOMPARE(window.LIST_Items->count(), 1);
        QVERIFY(window.LIST_Items->item(0)->text().endsWith(text(user), Qt::CaseInsensitive));

        window.LIST_Items->item(0)->setSelected(true);
        m_seams->messageBox.answers.enqueue(seams::Yes);
        window.BUTTON_DelMember->click();
        QVERIFY2(window.LABEL_Status->text().contains(QStringLiteral("successfully deleted")),
                 qPrintable(window.LABEL_Status->text()));
        QVERIFY(localMembers(net(), controller(), group).empty());
    }

    void deleteGroupWindowDeletesListedGroups()
    {
        const std::string first = netapi_tests::uniqueName("dg", 20);
        const std::string second = netapi_tests::uniqueName("dg", 20);
        for (const std::string &name : {first, second})
            QCOMPARE(net().NetGroupAdd(controller(), 1, {name, "Varnel test"}, nullptr),
                     platform::status::Success);

        frmNTDelGroup window;
        window.COMBO_Domain->setEditText(domain());
        window.OPTION_Global->click();
        window.BUTTON_List->click();
        QVERIFY(!window.LIST_Items->findItems(text(first), Qt::MatchFixedString).isEmpty());
        window.TEXT_ID->setText(text(first) + QStringLiteral(" , ") + text(second));
        m_seams->messageBox.answers.enqueue(seams::Yes);
        window.BUTTON_Delete->click();

        QVERIFY2(window.LABEL_Status->text().startsWith(
                     QStringLiteral("Group(s) have been successfully deleted")),
                 qPrintable(window.LABEL_Status->text()));
        platform::GroupInfo1 info;
        for (const std::string &name : {first, second})
            QCOMPARE(net().NetGroupGetInfo(controller(), name, 1, info),
                     platform::status::GroupNotFound);
        QVERIFY(window.LIST_Items->findItems(text(first), Qt::MatchFixedString).isEmpty());
    }

private:
    platform::NetworkManagement &net() { return m_target->net(); }
    std::string controller() const { return m_target->controller(); }
    QString domain() const { return text(m_target->domain()); }
    std::string createUser(const std::string &stem)
    {
        platform::UserInfo3 account;
        account.name = netapi_tests::uniqueName(stem, 20);
        account.password = "Vnt-Group#Member7";
        account.flags = platform::uf::NormalAccount | platform::uf::Script;
        const platform::NetStatus status = net().NetUserAdd(controller(), 1, account, nullptr);
        if (status != platform::status::Success)
            qWarning("NetUserAdd %s: %d", account.name.c_str(), int(status));
        return account.name;
    }

    // Picks the group in the listing as the operator does, which reads it.
    static void chooseGroup(frmNTModGroup &window, const std::string &group)
    {
        const int index = window.COMBO_GroupName->findText(text(group), Qt::MatchFixedString);
        QVERIFY2(index >= 0, qPrintable(window.LABEL_Status->text()));
        window.COMBO_GroupName->setCurrentIndex(index);
        emit window.COMBO_GroupName->activated(index);
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
    TestGroupWindowsAgainstDirectory test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_group_windows_against_directory.moc"
