// The delete-user window: listing and picking accounts, the properties box,
// hard and soft deletes of one name or a batch, the "%" names of a soft
// delete, and the groups a soft-deleted account leaves behind.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/Seams.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "tests/support/DirectoryTestBed.h"
#include "ui/OleColor.h"
#include "ui/PictureBox.h"
#include "users/AccountPropertiesText.h"
#include "users/DeleteBatch.h"
#include "users/DeleteUserWindow.h"
#include "users/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using testing_support::DirectoryTestBed;
using testing_support::ScriptedSeams;
using testing_support::TestPlatform;
namespace status = platform::status;

namespace {

constexpr OleColor Red = 255;
constexpr OleColor Green = 32768;
const QString Reuse = QStringLiteral("NT Delete User Account");

QStringList listed(const frmNTDelUser &window)
{
    QStringList names;
    for (int row = 0; row < window.LIST_Items->count(); ++row)
        names << window.LIST_Items->item(row)->text();
    return names;
}

QStringList logLines()
{
    QFile file(LogFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

// The fields of a log line after the time stamp and the operator.
QStringList logFields(const QString &line) { return line.split(QStringLiteral(", ")).mid(2); }

// The window on the test bed's directory, with the domain and names typed.
struct DeleteWindow {
    frmNTDelUser window;
    DeleteWindow(const QString &domain, const QString &names, bool reuse)
    {
        window.COMBO_Domain->setEditText(domain);
        window.TEXT_ID->setText(names);
        window.CHECK_Reuse->setChecked(reuse);
    }
};

void showWindow(QWidget &window)
{
    window.resize(500, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void clickRow(QListWidget *list, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

// A directory whose every user belongs to "Domain Admins" and where taking a
// member out of a group is refused.
class GroupsLocked : public testing_support::FakeDirectory {
public:
    platform::NetStatus NetUserGetGroups(const std::string &, const std::string &, uint32_t,
                                         std::vector<platform::GroupUsersInfo0> &buffer,
                                         uint32_t, uint32_t &entriesRead,
                                         uint32_t &totalEntries) override
    {
        buffer = {{"Domain Admins"}};
        entriesRead = totalEntries = 1;
        return status::Success;
    }
    platform::NetStatus NetGroupDelUser(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return status::AccessDenied;
    }
};

} // namespace

class TestDeleteUserWindow : public QObject {
    Q_OBJECT

private slots:
    // --- The name field and the properties text -------------------------------

    void splitNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one") << "jdoe" << QStringList{"jdoe"};
        QTest::newRow("pieces trimmed") << "jdoe,  asmith " << QStringList{"jdoe", "asmith"};
        QTest::newRow("empty piece kept") << "jdoe,,asmith" << QStringList{"jdoe", "", "asmith"};
        QTest::newRow("trailing comma") << "jdoe," << QStringList{"jdoe", ""};
        QTest::newRow("inner blank kept") << "j doe,a" << QStringList{"j doe", "a"};
    }
    void splitNames()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        QCOMPARE(Split_Names(typed), names);
    }

    void softDeleteNamesMarkTheAccount()
    {
        QCOMPARE(SoftDelete_Names("jdoe"), (QStringList{"%jdoe", "%%jdoe", "%%%jdoe"}));
    }

    void propertiesTextShowsEveryValueInOrder()
    {
        QVariantList items(29);
        items[5] = "Head of accounting";
        items[7] = "logon.cmd";
        items[9] = "Jane Doe";
        items[10] = "Back in May";
        items[28] = true;
        AccountFlags flags;
        flags.neverExpires = true;
        flags.lockedOut = true;
        QCOMPARE(Properties_Text(items, flags),
                 QStringLiteral("Full Name: Jane Doe\nDescription: Head of accounting\n"
                                "User Comment: Back in May\nLogin Script: logon.cmd\n"
                                "Password Expired: True\nNo User Change Password: False\n"
                                "Password Never Expires: True\nAccount Disabled: False\n"
                                "Account Locked Out: True"));
    }

    // --- Listing and picking ---------------------------------------------------

    void listShowsTheDomainsUsersAndTheirCount()
    {
        DirectoryTestBed bed;
        for (const char *name : {"jdoe", "asmith", "bwayne"})
            bed.net.addUser(name);
        DeleteWindow w("SALES", "", true);
        w.window.BUTTON_List->click();
        QCOMPARE(listed(w.window), (QStringList{"jdoe", "asmith", "bwayne"}));
        QCOMPARE(w.window.LABEL_Items->text(), QStringLiteral("Items : 3"));
        QCOMPARE(w.window.LABEL_Status->text(), QStringLiteral("NT Delete User Account."));
    }

    void listOfADomainWithoutUsersFailsWithoutLogging()
    {
        DirectoryTestBed bed;
        DeleteWindow w("SALES", "", true);
        w.window.BUTTON_List->click();
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("Error, no user accounts exist within the specified domain."));
        QCOMPARE(w.window.PICTURE_Status->backColor(), Red);
        QCOMPARE(w.window.LABEL_Items->text(), QStringLiteral("Items : 0"));
        QVERIFY(logLines().isEmpty());
    }

    void listWithoutDomainRefuses()
    {
        DirectoryTestBed bed;
        DeleteWindow w("  ", "", true);
        w.window.BUTTON_List->click();
        QCOMPARE(bed.seams.messageBox.shown.size(), 1);
        QCOMPARE(bed.seams.messageBox.shown[0].title, QStringLiteral("Varnel : Missing Domain"));
        QCOMPARE(bed.net.count("NetQueryDisplayInformation"), 0);
    }

    void domainChangeEmptiesTheList()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        DeleteWindow w("SALES", "", true);
        w.window.BUTTON_List->click();
        QCOMPARE(w.window.LIST_Items->count(), 1);
        w.window.COMBO_Domain->setEditText("ENG");
        QCOMPARE(w.window.LIST_Items->count(), 0);
        QCOMPARE(w.window.LABEL_Items->text(), QStringLiteral("Items : 0"));
    }

    void selectedEntriesFillTheNameFieldInListOrder()
    {
        DirectoryTestBed bed;
        for (const char *name : {"amy", "bob", "cid", "dan"})
            bed.net.addUser(name);
        DeleteWindow w("SALES", "", true);
        showWindow(w.window);
        w.window.BUTTON_List->click();
        clickRow(w.window.LIST_Items, 3);
        clickRow(w.window.LIST_Items, 0, Qt::ControlModifier);
        clickRow(w.window.LIST_Items, 1, Qt::ControlModifier);
        QCOMPARE(w.window.TEXT_ID->text(), QStringLiteral("amy,bob,dan"));
    }

    void softDeleteOfSelectedEntriesRenamesThemAtTheEndOfTheList()
    {
        DirectoryTestBed bed;
        for (const char *name : {"amy", "bob", "cid", "dan"})
            bed.net.addUser(name);
        DeleteWindow w("SALES", "", true);
        showWindow(w.window);
        w.window.BUTTON_List->click();
        clickRow(w.window.LIST_Items, 0);
        clickRow(w.window.LIST_Items, 2, Qt::ControlModifier);
        clickRow(w.window.LIST_Items, 3, Qt::ControlModifier);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();

        QCOMPARE(bed.seams.messageBox.shown[0].text,
                 QStringLiteral("You are about to delete several user accounts.\n\n"
                                "Are you Sure?"));
        QCOMPARE(listed(w.window), (QStringList{"bob", "%amy", "%cid", "%dan"}));
        QCOMPARE(w.window.LABEL_Items->text(), QStringLiteral("Items : 4"));
        QVERIFY(bed.net.user("%cid"));
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("User account(s) have been successfully deleted (enabled for "
                                "reuse) from SALES."));
    }

    // --- Who? ---------------------------------------------------------------------

    void propertiesOfALockedOutAccount()
    {
        DirectoryTestBed bed;
        platform::UserInfo3 &user = bed.net.addUser("jdoe");
        user.fullName = "Jane Doe";
        user.flags |= platform::uf::Lockout;
        DeleteWindow w("SALES", "jdoe", true);
        w.window.BUTTON_CheckProp->click();
        QCOMPARE(bed.seams.messageBox.shown.size(), 1);
        const auto &box = bed.seams.messageBox.shown[0];
        QCOMPARE(box.title, QStringLiteral("Account Properties : jdoe"));
        QCOMPARE(box.icon, seams::Information);
        QVERIFY(box.text.startsWith(QStringLiteral("Full Name: Jane Doe\n")));
        QVERIFY(box.text.endsWith(QStringLiteral("\nAccount Locked Out: True")));
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("NT Delete User Account. \n\n"
                                "User account found and properties displayed."));
    }

    void propertiesRefuseSeveralNamesWithoutReading()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        DeleteWindow w("SALES", "jdoe,asmith", true);
        w.window.BUTTON_CheckProp->click();
        QCOMPARE(bed.seams.messageBox.shown.size(), 1);
        QCOMPARE(bed.seams.messageBox.shown[0].title, QStringLiteral("Varnel : Too Many Users"));
        QCOMPARE(bed.net.count("NetUserGetInfo"), 0);
        QCOMPARE(bed.net.count("NetGetDCName"), 0);
    }

    void propertiesOfAMissingAccountFail()
    {
        DirectoryTestBed bed;
        DeleteWindow w("SALES", "ghost", true);
        w.window.BUTTON_CheckProp->click();
        QVERIFY(w.window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not get the user account properties.\n\n")));
        QCOMPARE(bed.seams.messageBox.shown.size(), 0);
        QVERIFY(logLines().isEmpty());
    }

    void doubleClickShowsTheEntrysProperties()
    {
        DirectoryTestBed bed;
        bed.net.addUser("amy");
        bed.net.addUser("bob").fullName = "Bob Bee";
        DeleteWindow w("SALES", "", true);
        showWindow(w.window);
        w.window.BUTTON_List->click();
        const QRect rect = w.window.LIST_Items->visualItemRect(w.window.LIST_Items->item(1));
        QTest::mouseClick(w.window.LIST_Items->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(w.window.LIST_Items->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(w.window.TEXT_ID->text(), QStringLiteral("bob"));
        QCOMPARE(bed.seams.messageBox.shown.size(), 1);
        QVERIFY(bed.seams.messageBox.shown[0].text.startsWith("Full Name: Bob Bee"));
    }

    // --- Delete ----------------------------------------------------------------------

    void answeringNoDeletesNothing()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        DeleteWindow w("SALES", "jdoe", false);
        bed.seams.messageBox.answers.enqueue(seams::No);
        w.window.BUTTON_Delete->click();
        QCOMPARE(bed.seams.messageBox.shown[0].text,
                 QStringLiteral("You are about to delete user account : jdoe\n\nAre you Sure?"));
        QCOMPARE(bed.seams.messageBox.shown[0].title, QStringLiteral("Varnel : Please Confirm"));
        QVERIFY(bed.net.user("jdoe"));
        QCOMPARE(bed.net.count("NetUserDel"), 0);
        QCOMPARE(w.window.LABEL_Status->text(), QStringLiteral("NT Delete User Account."));
    }

    void hardDeleteOfTrimmedPartsLogsTheFirstName()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addUser("asmith");
        DeleteWindow w("SALES", " jdoe,  asmith ", false);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QVERIFY(!bed.net.user("jdoe"));
        QVERIFY(!bed.net.user("asmith"));
        QCOMPARE(w.window.PICTURE_Status->backColor(), Green);
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("User account(s) have been successfully deleted from SALES."));
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(logFields(lines[0]),
                 (QStringList{"NT Delete User Account", "SALES\\jdoe", "True", "", "", "", "",
                              ""}));
    }

    void batchStopsAtAnEmptyName()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addUser("asmith");
        DeleteWindow w("SALES", "jdoe,,asmith", false);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QVERIFY(!bed.net.user("jdoe"));
        QVERIFY(bed.net.user("asmith"));
        QCOMPARE(w.window.PICTURE_Status->backColor(), Red);
        QVERIFY(w.window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not delete user account - \n\n")));
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), 1);
        const QStringList fields = logFields(lines[0]);
        QCOMPARE(fields.mid(0, 3), (QStringList{"NT Delete User Account", "SALES\\", "False"}));
        QVERIFY(!fields[3].isEmpty());
    }

    void softDeleteTakesTheFirstFreeMark_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none taken") << QStringList{} << "%jdoe";
        QTest::newRow("% taken") << QStringList{"%jdoe"} << "%%jdoe";
        QTest::newRow("% and %% taken") << QStringList{"%jdoe", "%%jdoe"} << "%%%jdoe";
    }
    void softDeleteTakesTheFirstFreeMark()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        DirectoryTestBed bed;
        bed.net.addUser("jdoe", "old-password").fullName = "Jane Doe";
        for (const QString &name : taken)
            bed.net.addUser(name.toStdString());
        DeleteWindow w("SALES", "jdoe", true);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();

        QVERIFY(!bed.net.user("jdoe"));
        const platform::UserInfo3 *kept = bed.net.user(expected.toStdString());
        QVERIFY(kept);
        QVERIFY(kept->flags & platform::uf::AccountDisable);
        QCOMPARE(kept->fullName, std::string("Disabled"));
        QVERIFY(bed.net.passwordOf(expected.toStdString()) != "old-password");
        QCOMPARE(w.window.PICTURE_Status->backColor(), Green);
        QCOMPARE(logFields(logLines().value(0)).mid(0, 3),
                 (QStringList{"NT Delete User Account", "SALES\\jdoe", "True"}));
    }

    void softDeleteFailsWhenEveryMarkIsTaken()
    {
        DirectoryTestBed bed;
        for (const char *name : {"jdoe", "%jdoe", "%%jdoe", "%%%jdoe"})
            bed.net.addUser(name);
        DeleteWindow w("SALES", "jdoe", true);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QVERIFY(bed.net.user("jdoe"));
        QCOMPARE(w.window.PICTURE_Status->backColor(), Red);
        QVERIFY(w.window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not delete user account - jdoe\n\n")));
        QCOMPARE(logFields(logLines().value(0)).mid(0, 3),
                 (QStringList{"NT Delete User Account", "SALES\\jdoe", "False"}));
    }

    void softDeleteThatCannotLeaveAGroupFailsThatName()
    {
        TestPlatform platform;
        ScriptedSeams scripted;
        GroupsLocked net;
        net.controllers["SALES"] = "\\\\DC1";
        platform::Families families = platform::current();
        families.net = &net;
        platform::install(families);
        net.addUser("jdoe");
        net.addUser("asmith");

        DeleteWindow w("SALES", "jdoe,asmith", true);
        scripted.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QVERIFY(net.user("%jdoe"));
        QVERIFY(net.user("asmith"));
        QCOMPARE(w.window.PICTURE_Status->backColor(), Red);
        QVERIFY(w.window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not delete user account - jdoe\n\n")));
    }

    void unreachableDomainTouchesNoAccount()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        DeleteWindow w("NOWHERE", "jdoe", false);
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("Network connection error.\n\nThe domain specified does not "
                                "exist, or the domain controllers are down."));
        QCOMPARE(bed.net.count("NetUserDel"), 0);
        QVERIFY(logLines().isEmpty());
    }

    void myComputerAddressesTheLocalMachine()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addUser("asmith");
        DeleteWindow w(MyComputer, "jdoe", false);
        w.window.BUTTON_List->click();
        bed.seams.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        for (const auto &call : bed.net.calls) {
            if (call.function == "NetQueryDisplayInformation" || call.function == "NetUserDel")
                QCOMPARE(call.server, std::string());
        }
        QCOMPARE(bed.net.count("NetGetDCName"), 0);
        QCOMPARE(listed(w.window), QStringList{"asmith"});
        QCOMPARE(w.window.LABEL_Status->text(),
                 QStringLiteral("User account(s) have been successfully deleted from "
                                "\\\\My Computer."));
    }

    // --- Settings ----------------------------------------------------------------------

    void settingsAreKeptOnlyAfterATask()
    {
        DirectoryTestBed bed;
        {
            frmNTDelUser window;
            QVERIFY(window.CHECK_Reuse->isChecked());
            window.COMBO_Domain->setEditText("SALES");
            window.CHECK_Reuse->setChecked(false);
            window.close();
        }
        QCOMPARE(bed.platform.settings.value(Reuse, "reuse", "unset"), QStringLiteral("unset"));
        {
            frmNTDelUser window;
            window.COMBO_Domain->setEditText("SALES");
            window.TEXT_ID->setText("jdoe");
            window.CHECK_Reuse->setChecked(false);
            window.BUTTON_List->click();
            window.close();
        }
        QCOMPARE(bed.platform.settings.value(Reuse, "reuse", "unset"), QStringLiteral("0"));
        frmNTDelUser again;
        QCOMPARE(again.COMBO_Domain->currentText(), QStringLiteral("SALES"));
        QCOMPARE(again.TEXT_ID->text(), QStringLiteral("jdoe"));
        QVERIFY(!again.CHECK_Reuse->isChecked());
    }

    // --- On the embedded directory, checked through the directory -------------------

    void softDeleteLeavesOnlyThePrimaryGroup()
    {
        TestPlatform platform;
        ScriptedSeams scripted;
        QTemporaryDir dir;
        platform::embedded::EmbeddedNetworkManagement net(
            dir.filePath("directory.sqlite").toStdString(), [] { return seams::now(); });
        QVERIFY(net.isOpen());
        platform::Families families = platform::current();
        families.net = &net;
        platform::install(families);
        const std::string pdc = "\\\\HQDC01";
        QCOMPARE(net.NetGroupAddUser(pdc, "Domain Admins", "jsmith"), status::Success);
        const std::vector<platform::LocalGroupMembersInfo3> member{{"HEADOFFICE\\jsmith"}};
        QCOMPARE(net.NetLocalGroupAddMembers(pdc, "Administrators", 3, member), status::Success);

        DeleteWindow w("HEADOFFICE", "jsmith", true);
        scripted.messageBox.answers.enqueue(seams::Yes);
        w.window.BUTTON_Delete->click();
        QCOMPARE(w.window.PICTURE_Status->backColor(), Green);

        std::vector<platform::GroupUsersInfo0> groups;
        uint32_t read = 0, total = 0;
        QCOMPARE(net.NetUserGetGroups(pdc, "%jsmith", 0, groups, platform::MaxPreferredLength,
                                      read, total),
                 status::Success);
        QCOMPARE(groups.size(), 1u);
        QCOMPARE(groups[0].name, std::string("Domain Users"));
        std::vector<platform::LocalGroupUsersInfo0> local;
        QCOMPARE(net.NetUserGetLocalGroups(pdc, "%jsmith", 0, 0, local,
                                           platform::MaxPreferredLength, read, total),
                 status::Success);
        for (const auto &group : local)
            QVERIFY2(group.name != "Administrators" && group.name != "Remote Access",
                     group.name.c_str());
        platform::UserInfo3 info;
        QCOMPARE(net.NetUserGetInfo(pdc, "%jsmith", 3, info), status::Success);
        QVERIFY(info.flags & platform::uf::AccountDisable);
    }
};

QTEST_MAIN(TestDeleteUserWindow)
#include "test_delete_user_window.moc"
