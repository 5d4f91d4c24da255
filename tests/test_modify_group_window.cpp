// The view/modify-group window: the group listing and the states of the group
// controls, reading a group, the rules for adding a member (another domain's
// member only in a local group), and removing selected members.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "groups/frmNTModGroup.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/OleColor.h"
#include "ui/PictureBox.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

const QString Title = QStringLiteral("NT View/Modify Group");

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

QStringList listed(const QComboBox *combo)
{
    QStringList names;
    for (int index = 0; index < combo->count(); ++index)
        names << combo->itemText(index);
    return names;
}

void clickRow(QListWidget *list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

} // namespace

class ModifyGroupWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithGroupControlsDisabledAndRememberedEntries();
    void listingGlobalGroupsReadsTheFirstAndOffersUsersOnly();
    void listingLocalGroupsOffersGroupMembersToo();
    void emptyListingLeavesGroupControlsDisabled_data();
    void emptyListingLeavesGroupControlsDisabled();
    void listingWithoutDomainIsRefused();
    void choosingAnotherGroupReadsItsMembers();
    void vanishedGroupGivesCriticalBox();
    void groupOfADomainWithoutControllerIsNotReadHere();
    void changingDomainOrKindGoesBackToNoGroupList();
    void externalMemberOfGlobalGroupFailsBeforeAnyLookup();
    void globalGroupTakesAUserOfItsDomain();
    void localGroupTakesAMemberOfAnotherDomain();
    void groupMemberIsLookedUpAsLocalThenGlobal();
    void myComputerLocalGroupTakesPlainNameWithoutLookup();
    void workstationMemberOfDomainGroupFails();
    void memberLookupFailures_data();
    void memberLookupFailures();
    void addMemberChecksFields_data();
    void addMemberChecksFields();
    void failedAddIsShownAndLogged();
    void clickingAListedMemberFillsTheMemberFields();
    void removingSelectedEntriesGoesFromLastToFirst();
    void failedRemovalNamesEveryMemberAttempted();
    void removingWithoutSelectionIsRefused();
    void answeringNoRemovesNothing();
    void doubleClickAndDescriptionClickShowBoxes();
    void onlyDomainAndKindAreRememberedAfterAListing();

private:
    std::unique_ptr<frmNTModGroup> openWindow();
    std::unique_ptr<frmNTModGroup> listedWindow(const QString &domain, bool local);
    std::unique_ptr<DirectoryTestBed> m_bed;
    QStringList m_removed;
};

void ModifyGroupWindowTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    FakeDirectory &net = m_bed->net;
    net.controllers["ENG"] = "\\\\ENGDC";
    net.addUser("jsmith");
    net.addUser("alice");
    net.NetGroupAdd("", 1, {"Buyers", "Purchasing staff"}, nullptr);
    net.NetGroupAddUser("", "Buyers", "jsmith");
    net.addGlobalGroup("Clerks", {"mjones", "kdavis"});
    net.NetLocalGroupAdd("", 1, {"Printers", "Print operators"}, nullptr);
    for (const char *member : {"ENG\\anna", "ENG\\ben", "SALES\\carl", "ENG\\dora"})
        net.NetLocalGroupAddMembers("", "Printers", 3, {{member}});
    m_removed.clear();
    net.inject = [this](const FakeCall &call) {
        if (call.function == "NetLocalGroupDelMembers")
            m_removed << QString::fromStdString(m_bed->net.lastMemberRecords.at(0).domainAndName);
        return platform::status::Success;
    };
}

void ModifyGroupWindowTest::cleanup() { m_bed.reset(); }

std::unique_ptr<frmNTModGroup> ModifyGroupWindowTest::openWindow()
{
    auto window = std::make_unique<frmNTModGroup>();
    m_bed->net.calls.clear();
    return window;
}

std::unique_ptr<frmNTModGroup> ModifyGroupWindowTest::listedWindow(const QString &domain,
                                                                   bool local)
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText(domain);
    (local ? window->OPTION_Local : window->OPTION_Global)->click();
    window->BUTTON_List->click();
    m_bed->net.calls.clear();
    m_bed->seams.beeper.beeps = 0;
    return window;
}

void ModifyGroupWindowTest::opensWithGroupControlsDisabledAndRememberedEntries()
{
    m_bed->platform.settings.setValue("Settings", "LastDomain", "\\\\FILES01");
    m_bed->platform.settings.setValue("Settings", "LastUserID", "jsmith");
    m_bed->platform.settings.setValue(Title, "Global", "False");
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("NT View/Modify Group - SALES\\operator"));
    QCOMPARE(window->COMBO_Domain->currentText(), QStringLiteral("\\\\FILES01"));
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("FILES01"));
    QCOMPARE(window->TEXT_MemberName->text(), QStringLiteral("jsmith"));
    QVERIFY(window->OPTION_Local->isChecked());
    QCOMPARE(listed(window->COMBO_MemberDomain), listed(window->COMBO_Domain));
    QCOMPARE(window->COMBO_MemberDomain->itemText(window->COMBO_MemberDomain->count() - 1),
             MyComputer);
    for (QWidget *control :
         QList<QWidget *>{window->COMBO_GroupName, window->LIST_Items, window->BUTTON_AddMember,
                          window->BUTTON_DelMember, window->COMBO_MemberDomain,
                          window->TEXT_MemberName, window->LABEL_Comment,
                          window->OPTION_MemberType[0], window->OPTION_MemberType[1]})
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(window->BUTTON_List->isEnabled());
    QCOMPARE(window->OPTION_MemberType[1]->objectName(), QStringLiteral("OPTION_MemberType"));
    QCOMPARE(window->OPTION_MemberType[1]->property("index").toInt(), 1);
    QCOMPARE(window->OPTION_MemberType[1]->text(), QStringLiteral("Group"));
    QCOMPARE(window->BUTTON_AddMember->text(), QStringLiteral("&Add Group Member >"));
    QCOMPARE(window->BUTTON_DelMember->toolTip(), QStringLiteral("Remove Selected Users"));
    QCOMPARE(window->LABEL_GroupMembers->text(), QStringLiteral("Group Members : 0"));
    QVERIFY(window->findChild<PictureBox *>("PICTURE_Progress") == nullptr);
}

void ModifyGroupWindowTest::listingGlobalGroupsReadsTheFirstAndOffersUsersOnly()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->OPTION_MemberType[1]->setChecked(true);
    window->BUTTON_List->click();

    QCOMPARE(listed(window->COMBO_GroupName), (QStringList{"Buyers", "Clerks"}));
    QCOMPARE(window->COMBO_GroupName->currentText(), QStringLiteral("Buyers"));
    QCOMPARE(window->LABEL_Comment->text(), QStringLiteral("Purchasing staff"));
    QCOMPARE(listed(window->LIST_Items), QStringList{"jsmith"});
    QCOMPARE(window->LABEL_GroupMembers->text(), QStringLiteral("Group Members : 1"));
    QVERIFY(window->COMBO_GroupName->isEnabled());
    QVERIFY(window->BUTTON_AddMember->isEnabled());
    QVERIFY(window->OPTION_MemberType[0]->isEnabled());
    QVERIFY(!window->OPTION_MemberType[1]->isEnabled());
    QVERIFY(window->OPTION_MemberType[0]->isChecked());
    QCOMPARE(window->focusWidget(), window->COMBO_GroupName);
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("NT View/Modify Group. \n\nGroup list complete.  Select target group "
                            "from the Group Name dropdown list."));
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
    // The group is read at the domain's controller.
    QCOMPARE(callServers(m_bed->net, "NetGroupGetInfo"), QStringList{"\\\\DC1"});
    QCOMPARE(callServers(m_bed->net, "NetGroupGetUsers"), QStringList{"\\\\DC1"});
}

void ModifyGroupWindowTest::listingLocalGroupsOffersGroupMembersToo()
{
    auto window = listedWindow("SALES", true);
    QCOMPARE(listed(window->COMBO_GroupName), QStringList{"Printers"});
    QCOMPARE(listed(window->LIST_Items),
             (QStringList{"ENG\\anna", "ENG\\ben", "SALES\\carl", "ENG\\dora"}));
    QVERIFY(window->OPTION_MemberType[1]->isEnabled());
}

void ModifyGroupWindowTest::emptyListingLeavesGroupControlsDisabled_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("text");
    QTest::newRow("global")
        << false << "Error, no global groups exist within the specified domain.";
    QTest::newRow("local") << true
                           << "Error, no local groups exist within the specified domain or you "
                              "may not have rights to view the groups.";
}

void ModifyGroupWindowTest::emptyListingLeavesGroupControlsDisabled()
{
    QFETCH(bool, local);
    QFETCH(QString, text);
    auto window = listedWindow("NOWHERE", local);
    QCOMPARE(window->LABEL_Status->text(), text);
    QCOMPARE(ole::toQColor(window->PICTURE_Status->backColor()), QColor(255, 0, 0));
    QVERIFY(!window->COMBO_GroupName->isEnabled());
    QVERIFY(!window->BUTTON_AddMember->isEnabled());
    QVERIFY(!QFile::exists(LogFilePath()));
}

void ModifyGroupWindowTest::listingWithoutDomainIsRefused()
{
    auto window = openWindow();
    window->BUTTON_List->click();
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    QCOMPARE(m_bed->seams.messageBox.shown.first().text,
             QStringLiteral("Please specify the NT domain for the groups."));
    QCOMPARE(m_bed->seams.messageBox.shown.first().title,
             QStringLiteral("Varnel : Missing Domain"));
    QCOMPARE(m_bed->net.count("NetGroupEnum"), 0);
}

void ModifyGroupWindowTest::choosingAnotherGroupReadsItsMembers()
{
    auto window = listedWindow("SALES", false);
    window->COMBO_GroupName->setCurrentIndex(1);
    emit window->COMBO_GroupName->activated(1);
    QCOMPARE(listed(window->LIST_Items), (QStringList{"mjones", "kdavis"}));
    QCOMPARE(window->LABEL_GroupMembers->text(), QStringLiteral("Group Members : 2"));
    QCOMPARE(window->LABEL_Comment->text(), QString());
}

void ModifyGroupWindowTest::vanishedGroupGivesCriticalBox()
{
    auto window = listedWindow("SALES", false);
    m_bed->net.NetGroupDel("", "Clerks");
    window->COMBO_GroupName->setCurrentIndex(1);
    emit window->COMBO_GroupName->activated(1);
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text, QStringLiteral("Error, this group no longer exist or cannot be accessed."));
    QCOMPARE(box.icon, seams::Critical);
    QCOMPARE(box.title, QStringLiteral("Varnel : Missing Group"));
    QCOMPARE(window->LIST_Items->count(), 0);
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
}

// The domain's controller gone after the listing: the group chosen is not
// read from this machine under the domain's name.
void ModifyGroupWindowTest::groupOfADomainWithoutControllerIsNotReadHere()
{
    auto window = listedWindow("SALES", false);
    m_bed->net.controllers.erase("SALES");
    QTest::keyClick(window->COMBO_GroupName, Qt::Key_Down);
    QCOMPARE(window->COMBO_GroupName->currentText(), QStringLiteral("Clerks"));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Network connection error.\n\nThe domain specified does not exist, "
                            "or the domain controllers are down."));
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 0);
    QCOMPARE(m_bed->net.count("NetGroupGetUsers"), 0);
    QCOMPARE(window->LIST_Items->count(), 0);
    QVERIFY(m_bed->seams.messageBox.shown.isEmpty());
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
}

void ModifyGroupWindowTest::changingDomainOrKindGoesBackToNoGroupList()
{
    auto window = listedWindow("SALES", false);
    window->TEXT_MemberName->setText("jsmith");
    window->OPTION_Local->click();
    QCOMPARE(window->COMBO_GroupName->count(), 0);
    QVERIFY(!window->BUTTON_AddMember->isEnabled());
    QCOMPARE(window->TEXT_MemberName->text(), QStringLiteral("jsmith"));

    window->COMBO_MemberDomain->setEditText("ENG");
    window->OPTION_Global->click();
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("SALES"));
    QCOMPARE(window->TEXT_MemberName->text(), QStringLiteral("jsmith"));

    window->BUTTON_List->click();
    QTest::keyClicks(window->COMBO_Domain->lineEdit(), "X");
    QCOMPARE(window->COMBO_GroupName->count(), 0);
    QCOMPARE(window->LIST_Items->count(), 0);
    QCOMPARE(window->LABEL_GroupMembers->text(), QStringLiteral("Group Members : 0"));
    QVERIFY(!window->COMBO_GroupName->isEnabled());
    QCOMPARE(window->TEXT_MemberName->text(), QString());
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("SALESX"));

    window->COMBO_Domain->setEditText("\\\\FILES01");
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("FILES01"));
    window->COMBO_Domain->setEditText(MyComputer);
    QCOMPARE(window->COMBO_MemberDomain->currentText(), MyComputer);
}

void ModifyGroupWindowTest::externalMemberOfGlobalGroupFailsBeforeAnyLookup()
{
    auto window = listedWindow("SALES", false);
    window->COMBO_MemberDomain->setEditText("ENG");
    window->TEXT_MemberName->setText("alice");
    window->BUTTON_AddMember->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Cannot add external domain member to global domain group."));
    QCOMPARE(m_bed->net.count("NetUserGetInfo"), 0);
    QCOMPARE(m_bed->net.count("NetGroupAddUser"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void ModifyGroupWindowTest::globalGroupTakesAUserOfItsDomain()
{
    auto window = listedWindow("SALES", false);
    window->COMBO_MemberDomain->setEditText("SALES");
    window->TEXT_MemberName->setText(" alice ");
    window->BUTTON_AddMember->click();

    QCOMPARE(callServers(m_bed->net, "NetUserGetInfo"), QStringList{"\\\\DC1"});
    QCOMPARE(callServers(m_bed->net, "NetGroupAddUser"), QStringList{"\\\\DC1"});
    QCOMPARE(listed(window->LIST_Items), (QStringList{"jsmith", "alice"}));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("alice\nmember has been successfully added to group."));
    QCOMPARE(ole::toQColor(window->PICTURE_Status->backColor()), QColor(0, 128, 0));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", NT View/Modify Group, SALES\\Buyers\\alice, True, Add Member, , , , ")),
             qPrintable(lines.first()));
}

void ModifyGroupWindowTest::localGroupTakesAMemberOfAnotherDomain()
{
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText("ENG");
    window->TEXT_MemberName->setText("alice");
    window->BUTTON_AddMember->click();

    QCOMPARE(callServers(m_bed->net, "NetUserGetInfo"), QStringList{"\\\\ENGDC"});
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupAddMembers"), QStringList{"\\\\DC1"});
    QCOMPARE(m_bed->net.lastMemberRecords.size(), std::size_t(1));
    QCOMPARE(m_bed->net.lastMemberRecords.front().domainAndName, std::string("ENG\\alice"));
    QCOMPARE(listed(window->LIST_Items).last(), QStringLiteral("ENG\\alice"));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral(", SALES\\Printers\\alice, True, Add Member")));
}

void ModifyGroupWindowTest::groupMemberIsLookedUpAsLocalThenGlobal()
{
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText("ENG");
    window->TEXT_MemberName->setText("Buyers");
    window->OPTION_MemberType[1]->click();
    window->BUTTON_AddMember->click();
    // Asked at the member's domain, then (after the change) the group read again.
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupGetInfo"),
             (QStringList{"\\\\ENGDC", "\\\\DC1"}));
    QCOMPARE(callServers(m_bed->net, "NetGroupGetInfo"), QStringList{"\\\\ENGDC"});
    QCOMPARE(m_bed->net.lastMemberRecords.front().domainAndName, std::string("ENG\\Buyers"));
}

void ModifyGroupWindowTest::myComputerLocalGroupTakesPlainNameWithoutLookup()
{
    auto window = listedWindow(MyComputer, true);
    QCOMPARE(window->COMBO_MemberDomain->currentText(), MyComputer);
    window->TEXT_MemberName->setText("bob");
    window->BUTTON_AddMember->click();
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(m_bed->net.count("NetUserGetInfo"), 0);
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupAddMembers"), QStringList{""});
    QCOMPARE(m_bed->net.lastMemberRecords.front().domainAndName, std::string("bob"));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral(", \\\\My Computer\\Printers\\bob, True, ")));
}

void ModifyGroupWindowTest::workstationMemberOfDomainGroupFails()
{
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText(MyComputer);
    window->TEXT_MemberName->setText("bob");
    window->BUTTON_AddMember->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Cannot add local workstation member to domain group."));
    QCOMPARE(m_bed->net.count("NetLocalGroupAddMembers"), 0);
}

void ModifyGroupWindowTest::memberLookupFailures_data()
{
    QTest::addColumn<QString>("memberDomain");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not found") << "ENG" << "ghost" << "The member cannot be found.";
    QTest::newRow("domain down")
        << "NOWHERE" << "alice"
        << "The domain specified does not exist, or the domain controllers are down.";
}

void ModifyGroupWindowTest::memberLookupFailures()
{
    QFETCH(QString, memberDomain);
    QFETCH(QString, member);
    QFETCH(QString, reason);
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText(memberDomain);
    window->TEXT_MemberName->setText(member);
    window->BUTTON_AddMember->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not modify the group.\n\n") + reason);
    QCOMPARE(m_bed->net.count("NetLocalGroupAddMembers"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void ModifyGroupWindowTest::addMemberChecksFields_data()
{
    QTest::addColumn<QString>("memberDomain");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("no member domain") << " " << "alice"
                                      << "Please specify the NT domain for the user."
                                      << "Varnel : Missing Domain";
    QTest::newRow("no member name") << "SALES" << " "
                                    << "Please specify a either a user or group name."
                                    << "Varnel : Missing User Name";
}

void ModifyGroupWindowTest::addMemberChecksFields()
{
    QFETCH(QString, memberDomain);
    QFETCH(QString, member);
    QFETCH(QString, message);
    QFETCH(QString, title);
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText(memberDomain);
    window->TEXT_MemberName->setText(member);
    window->BUTTON_AddMember->click();
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    QCOMPARE(m_bed->seams.messageBox.shown.first().text, message);
    QCOMPARE(m_bed->seams.messageBox.shown.first().title, title);
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QCOMPARE(m_bed->net.count("NetLocalGroupAddMembers"), 0);
}

void ModifyGroupWindowTest::failedAddIsShownAndLogged()
{
    auto window = listedWindow("SALES", true);
    window->COMBO_MemberDomain->setEditText("SALES");
    window->TEXT_MemberName->setText("carl");
    m_bed->net.addUser("carl");
    window->BUTTON_AddMember->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not add the member to group.\n\nMEMBER IN ALIAS"));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", SALES\\Printers\\carl, False, Add Member, MEMBER IN ALIAS, , , ")),
             qPrintable(lines.first()));
}

void ModifyGroupWindowTest::clickingAListedMemberFillsTheMemberFields()
{
    auto window = listedWindow("SALES", true);
    QVERIFY(activate(*window));
    clickRow(window->LIST_Items, 1);
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("ENG"));
    QCOMPARE(window->TEXT_MemberName->text(), QStringLiteral("ben"));

    window->OPTION_Global->click();
    window->BUTTON_List->click();
    clickRow(window->LIST_Items, 0);
    QCOMPARE(window->COMBO_MemberDomain->currentText(), QStringLiteral("SALES"));
    QCOMPARE(window->TEXT_MemberName->text(), QStringLiteral("jsmith"));
}

void ModifyGroupWindowTest::removingSelectedEntriesGoesFromLastToFirst()
{
    auto window = listedWindow("SALES", true);
    window->LIST_Items->item(1)->setSelected(true);
    window->LIST_Items->item(3)->setSelected(true);
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_DelMember->click();

    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text,
             QStringLiteral("You are about to delete member(s) from : Printers\n\nAre you Sure?"));
    QCOMPARE(box.title, QStringLiteral("Varnel : Please Confirm"));
    QCOMPARE(m_removed, (QStringList{"ENG\\dora", "ENG\\ben"}));
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupDelMembers"),
             (QStringList{"\\\\DC1", "\\\\DC1"}));
    QCOMPARE(listed(window->LIST_Items), (QStringList{"ENG\\anna", "SALES\\carl"}));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("The member(s) have been successfully deleted from group."));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", SALES\\Printers\\ENG\\dora;ENG\\ben, True, Remove Member, , , , ")),
             qPrintable(lines.first()));
}

void ModifyGroupWindowTest::failedRemovalNamesEveryMemberAttempted()
{
    auto window = listedWindow("SALES", true);
    m_bed->net.inject = [this](const FakeCall &call) {
        if (call.function != "NetLocalGroupDelMembers")
            return platform::status::Success;
        m_removed << QString::fromStdString(m_bed->net.lastMemberRecords.at(0).domainAndName);
        return m_removed.size() == 2 ? platform::status::AccessDenied
                                     : platform::status::Success;
    };
    for (int row : {0, 1, 3})
        window->LIST_Items->item(row)->setSelected(true);
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_DelMember->click();

    QCOMPARE(m_removed, (QStringList{"ENG\\dora", "ENG\\ben"}));
    QCOMPARE(m_bed->net.localMembers("Printers"),
             (std::vector<std::string>{"ENG\\anna", "ENG\\ben", "SALES\\carl"}));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not delete member from group : ENG\\dora;ENG\\ben\n\n"
                            "ACCESS DENIED"));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(", SALES\\Printers\\ENG\\dora;ENG\\ben, False, "
                                                   "Remove Member, ACCESS DENIED, , , ")),
             qPrintable(lines.first()));
}

void ModifyGroupWindowTest::removingWithoutSelectionIsRefused()
{
    auto window = listedWindow("SALES", true);
    window->BUTTON_DelMember->click();
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text, QStringLiteral("No member(s) have been selected to delete."));
    QCOMPARE(box.icon, seams::Exclamation);
    QCOMPARE(box.title, QStringLiteral("Varnel : No Members Selected"));
    QCOMPARE(window->focusWidget(), window->LIST_Items);
    QCOMPARE(m_bed->net.count("NetLocalGroupDelMembers"), 0);
}

void ModifyGroupWindowTest::answeringNoRemovesNothing()
{
    auto window = listedWindow("SALES", true);
    window->LIST_Items->item(0)->setSelected(true);
    m_bed->seams.messageBox.answers.enqueue(seams::No);
    window->BUTTON_DelMember->click();
    QCOMPARE(m_bed->net.count("NetLocalGroupDelMembers"), 0);
    QCOMPARE(window->LIST_Items->count(), 4);
}

void ModifyGroupWindowTest::doubleClickAndDescriptionClickShowBoxes()
{
    auto window = listedWindow("SALES", true);
    QVERIFY(activate(*window));
    window->LIST_Items->setCurrentRow(2);
    emit window->LIST_Items->itemDoubleClicked(window->LIST_Items->item(2));
    QTest::mouseClick(window->LABEL_Comment, Qt::LeftButton);
    const QList<ShownBox> &shown = m_bed->seams.messageBox.shown;
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].text, QStringLiteral("Group Member : SALES\\carl"));
    QCOMPARE(shown[0].icon, seams::Information);
    QCOMPARE(shown[0].title, QStringLiteral("Varnel : Group Member"));
    QCOMPARE(shown[1].text, QStringLiteral("Group Description: Print operators"));
    QCOMPARE(shown[1].title, QStringLiteral("Varnel : Group Description"));
}

void ModifyGroupWindowTest::onlyDomainAndKindAreRememberedAfterAListing()
{
    {
        auto window = openWindow();
        window->COMBO_Domain->setEditText("SALES");
        window->close();
        QVERIFY(m_bed->platform.settings.values.empty());
    }
    auto window = listedWindow("SALES", true);
    window->TEXT_MemberName->setText("alice");
    window->close();
    MemorySettingsStore &stored = m_bed->platform.settings;
    QCOMPARE(stored.value("Settings", "LastDomain", {}), QStringLiteral("SALES"));
    QCOMPARE(stored.value(Title, "Global", {}), QStringLiteral("False"));
    QCOMPARE(stored.value("Settings", "LastUserID", "<unset>"), QStringLiteral("<unset>"));
}

QTEST_MAIN(ModifyGroupWindowTest)
#include "test_modify_group_window.moc"
