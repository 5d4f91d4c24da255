// The delete-groups window: listing, selecting, the confirmation, the batch
// of names typed with commas, its outcome and its one log line.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "groups/frmNTDelGroup.h"
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

const QString Title = QStringLiteral("NT Delete Group");

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void clickRow(QListWidget *list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

} // namespace

class DeleteGroupWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithItsControls();
    void listingFillsTheListAndCount();
    void listingOfLocalGroupsAsksForLocalGroups();
    void emptyListingReportsWithoutLogLine();
    void listingWithoutDomainIsRefused();
    void switchingGroupKindEmptiesListButKeepsCount();
    void changingDomainEmptiesListAndCount();
    void selectingEntriesWritesThemInListOrder();
    void answeringNoChangesNothing();
    void confirmationNamesOneGroupOrSeveral_data();
    void confirmationNamesOneGroupOrSeveral();
    void namesTypedWithCommasAreDeletedInOrder_data();
    void namesTypedWithCommasAreDeletedInOrder();
    void trailingCommaStopsTheBatchAtTheEmptyName();
    void failureStopsTheBatchAndIsLogged();
    void deletedNameIsRemovedEverywhereFromTheList();
    void myComputerDeletesLocallyWithoutLookup();
    void unknownDomainFailsBeforeAnyCommand();
    void settingsAreSavedOnlyWhenATaskWasAttempted();

private:
    std::unique_ptr<frmNTDelGroup> openWindow();
    std::unique_ptr<DirectoryTestBed> m_bed;
};

void DeleteGroupWindowTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    for (const char *name : {"Accounts", "Buyers", "Clerks", "Drivers"})
        m_bed->net.addGlobalGroup(name);
    m_bed->net.addLocalGroup("Printers");
}

void DeleteGroupWindowTest::cleanup() { m_bed.reset(); }

std::unique_ptr<frmNTDelGroup> DeleteGroupWindowTest::openWindow()
{
    auto window = std::make_unique<frmNTDelGroup>();
    m_bed->net.calls.clear();
    return window;
}

void DeleteGroupWindowTest::opensWithItsControls()
{
    m_bed->platform.settings.setValue(Title, "Global", "False");
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("NT Delete Group - SALES\\operator"));
    QCOMPARE(window->BUTTON_List->text(), QStringLiteral("&List All Groups in Domain"));
    QCOMPARE(window->BUTTON_List->toolTip(), QStringLiteral("Enumerate Groups"));
    QCOMPARE(window->BUTTON_Delete->toolTip(), QStringLiteral("Delete From Domain"));
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 0"));
    QCOMPARE(window->LIST_Items->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(window->OPTION_Local->isChecked());
    QCOMPARE(window->COMBO_Domain->itemText(window->COMBO_Domain->count() - 1), MyComputer);
    QVERIFY(window->findChild<PictureBox *>("PICTURE_Progress") == nullptr);
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Delete Group."));
}

void DeleteGroupWindowTest::listingFillsTheListAndCount()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    QCOMPARE(listed(window->LIST_Items),
             (QStringList{"Accounts", "Buyers", "Clerks", "Drivers"}));
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 4"));
    QCOMPARE(callServers(m_bed->net, "NetGroupEnum"), QStringList{"\\\\DC1"});
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Delete Group."));
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
}

void DeleteGroupWindowTest::listingOfLocalGroupsAsksForLocalGroups()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText(MyComputer);
    window->OPTION_Local->click();
    window->BUTTON_List->click();
    QCOMPARE(listed(window->LIST_Items), QStringList{"Printers"});
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupEnum"), QStringList{""});
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
}

void DeleteGroupWindowTest::emptyListingReportsWithoutLogLine()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("NOWHERE");
    window->BUTTON_List->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, no groups exist within the specified domain."));
    QCOMPARE(ole::toQColor(window->PICTURE_Status->backColor()), QColor(255, 0, 0));
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 0"));
    QVERIFY(!QFile::exists(LogFilePath()));
}

void DeleteGroupWindowTest::listingWithoutDomainIsRefused()
{
    auto window = openWindow();
    window->BUTTON_List->click();
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    QCOMPARE(m_bed->seams.messageBox.shown.first().text,
             QStringLiteral("Please specify the NT domain for the group."));
    QCOMPARE(m_bed->seams.messageBox.shown.first().title,
             QStringLiteral("Varnel : Missing Domain"));
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QCOMPARE(m_bed->net.count("NetGroupEnum"), 0);
    window->close();
    QVERIFY(m_bed->platform.settings.values.empty());
}

void DeleteGroupWindowTest::switchingGroupKindEmptiesListButKeepsCount()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    window->OPTION_Local->click();
    QCOMPARE(window->LIST_Items->count(), 0);
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 4"));
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Delete Group."));
}

void DeleteGroupWindowTest::changingDomainEmptiesListAndCount()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    QTest::keyClicks(window->COMBO_Domain->lineEdit(), "X");
    QCOMPARE(window->LIST_Items->count(), 0);
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 0"));
}

void DeleteGroupWindowTest::selectingEntriesWritesThemInListOrder()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    QVERIFY(activate(*window));
    clickRow(window->LIST_Items, 3);
    QCOMPARE(window->TEXT_ID->text(), QStringLiteral("Drivers"));
    clickRow(window->LIST_Items, 1, Qt::ControlModifier);
    QCOMPARE(window->TEXT_ID->text(), QStringLiteral("Buyers,Drivers"));
    // Key up: the arrow moves the selection to the entry above alone.
    QTest::keyClick(window->LIST_Items, Qt::Key_Up);
    QCOMPARE(window->TEXT_ID->text(), QStringLiteral("Accounts"));
}

void DeleteGroupWindowTest::answeringNoChangesNothing()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->TEXT_ID->setText("Buyers");
    m_bed->seams.messageBox.answers.enqueue(seams::No);
    window->BUTTON_Delete->click();
    QVERIFY(m_bed->net.globalGroup("Buyers") != nullptr);
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Delete Group."));
    window->close();
    QVERIFY(m_bed->platform.settings.values.empty());
}

void DeleteGroupWindowTest::confirmationNamesOneGroupOrSeveral_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("question");
    QTest::newRow("one") << "  Buyers "
                         << "You are about to delete group : Buyers\n\nAre you Sure?";
    QTest::newRow("several") << "Buyers,Clerks"
                             << "You are about to delete several groups.\n\nAre you Sure?";
}

void DeleteGroupWindowTest::confirmationNamesOneGroupOrSeveral()
{
    QFETCH(QString, typed);
    QFETCH(QString, question);
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->TEXT_ID->setText(typed);
    window->BUTTON_Delete->click();
    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text, question);
    QCOMPARE(box.buttons, seams::YesNo);
    QCOMPARE(box.icon, seams::Question);
    QCOMPARE(box.title, QStringLiteral("Varnel : Please Confirm"));
}

void DeleteGroupWindowTest::namesTypedWithCommasAreDeletedInOrder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("no blanks") << "Drivers,Accounts,Clerks";
    QTest::newRow("blanks round the commas") << " Drivers , Accounts ,Clerks ";
}

void DeleteGroupWindowTest::namesTypedWithCommasAreDeletedInOrder()
{
    QFETCH(QString, typed);
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    window->TEXT_ID->setText(typed);
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();

    QCOMPARE(callTargets(m_bed->net, "NetGroupDel"),
             (QStringList{"Drivers", "Accounts", "Clerks"}));
    QCOMPARE(callServers(m_bed->net, "NetGroupDel"),
             (QStringList{"\\\\DC1", "\\\\DC1", "\\\\DC1"}));
    QCOMPARE(listed(window->LIST_Items), QStringList{"Buyers"});
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 1"));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Group(s) have been successfully deleted from SALES."));
    QVERIFY(!window->IMAGE_Success->isHidden());
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(
                 QStringLiteral(", NT Delete Group, SALES\\Drivers, True, , , , , ")),
             qPrintable(lines.first()));
}

void DeleteGroupWindowTest::trailingCommaStopsTheBatchAtTheEmptyName()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->TEXT_ID->setText("Buyers,");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();
    QCOMPARE(callTargets(m_bed->net, "NetGroupDel"), (QStringList{"Buyers", ""}));
    QVERIFY(m_bed->net.globalGroup("Buyers") == nullptr);
    QVERIFY2(window->LABEL_Status->text().startsWith(
                 QStringLiteral("Error, could not delete group - \n\n")),
             qPrintable(window->LABEL_Status->text()));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral(", NT Delete Group, SALES\\, False, ")));
}

void DeleteGroupWindowTest::failureStopsTheBatchAndIsLogged()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->TEXT_ID->setText("Accounts,Nobody,Clerks");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();
    QCOMPARE(callTargets(m_bed->net, "NetGroupDel"), (QStringList{"Accounts", "Nobody"}));
    QVERIFY(m_bed->net.globalGroup("Accounts") == nullptr);
    QVERIFY(m_bed->net.globalGroup("Clerks") != nullptr);
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not delete group - Nobody\n\nThe group name could not "
                            "be found"));
    QVERIFY(!window->IMAGE_Fail->isHidden());
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", NT Delete Group, SALES\\Nobody, False, The group name could not be found, "
                 ", , , ")),
             qPrintable(lines.first()));
}

void DeleteGroupWindowTest::deletedNameIsRemovedEverywhereFromTheList()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->BUTTON_List->click();
    window->LIST_Items->addItems({"Clerks", "Buyers", "Clerks"});
    window->TEXT_ID->setText("Clerks");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();
    QCOMPARE(listed(window->LIST_Items), (QStringList{"Accounts", "Buyers", "Drivers", "Buyers"}));
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 4"));
}

void DeleteGroupWindowTest::myComputerDeletesLocallyWithoutLookup()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText(MyComputer);
    window->OPTION_Local->click();
    window->TEXT_ID->setText("Printers");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupDel"), QStringList{""});
    QVERIFY(m_bed->net.localGroup("Printers") == nullptr);
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Group(s) have been successfully deleted from \\\\My Computer."));
}

void DeleteGroupWindowTest::unknownDomainFailsBeforeAnyCommand()
{
    auto window = openWindow();
    window->COMBO_Domain->setEditText("NOWHERE");
    window->TEXT_ID->setText("Buyers");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Delete->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Network connection error.\n\nThe domain specified does not exist, "
                            "or the domain controllers are down."));
    QCOMPARE(m_bed->net.count("NetGroupDel"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void DeleteGroupWindowTest::settingsAreSavedOnlyWhenATaskWasAttempted()
{
    {
        auto window = openWindow();
        window->COMBO_Domain->setEditText("SALES");
        window->TEXT_ID->setText("Buyers");
        window->close();
        QVERIFY(m_bed->platform.settings.values.empty());
    }
    auto window = openWindow();
    window->COMBO_Domain->setEditText("SALES");
    window->OPTION_Local->click();
    window->BUTTON_List->click();
    window->TEXT_ID->setText("Printers");
    window->close();
    MemorySettingsStore &stored = m_bed->platform.settings;
    QCOMPARE(stored.value("Settings", "LastDomain", {}), QStringLiteral("SALES"));
    QCOMPARE(stored.value("Settings", "LastGroupID", {}), QStringLiteral("Printers"));
    QCOMPARE(stored.value(Title, "Global", {}), QStringLiteral("False"));
}

QTEST_MAIN(DeleteGroupWindowTest)
#include "test_delete_group_window.moc"
