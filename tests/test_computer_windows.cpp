// The three computer windows on the scripted directory: the add window's
// checks and uniqueness search, the delete window's batches and "Who?", and
// the view/modify window's list cache, rename and re-synchronisation with
// fake netdom.exe helpers written into a private program folder.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/ProgramFolder.h"
#include "computers/ComputerWindows.h"
#include "computers/frmNTAddComputer.h"
#include "computers/frmNTDelComputer.h"
#include "computers/frmNTModComputer.h"
#include "platform/NetworkConnections.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/GuiStartup.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

// The computers in `online` answer; every connection is counted.
class FakeConnections : public platform::NetworkConnections {
public:
    QSet<QString> online;
    int connects = 0;
    int32_t connect(const QString &remote, const QString &) override
    {
        ++connects;
        return resourceAnswers(remote) ? 0 : 53;
    }
    int32_t disconnect(const QString &) override { return 0; }
    bool resourceAnswers(const QString &remote) override
    {
        return online.contains(platform::remoteComputer(remote));
    }
};

// A second passes on every look at the clock, so a 20-second bound passes
// in a few dozen looks.
class RacingClock : public seams::Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 3, 14), QTime(9, 0));
    QDateTime now() override { return time = time.addSecs(1); }
};

QString lastStatus(const TaskWindow &window) { return window.LABEL_Status->text(); }

} // namespace

class TestComputerWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backslashesGoOnLeavingButAPressWithThemIsRefused();
    void uniqueSearchAsksControllerThenEveryEntryInOrder();
    void firstUnreachableEntryStopsTheAddNamingIt();
    void searchStatusOtherThanFoundOrNotFoundStopsTheAdd();
    void computerNameCharacters_data();
    void computerNameCharacters();
    void addWritesTheUserLinkAndTakesNoSecondDollar();

    void batchDeletesInOrderAndStopsAtTheEmptyName();
    void selectingEntriesThreeThenOneGivesOneCommaThree();
    void whoRefusesTwoNamesBeforeAnyDirectoryCall();
    void whoShowsTheUserLink();

    void listTwiceEnumeratesOnceRefreshAgain();
    void renameToTheSameNameOrCancelLogsNothing();
    void renameReReadsUnderTheNewName();
    void propertiesTellWhetherTheWorkstationAnswers();
    void resyncWithAHelper_data();
    void resyncWithAHelper();
    void closeDuringTheHelperEndsTheWaitAndChangesNothing();
    void resyncWithoutTheHelperReportsTwiceAndTouchesNothing();
    void resyncOfAnUnreachableComputerRecreatesItWithoutTheHelper();

    void menuOpensTheComputerWindows();

private:
    void fillAdd(frmNTAddComputer &window, const QString &computer);
    std::unique_ptr<frmNTModComputer> openProperties(const QString &name);
    void writeHelper(const QString &body);

    std::unique_ptr<DirectoryTestBed> m_bed;
    std::unique_ptr<QTemporaryDir> m_folder;
    FakeConnections m_connections;
    RacingClock m_racingClock;
};

void TestComputerWindows::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    // The domain list: ENG, HR, then the workstation's SALES.
    m_bed->net.trustBuffer = std::string("ENG\0HR\0\0", 8);
    m_bed->net.controllers["ENG"] = "\\\\ENGDC";
    m_bed->net.controllers["HR"] = "\\\\HRDC";
    m_bed->net.addUser("jsmith");
    m_connections = {};
    platform::Families families = platform::current();
    families.connections = &m_connections;
    platform::install(families);
    m_folder = std::make_unique<QTemporaryDir>();
    SetProgramFolder(m_folder->path());
}

void TestComputerWindows::cleanup()
{
    SetProgramFolder({});
    m_bed.reset();
}

void TestComputerWindows::fillAdd(frmNTAddComputer &window, const QString &computer)
{
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(computer);
    window.COMBO_UserDomain->setEditText(QStringLiteral("SALES"));
    window.TEXT_UserName->setText(QStringLiteral("jsmith"));
    window.CHECK_Unique->setChecked(true);
}

void TestComputerWindows::backslashesGoOnLeavingButAPressWithThemIsRefused()
{
    frmNTAddComputer window;
    QVERIFY(activate(window));
    fillAdd(window, QStringLiteral("WS01"));
    window.COMBO_Domain->setFocus();
    window.COMBO_Domain->setEditText(QStringLiteral("\\\\sales"));
    window.BUTTON_Add->click();
    QCOMPARE(window.COMBO_Domain->currentText(), QStringLiteral("SALES"));
    QCOMPARE(lastStatus(window),
             QStringLiteral("Error, could not add the computer account.\n\nInvalid domain."));
    QVERIFY(m_bed->net.user("WS01$") == nullptr);
}

void TestComputerWindows::uniqueSearchAsksControllerThenEveryEntryInOrder()
{
    frmNTAddComputer window;
    fillAdd(window, QStringLiteral("WS01"));
    m_bed->net.calls.clear();
    window.BUTTON_Add->click();
    // The user link at SALES, then the name at the controller, then every entry.
    QCOMPARE(callServers(m_bed->net, "NetUserGetInfo"),
             QStringList({"\\\\DC1", "\\\\DC1", "\\\\ENGDC", "\\\\HRDC", "\\\\DC1"}));
    QCOMPARE(callTargets(m_bed->net, "NetUserGetInfo").mid(1),
             QStringList({"WS01$", "WS01$", "WS01$", "WS01$"}));
    QVERIFY(m_bed->net.user("WS01$") != nullptr);
}

void TestComputerWindows::firstUnreachableEntryStopsTheAddNamingIt()
{
    m_bed->net.controllers.erase("HR");
    frmNTAddComputer window;
    fillAdd(window, QStringLiteral("WS01"));
    m_bed->net.calls.clear();
    window.BUTTON_Add->click();
    QCOMPARE(lastStatus(window),
             QStringLiteral("Error, could not add the computer account.\n\nHR domain controller "
                            "is down.  This function requires that all trusted domains are "
                            "active."));
    QCOMPARE(callServers(m_bed->net, "NetUserGetInfo"),
             QStringList({"\\\\DC1", "\\\\DC1", "\\\\ENGDC"}));
    QCOMPARE(m_bed->net.count("NetUserAdd"), 0);
}

void TestComputerWindows::searchStatusOtherThanFoundOrNotFoundStopsTheAdd()
{
    m_bed->net.inject = [](const FakeCall &call) {
        return call.server == "\\\\ENGDC" ? platform::status::AccessDenied : 0;
    };
    frmNTAddComputer window;
    fillAdd(window, QStringLiteral("WS01"));
    window.BUTTON_Add->click();
    QVERIFY(lastStatus(window).startsWith(
        QStringLiteral("Error, could not add the computer account.\n\nENG: ")));
    QCOMPARE(m_bed->net.count("NetUserAdd"), 0);
}

void TestComputerWindows::computerNameCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    QTest::newRow("blank") << "WS 01" << true;
    QTest::newRow("full stop") << "WS.01" << true;
    QTest::newRow("colon") << "WS:01" << true;
    QTest::newRow("hyphen") << "WS-01" << false;
    QTest::newRow("underscore") << "WS_01" << false;
}

void TestComputerWindows::computerNameCharacters()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    frmNTAddComputer window;
    fillAdd(window, name);
    window.BUTTON_Add->click();
    const QList<ShownBox> &boxes = m_bed->seams.messageBox.shown;
    QCOMPARE(!boxes.isEmpty(), refused);
    if (refused)
        QCOMPARE(boxes.first().text, QStringLiteral("The computer name format is incorrect or "
                                                    "contains illegal characters."));
    QCOMPARE(m_bed->net.user(name.toUpper().toStdString() + "$") != nullptr, !refused);
}

void TestComputerWindows::addWritesTheUserLinkAndTakesNoSecondDollar()
{
    frmNTAddComputer window;
    fillAdd(window, QStringLiteral("ws02$"));
    window.BUTTON_Add->click();
    QVERIFY(m_bed->net.user("WS02$$") == nullptr);
    QCOMPARE(m_bed->net.user("WS02$")->comment, std::string("SALES\\jsmith"));
    QCOMPARE(lastStatus(window),
             QStringLiteral("WS02\ncomputer account has been successfully added to SALES."));
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(
        QStringLiteral("NT Add Computer Account, SALES\\WS02, True, SALES\\jsmith")),
             qPrintable(lines.first()));
}

void TestComputerWindows::batchDeletesInOrderAndStopsAtTheEmptyName()
{
    for (const char *name : {"A$", "B$", "C$"})
        m_bed->net.addUser(name, {}, platform::uf::WorkstationTrustAccount);
    frmNTDelComputer window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.LIST_Items->addItems({"A", "B", "B", "C", "D"});
    window.TEXT_ID->setText(QStringLiteral("A, B ,C,"));
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    m_bed->net.calls.clear();
    window.BUTTON_Delete->click();
    QCOMPARE(callTargets(m_bed->net, "NetUserDel"), QStringList({"A$", "B$", "C$", "$"}));
    QVERIFY(lastStatus(window).startsWith(
        QStringLiteral("Error, could not delete computer account - \n\n")));
    QCOMPARE(window.LIST_Items->count(), 1);
    QCOMPARE(window.LABEL_Items->text(), QStringLiteral("Items : 1"));
}

void TestComputerWindows::selectingEntriesThreeThenOneGivesOneCommaThree()
{
    frmNTDelComputer window;
    QVERIFY(activate(window));
    window.LIST_Items->addItems({"WS01", "WS02", "WS03"});
    QWidget *viewport = window.LIST_Items->viewport();
    auto centre = [&](int row) {
        return window.LIST_Items->visualItemRect(window.LIST_Items->item(row)).center();
    };
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(2));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, centre(0));
    QCOMPARE(window.TEXT_ID->text(), QStringLiteral("WS01,WS03"));
}

void TestComputerWindows::whoRefusesTwoNamesBeforeAnyDirectoryCall()
{
    frmNTDelComputer window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(QStringLiteral("WS01,WS02"));
    m_bed->net.calls.clear();
    window.BUTTON_CheckProp->click();
    QVERIFY(m_bed->net.calls.empty());
    QCOMPARE(m_bed->seams.messageBox.shown.last().title,
             QStringLiteral("Varnel : Too Many Computers"));
}

void TestComputerWindows::whoShowsTheUserLink()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount).comment =
        "SALES\\jsmith";
    frmNTDelComputer window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(QStringLiteral("WS01"));
    window.BUTTON_CheckProp->click();
    const ShownBox box = m_bed->seams.messageBox.shown.last();
    QCOMPARE(box.text, QStringLiteral("User Link: SALES\\jsmith"));
    QCOMPARE(box.title, QStringLiteral("Account Properties : WS01"));
}

void TestComputerWindows::listTwiceEnumeratesOnceRefreshAgain()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount);
    frmNTModComputer window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    m_bed->net.calls.clear();
    window.BUTTON_List->click();
    window.BUTTON_List->click();
    QCOMPARE(m_bed->net.count("NetQueryDisplayInformation"), 1);
    QCOMPARE(window.LABEL_Items->text(), QStringLiteral("Items : 1"));
    window.BUTTON_RefreshList->click();
    QCOMPARE(m_bed->net.count("NetQueryDisplayInformation"), 2);
    QCOMPARE(window.LIST_Items->count(), 1);
}

std::unique_ptr<frmNTModComputer> TestComputerWindows::openProperties(const QString &name)
{
    auto window = std::make_unique<frmNTModComputer>();
    window->COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window->TEXT_ID->setText(name);
    window->BUTTON_Properties->click();
    return window;
}

void TestComputerWindows::renameToTheSameNameOrCancelLogsNothing()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount);
    auto window = openProperties(QStringLiteral("WS01"));
    for (const char *answer : {"", "WS01", "  WS01$ "}) {
        m_bed->seams.inputBox.answers.enqueue(QString::fromLatin1(answer));
        window->BUTTON_Rename->click();
    }
    QCOMPARE(m_bed->net.count("NetUserSetInfo"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void TestComputerWindows::renameReReadsUnderTheNewName()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount).comment = "SALES\\x";
    auto window = openProperties(QStringLiteral("WS01"));
    m_bed->seams.inputBox.answers.enqueue(QStringLiteral("WS09$"));
    window->BUTTON_Rename->click();
    QVERIFY(m_bed->net.user("WS09$") != nullptr);
    QCOMPARE(window->TEXT_ID->text(), QStringLiteral("WS09"));
    QCOMPARE(window->TEXT_ComputerDescription->text(), QStringLiteral("SALES\\x"));
    QCOMPARE(lastStatus(*window),
             QStringLiteral("WS01\ncomputer account has been successfully renamed to\nWS09"));
}

void TestComputerWindows::propertiesTellWhetherTheWorkstationAnswers()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount);
    m_bed->net.addUser("WS02$", {}, platform::uf::WorkstationTrustAccount);
    m_connections.online = {QStringLiteral("WS01")};
    QVERIFY(lastStatus(*openProperties(QStringLiteral("WS01"))).endsWith("Workstation ONLINE"));
    const auto offline = openProperties(QStringLiteral("WS02"));
    QVERIFY(lastStatus(*offline).endsWith("Workstation OFFLINE"));
    QVERIFY(offline->BUTTON_Resync->isEnabled());
}

void TestComputerWindows::writeHelper(const QString &body)
{
    const QString path = m_folder->filePath(QStringLiteral("netdom.exe"));
    QFile helper(path);
    QVERIFY(helper.open(QIODevice::WriteOnly));
    helper.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    helper.close();
    helper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestComputerWindows::resyncWithAHelper_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("joined");
    QTest::newRow("reports the join for these arguments")
        << R"([ "$*" = "/domain:SALES member WS01 /joindomain" ] && )"
           R"(echo "The computer joined the domain SALES successfully.")"
        << true;
    QTest::newRow("another domain") << "echo joined the domain ENG successfully" << false;
    QTest::newRow("other letter case") << "echo Joined the domain SALES successfully" << false;
    QTest::newRow("exit code 1")
        << "echo joined the domain SALES successfully; exit 1" << false;
    QTest::newRow("never ends") << "exec sleep 600" << false;
}

void TestComputerWindows::resyncWithAHelper()
{
    QFETCH(QString, script);
    QFETCH(bool, joined);
    writeHelper(script);
    seams::Set racing = seams::current();
    racing.clock = &m_racingClock;
    seams::install(racing);
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount).comment = "SALES\\x";
    m_connections.online = {QStringLiteral("WS01")};
    auto window = openProperties(QStringLiteral("WS01"));
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    m_bed->net.calls.clear();
    window->BUTTON_Resync->click();

    const QString ending = QStringLiteral("The user must reboot for changes to take effect.");
    const QString resynced =
        joined ? QStringLiteral("successfully resynced. ") : QStringLiteral("resynced. ");
    QCOMPARE(lastStatus(*window),
             QStringLiteral("WS01\ncomputer account has been ") + resynced + ending);
    QCOMPARE(m_bed->net.count("NetUserDel"), joined ? 0 : 1);
    QCOMPARE(m_bed->net.user("WS01$")->comment, std::string("SALES\\x"));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList({"netdom.exe"}));
    QCOMPARE(logLines(LogFilePath()).size(), 1);
}

void TestComputerWindows::closeDuringTheHelperEndsTheWaitAndChangesNothing()
{
    writeHelper(QStringLiteral("exec sleep 600"));
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount);
    m_connections.online = {QStringLiteral("WS01")};
    auto window = openProperties(QStringLiteral("WS01"));
    QVERIFY(activate(*window));
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    // The clock stands still: only the close can end the wait.
    QTimer::singleShot(100, window.get(), [&] { window->close(); });
    QElapsedTimer timer;
    timer.start();
    window->BUTTON_Resync->click();
    QVERIFY(timer.elapsed() < 10000);
    QCOMPARE(m_bed->net.count("NetUserDel") + m_bed->net.count("NetUserAdd"), 0);
    QTRY_VERIFY(!window->isVisible());
}

void TestComputerWindows::resyncWithoutTheHelperReportsTwiceAndTouchesNothing()
{
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount);
    m_connections.online = {QStringLiteral("WS01")};
    auto window = openProperties(QStringLiteral("WS01"));
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    m_bed->net.calls.clear();
    window->BUTTON_Resync->click();
    QCOMPARE(lastStatus(*window), QStringLiteral("Error, could not resync the computer "
                                                 "account.\n\nMissing netdom.exe in program "
                                                 "path."));
    const ShownBox box = m_bed->seams.messageBox.shown.last();
    QCOMPARE(box.title, QStringLiteral("Varnel : File Not Found"));
    QVERIFY(box.text.contains(QStringLiteral("file to ") + m_folder->path() + ", then retry."));
    QCOMPARE(m_bed->net.count("NetUserDel") + m_bed->net.count("NetUserAdd"), 0);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void TestComputerWindows::resyncOfAnUnreachableComputerRecreatesItWithoutTheHelper()
{
    const QString marker = m_folder->filePath(QStringLiteral("started"));
    writeHelper(QStringLiteral("touch '%1'").arg(marker));
    m_bed->net.addUser("WS01$", {}, platform::uf::WorkstationTrustAccount).comment = "SALES\\x";
    auto window = openProperties(QStringLiteral("WS01"));
    // Any word beginning with /V (any case) asks for the intermediate boxes.
    appContext().CommandLine = QStringLiteral("/verbose");
    m_bed->seams.messageBox.answers.enqueue(seams::Yes);
    window->BUTTON_Resync->click();
    appContext().CommandLine.clear();
    QCOMPARE(m_bed->seams.messageBox.shown.last().text,
             QStringLiteral("Could not connect to target computer, forcing new account "
                            "creation..."));
    QVERIFY(!QFile::exists(marker));
    QCOMPARE(m_bed->net.count("NetUserDel"), 1);
    QCOMPARE(m_bed->net.user("WS01$")->comment, std::string("SALES\\x"));
    QCOMPARE(lastStatus(*window),
             QStringLiteral("WS01\ncomputer account has been resynced. The user must reboot "
                            "for changes to take effect."));
}

void TestComputerWindows::menuOpensTheComputerWindows()
{
    registerComputerWindows();
    showMainWindow();
    frmVarnel *main = mainWindow();
    const struct {
        const char *item;
        const char *window;
    } items[] = {{"MENUOPT_AddComputer", "frmNTAddComputer"},
                 {"MENUOPT_DelComp", "frmNTDelComputer"},
                 {"MENUOPT_ModComp", "frmNTModComputer"}};
    for (const auto &item : items) {
        QAction *action = main->menuItem(QLatin1String(item.item));
        QVERIFY(action->isEnabled());
        action->trigger();
        QMdiSubWindow *frame = main->taskWindow(QLatin1String(item.item));
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->widget()->metaObject()->className(), item.window);
    }
    delete main;
}

QTEST_MAIN(TestComputerWindows)
#include "test_computer_windows.moc"
