// The add-group window: validation, the uniqueness search with the progress
// bar, the create command, its outcome and log line, the remembered entries,
// and its menu item.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "groups/GroupWindows.h"
#include "groups/frmNTAddGroup.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/GuiStartup.h"
#include "ui/MainWindow.h"
#include "ui/OleColor.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

const QString Title = QStringLiteral("NT Add Group");

// The shared bar as numbers, every value it was given kept in order.
class RecordingProgress : public ProgressIndicator {
public:
    QList<int32_t> values;
    void setValue(int32_t value) override
    {
        m_value = std::clamp(value, 0, m_max);
        values.append(m_value);
    }
    int32_t value() const override { return m_value; }
    void setMax(int32_t max) override { m_max = max; }
    int32_t max() const override { return m_max; }

private:
    int32_t m_value = 0;
    int32_t m_max = 100;
};

RecordingProgress &progress()
{
    return dynamic_cast<RecordingProgress &>(appContext().SharedProgress());
}

} // namespace

class AddGroupWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithItsControlsAndRememberedEntries();
    void storedGroupKindAndUniqueChoice_data();
    void storedGroupKindAndUniqueChoice();
    void checkFieldsRefusesInOrder_data();
    void checkFieldsRefusesInOrder();
    void createsTheGroupAndLogsIt();
    void localOptionCreatesALocalGroup();
    void myComputerCreatesLocallyWithoutLookupOrSearch();
    void computerNameCreatesThereWithoutSearch();
    void searchAsksControllerThenEveryEntry();
    void searchStopsAtAnUnreachableDomainNamingIt();
    void onlyNotFoundCountsAsFree_data();
    void onlyNotFoundCountsAsFree();
    void groupInTheTargetFailsWithoutLogLine();
    void groupInAnotherListedDomainStopsTheSearch();
    void withoutUniqueTheBarGoesStraightToMaxLessOneStep();
    void unknownDomainFailsBeforeAnyCommand();
    void failedCreationIsShownAndLogged();
    void settingsAreSavedOnlyWhenATaskWasAttempted();
    void menuOpensTheGroupWindows();

private:
    std::unique_ptr<frmNTAddGroup> openWindow();
    void fill(frmNTAddGroup &window, const QString &domain, const QString &group,
              const QString &description, bool unique = true);
    std::unique_ptr<DirectoryTestBed> m_bed;
};

void AddGroupWindowTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    // The list: ENG, HR, FIN, then the workstation's SALES, then the local machine.
    m_bed->net.trustBuffer = std::string("ENG\0HR\0FIN\0\0", 12);
    m_bed->net.controllers["ENG"] = "\\\\ENGDC";
    m_bed->net.controllers["HR"] = "\\\\HRDC";
    m_bed->net.controllers["FIN"] = "\\\\FINDC";
    appContext().setProgressFactory([] { return std::make_unique<RecordingProgress>(); });
    appContext().AddWindowOpen[2] = true;
}

void AddGroupWindowTest::cleanup() { m_bed.reset(); }

std::unique_ptr<frmNTAddGroup> AddGroupWindowTest::openWindow()
{
    auto window = std::make_unique<frmNTAddGroup>();
    m_bed->net.calls.clear();
    progress().values.clear();
    return window;
}

void AddGroupWindowTest::fill(frmNTAddGroup &window, const QString &domain, const QString &group,
                              const QString &description, bool unique)
{
    window.COMBO_Domain->setEditText(domain);
    window.TEXT_ID->setText(group);
    window.TEXT_GroupDescription->setText(description);
    window.CHECK_Unique->setChecked(unique);
}

void AddGroupWindowTest::opensWithItsControlsAndRememberedEntries()
{
    m_bed->platform.settings.setValue("Settings", "LastDomain", "HR");
    m_bed->platform.settings.setValue("Settings", "LastGroupID", "Staff");
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("NT Add Group - SALES\\operator"));
    QCOMPARE(window->FRAME_GroupSettings->title(), QStringLiteral(" NT Group Settings "));
    QCOMPARE(window->LABEL_GroupName->text(), QStringLiteral("Group Name:"));
    QCOMPARE(window->LABEL_Security->text(),
             QStringLiteral("For security purposes, enter some brief information describing "
                            "the group."));
    QCOMPARE(window->BUTTON_Add->text(), QStringLiteral("&Add"));
    QCOMPARE(window->BUTTON_Add->toolTip(), QStringLiteral("Add to Domain"));
    QCOMPARE(window->CHECK_Unique->text(), QStringLiteral("Must use a unique group name"));
    QCOMPARE(window->COMBO_Domain->count(), 5);
    QCOMPARE(window->COMBO_Domain->itemText(4), MyComputer);
    QCOMPARE(window->COMBO_Domain->currentText(), QStringLiteral("HR"));
    QCOMPARE(window->TEXT_ID->text(), QStringLiteral("Staff"));
    QVERIFY(window->OPTION_Global->isChecked());
    QVERIFY(window->CHECK_Unique->isChecked());
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Add Group."));
    QVERIFY(window->findChild<PictureBox *>("PICTURE_Progress") != nullptr);
}

void AddGroupWindowTest::storedGroupKindAndUniqueChoice_data()
{
    QTest::addColumn<QString>("global");
    QTest::addColumn<QString>("unique");
    QTest::addColumn<bool>("local");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("local, not unique") << "False" << "0" << true << false;
    QTest::newRow("global, unique") << "True" << "1" << false << true;
    QTest::newRow("not a Boolean selects global") << "maybe" << "1" << false << true;
}

void AddGroupWindowTest::storedGroupKindAndUniqueChoice()
{
    QFETCH(QString, global);
    QFETCH(QString, unique);
    QFETCH(bool, local);
    QFETCH(bool, ticked);
    m_bed->platform.settings.setValue(Title, "Global", global);
    m_bed->platform.settings.setValue(Title, "Unique", unique);
    auto window = openWindow();
    QCOMPARE(window->OPTION_Local->isChecked(), local);
    QCOMPARE(window->OPTION_Global->isChecked(), !local);
    QCOMPARE(window->CHECK_Unique->isChecked(), ticked);
}

void AddGroupWindowTest::checkFieldsRefusesInOrder_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no domain, nothing else either")
        << "  " << "" << "" << "Please specify the NT domain for the group."
        << "Varnel : Missing Domain" << "COMBO_Domain";
    QTest::newRow("no group name")
        << "HR" << " " << "" << "Please specify a group name." << "Varnel : Missing Group Name"
        << "TEXT_ID";
    QTest::newRow("description of blanks only")
        << "HR" << "Staff" << "   " << "Please specify a brief description of the group."
        << "Varnel : Missing Description" << "TEXT_GroupDescription";
    QTest::newRow("full stop in the name")
        << "HR" << "Staff.North" << "North"
        << "The group name format is incorrect or contains illegal characters."
        << "Varnel : Incorrect Group Name" << "TEXT_ID";
    QTest::newRow("colon in the name")
        << "HR" << "Staff:North" << "North"
        << "The group name format is incorrect or contains illegal characters."
        << "Varnel : Incorrect Group Name" << "TEXT_ID";
}

void AddGroupWindowTest::checkFieldsRefusesInOrder()
{
    QFETCH(QString, domain);
    QFETCH(QString, group);
    QFETCH(QString, description);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    auto window = openWindow();
    fill(*window, domain, group, description);
    window->BUTTON_Add->click();

    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, title);
    QCOMPARE(box.icon, seams::Exclamation);
    QCOMPARE(box.buttons, seams::OkOnly);
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QCOMPARE(window->focusWidget()->objectName(), focus);
    QCOMPARE(window->TEXT_ID->text(), group);
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(m_bed->net.count("NetGroupAdd"), 0);
    QCOMPARE(window->LABEL_Status->text(), QStringLiteral("NT Add Group."));
}

void AddGroupWindowTest::createsTheGroupAndLogsIt()
{
    auto window = openWindow();
    fill(*window, "HR", " Staff 2 ", "People, of HR", false);
    window->BUTTON_Add->click();

    const platform::GroupInfo1 *created = m_bed->net.globalGroup("Staff 2");
    QVERIFY(created != nullptr);
    QCOMPARE(created->comment, std::string("People, of HR"));
    QCOMPARE(callServers(m_bed->net, "NetGroupAdd"), QStringList{"\\\\HRDC"});
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Staff 2\ngroup has been successfully added to HR."));
    QCOMPARE(ole::toQColor(window->PICTURE_Status->backColor()), QColor(0, 128, 0));
    QVERIFY(!window->IMAGE_Success->isHidden());
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);

    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", SALES\\operator, NT Add Group, HR\\Staff 2, True, People, of HR, , , , ")),
             qPrintable(lines.first()));
}

void AddGroupWindowTest::localOptionCreatesALocalGroup()
{
    auto window = openWindow();
    fill(*window, "HR", "Printers", "Print operators");
    window->OPTION_Local->click();
    window->BUTTON_Add->click();
    QVERIFY(m_bed->net.localGroup("Printers") != nullptr);
    QVERIFY(m_bed->net.globalGroup("Printers") == nullptr);
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 0);
    QCOMPARE(m_bed->net.count("NetLocalGroupGetInfo"), 6);
}

void AddGroupWindowTest::myComputerCreatesLocallyWithoutLookupOrSearch()
{
    auto window = openWindow();
    fill(*window, MyComputer, "Staff", "Local staff");
    window->OPTION_Local->click();
    window->BUTTON_Add->click();
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(m_bed->net.count("NetLocalGroupGetInfo"), 0);
    QCOMPARE(callServers(m_bed->net, "NetLocalGroupAdd"), QStringList{""});
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral(", \\\\My Computer\\Staff, True, ")));
}

void AddGroupWindowTest::computerNameCreatesThereWithoutSearch()
{
    auto window = openWindow();
    fill(*window, "\\\\FILES01", "Staff", "Staff on the file server");
    window->BUTTON_Add->click();
    QCOMPARE(m_bed->net.count("NetGetDCName"), 0);
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 0);
    QCOMPARE(callServers(m_bed->net, "NetGroupAdd"), QStringList{"\\\\FILES01"});
}

void AddGroupWindowTest::searchAsksControllerThenEveryEntry()
{
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff");
    window->BUTTON_Add->click();

    // The target's controller first; then every entry by name, in list
    // order, the first (ENG) included, and the local machine last.
    QCOMPARE(callTargets(m_bed->net, "NetGetDCName"),
             (QStringList{"HR", "ENG", "HR", "FIN", "SALES"}));
    QCOMPARE(callServers(m_bed->net, "NetGroupGetInfo"),
             (QStringList{"\\\\HRDC", "\\\\ENGDC", "\\\\HRDC", "\\\\FINDC", "\\\\DC1",
                          ""}));
    QCOMPARE(callServers(m_bed->net, "NetGroupAdd"), QStringList{"\\\\HRDC"});
    // 10000 / 5 entries: a step of 2000 for each entry asked.
    const QList<int32_t> expected{2001, 4001, 6001, 8001, 10000, 8000, 10000, 1};
    QCOMPARE(progress().values, expected);
    QVERIFY(m_bed->seams.eventPump.passes >= 7);
}

void AddGroupWindowTest::searchStopsAtAnUnreachableDomainNamingIt()
{
    m_bed->net.controllers.erase("FIN");
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff");
    window->BUTTON_Add->click();

    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not add the group.\n\nFIN domain controller is down.  "
                            "This function requires that all trusted domains are active."));
    QCOMPARE(ole::toQColor(window->PICTURE_Status->backColor()), QColor(255, 0, 0));
    QCOMPARE(callTargets(m_bed->net, "NetGetDCName"),
             (QStringList{"HR", "ENG", "HR", "FIN"}));
    QCOMPARE(m_bed->net.count("NetGroupAdd"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void AddGroupWindowTest::onlyNotFoundCountsAsFree_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("entry"); // the entry named in the failure; empty: created
    QTest::newRow("access denied in a listed domain") << false << "\\\\FINDC" << 5 << "FIN";
    QTest::newRow("RPC server unavailable at the target") << false << "\\\\HRDC" << 1722
                                                           << "HR";
    QTest::newRow("no such alias: a local group is free") << true << "\\\\FINDC" << 1376 << "";
    QTest::newRow("the local machine refuses") << true << "" << 5 << "\\\\My Computer";
}

void AddGroupWindowTest::onlyNotFoundCountsAsFree()
{
    QFETCH(bool, local);
    QFETCH(QString, server);
    QFETCH(int, status);
    QFETCH(QString, entry);
    m_bed->net.inject = [&](const FakeCall &call) {
        const bool lookup = call.function == "NetGroupGetInfo"
            || call.function == "NetLocalGroupGetInfo";
        return lookup && call.server == server.toStdString() ? status : 0;
    };
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff");
    (local ? window->OPTION_Local : window->OPTION_Global)->click();
    window->BUTTON_Add->click();

    const bool created = entry.isEmpty();
    QCOMPARE(m_bed->net.count(local ? "NetLocalGroupAdd" : "NetGroupAdd"), created ? 1 : 0);
    if (!created)
        QCOMPARE(window->LABEL_Status->text(),
                 QStringLiteral("Error, could not add the group.\n\n") + entry
                     + QStringLiteral(": ") + Get_ErrorText(status));
    QCOMPARE(QFile::exists(LogFilePath()), created);
}

void AddGroupWindowTest::groupInTheTargetFailsWithoutLogLine()
{
    m_bed->net.addGlobalGroup("Staff");
    auto window = openWindow();
    fill(*window, "HR", "staff", "Staff");
    window->BUTTON_Add->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error could not add the group.\n\nThe group already exist within "
                            "the trusted NT domains."));
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 1);
    QCOMPARE(m_bed->net.count("NetGroupAdd"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void AddGroupWindowTest::groupInAnotherListedDomainStopsTheSearch()
{
    m_bed->net.addGlobalGroup("Staff");
    m_bed->net.inject = [](const FakeCall &call) {
        const bool elsewhere = call.function == "NetGroupGetInfo" && call.server != "\\\\FINDC";
        return elsewhere ? platform::status::GroupNotFound : platform::status::Success;
    };
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff");
    window->BUTTON_Add->click();
    QCOMPARE(callServers(m_bed->net, "NetGroupGetInfo"),
             (QStringList{"\\\\HRDC", "\\\\ENGDC", "\\\\HRDC", "\\\\FINDC"}));
    QVERIFY(window->LABEL_Status->text().startsWith(
        QStringLiteral("Error could not add the group.\n\n")));
    QCOMPARE(m_bed->net.count("NetGroupAdd"), 0);
}

void AddGroupWindowTest::withoutUniqueTheBarGoesStraightToMaxLessOneStep()
{
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff", false);
    window->BUTTON_Add->click();
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 0);
    const QList<int32_t> expected{8000, 10000, 1};
    QCOMPARE(progress().values, expected);
}

void AddGroupWindowTest::unknownDomainFailsBeforeAnyCommand()
{
    auto window = openWindow();
    fill(*window, "NOWHERE", "Staff", "Staff");
    window->BUTTON_Add->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Network connection error.\n\nThe domain specified does not exist, "
                            "or the domain controllers are down."));
    QCOMPARE(m_bed->net.count("NetGroupGetInfo"), 0);
    QCOMPARE(m_bed->net.count("NetGroupAdd"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void AddGroupWindowTest::failedCreationIsShownAndLogged()
{
    m_bed->net.addGlobalGroup("Staff");
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff", false);
    window->BUTTON_Add->click();
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("Error, could not add the group.\n\nThe group already exists"));
    QVERIFY(!window->IMAGE_Fail->isHidden());
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(QStringLiteral(
                 ", NT Add Group, HR\\Staff, False, The group already exists, , , , ")),
             qPrintable(lines.first()));
}

void AddGroupWindowTest::settingsAreSavedOnlyWhenATaskWasAttempted()
{
    {
        auto window = openWindow();
        fill(*window, "HR", "Staff", "");
        window->close();
        QVERIFY(m_bed->platform.settings.values.empty());
        QVERIFY(!appContext().AddWindowOpen[2]);
    }
    {
        // A refused field is no attempt.
        auto window = openWindow();
        fill(*window, "HR", "Staff", "");
        window->BUTTON_Add->click();
        window->close();
        QVERIFY(m_bed->platform.settings.values.empty());
    }
    auto window = openWindow();
    fill(*window, "HR", "Staff", "Staff", false);
    window->OPTION_Local->click();
    window->BUTTON_Add->click();
    window->close();
    MemorySettingsStore &stored = m_bed->platform.settings;
    QCOMPARE(stored.value("Settings", "LastDomain", {}), QStringLiteral("HR"));
    QCOMPARE(stored.value("Settings", "LastGroupID", {}), QStringLiteral("Staff"));
    QCOMPARE(stored.value(Title, "Global", {}), QStringLiteral("False"));
    QCOMPARE(stored.value(Title, "Unique", {}), QStringLiteral("0"));
}

void AddGroupWindowTest::menuOpensTheGroupWindows()
{
    appContext().AddWindowOpen[2] = false;
    registerGroupWindows();
    showMainWindow();
    frmVarnel *main = mainWindow();
    const struct {
        const char *item;
        const char *window;
    } items[] = {{"MENUOPT_AddGroup", "frmNTAddGroup"},
                 {"MENUOPT_DelGroup", "frmNTDelGroup"},
                 {"MENUOPT_ModGroup", "frmNTModGroup"}};
    for (const auto &item : items) {
        QAction *action = main->menuItem(QLatin1String(item.item));
        QVERIFY(action->isEnabled());
        action->trigger();
        QMdiSubWindow *frame = main->taskWindow(QLatin1String(item.item));
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->widget()->metaObject()->className(), item.window);
    }
    QVERIFY(appContext().AddWindowOpen[2]);
    main->taskWindow("MENUOPT_AddGroup")->widget()->close();
    QVERIFY(!appContext().AddWindowOpen[2]);
    delete main;
}

QTEST_MAIN(AddGroupWindowTest)
#include "test_add_group_window.moc"
