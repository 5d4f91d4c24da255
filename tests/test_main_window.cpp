// The main window: its menus, the tools it starts, the colour schemes, the
// window state it remembers and the one-window-per-kind rule of its task windows.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/ProgramFolder.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/MainWindow.h"
#include "ui/OleColor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

using testing_support::ScriptedSeams;
using testing_support::TestPlatform;

namespace {

const QString Section = QStringLiteral("Settings");

// A task window that counts how often it was asked to close, and may refuse.
class DummyTaskWindow : public QWidget {
public:
    explicit DummyTaskWindow(int *closes, bool refuse = false)
        : m_closes(closes), m_refuse(refuse)
    {
        setWindowTitle(QStringLiteral("NT Dummy"));
        resize(300, 200);
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (m_closes)
            ++*m_closes;
        if (m_refuse)
            event->ignore();
    }

private:
    int *m_closes;
    bool m_refuse;
};

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

QStringList checkedSchemes(const frmVarnel &window)
{
    QStringList checked;
    for (const char *item : {"MENUOPT_Default", "MENUOPT_Window", "MENUOPT_Desktop"}) {
        if (window.menuItem(QString::fromLatin1(item))->isChecked())
            checked << QString::fromLatin1(item);
    }
    return checked;
}

QString stored(TestPlatform &platform, const QString &key)
{
    return platform.settings.value(Section, key, QStringLiteral("<unset>"));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_platform = std::make_unique<TestPlatform>();
        m_seams = std::make_unique<ScriptedSeams>();
        m_platform->shell.availableTools << QStringLiteral("compmgmt.msc");
        // The tools sit in a folder of their own so that a mix-up with the
        // writable folder (where the log lives) shows.
        m_programFolder = m_platform->path(QStringLiteral("program"));
        QDir().mkpath(m_programFolder);
        SetProgramFolder(m_programFolder);
    }

    void cleanup()
    {
        SetProgramFolder(QString());
        m_seams.reset();
        m_platform.reset();
    }

    void firstRunOpensMaximisedWithDefaultGrey()
    {
        frmVarnel window;
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Varnel " VARNEL_VERSION " - SALES\\operator"));
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QCOMPARE(checkedSchemes(window), QStringList{QStringLiteral("MENUOPT_Default")});
        QCOMPARE(appContext().PanelColor, OleColor(8421504));
        QCOMPARE(appContext().PanelTextColor, OleColor(16777215));
        QCOMPARE(appContext().FocusColor, OleColor(255));
        QCOMPARE(window.mdiArea()->background().color(), QColor(128, 128, 128));
    }

    void chosenSchemeAndWindowStateSurviveRestart_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("panelNorm");
        QTest::addColumn<QString>("panelFont");
        QTest::addColumn<QString>("fontFocus");
        QTest::newRow("window clone, normal")
            << "MENUOPT_Window" << 0 << "-2147483643" << "-2147483640" << "16711680";
        QTest::newRow("desktop simulator, minimised")
            << "MENUOPT_Desktop" << 1 << "-2147483647" << "-2147483639" << "-2147483635";
        QTest::newRow("default grey, maximised")
            << "MENUOPT_Default" << 2 << "8421504" << "16777215" << "255";
    }

    void chosenSchemeAndWindowStateSurviveRestart()
    {
        QFETCH(QString, scheme);
        QFETCH(int, state);
        QFETCH(QString, panelNorm);
        QFETCH(QString, panelFont);
        QFETCH(QString, fontFocus);
        const Qt::WindowStates states[] = {Qt::WindowNoState, Qt::WindowMinimized,
                                           Qt::WindowMaximized};
        {
            frmVarnel window;
            window.menuItem(scheme)->trigger();
            QCOMPARE(checkedSchemes(window), QStringList{scheme});
            window.setWindowState(states[state]);
            QVERIFY(window.close());
        }
        QCOMPARE(stored(*m_platform, "MainWindowSize"), QString::number(state));
        QCOMPARE(stored(*m_platform, "PanelNorm"), panelNorm);
        QCOMPARE(stored(*m_platform, "PanelFont"), panelFont);
        QCOMPARE(stored(*m_platform, "FontFocus"), fontFocus);

        resetAppContext();
        frmVarnel next;
        QCOMPARE(checkedSchemes(next), QStringList{scheme});
        QCOMPARE(next.windowState(), states[state]);
        QCOMPARE(appContext().PanelColor, OleColor(panelNorm.toInt()));
        QCOMPARE(appContext().PanelTextColor, OleColor(panelFont.toInt()));
        QCOMPARE(appContext().FocusColor, OleColor(fontFocus.toInt()));
    }

    void choosingASchemeRecoloursTheFrame()
    {
        frmVarnel window;
        window.menuItem("MENUOPT_Window")->trigger();
        QCOMPARE(appContext().PanelColor, OleColor(0x80000005));
        QCOMPARE(appContext().PanelTextColor, OleColor(0x80000008));
        QCOMPARE(appContext().FocusColor, OleColor(16711680));
        QCOMPARE(window.mdiArea()->background().color(), ole::toQColor(0x80000005));

        // Choosing the checked item again keeps it checked.
        window.menuItem("MENUOPT_Window")->trigger();
        QCOMPARE(checkedSchemes(window), QStringList{"MENUOPT_Window"});

        window.menuItem("MENUOPT_Desktop")->trigger();
        QCOMPARE(checkedSchemes(window), QStringList{"MENUOPT_Desktop"});
        QCOMPARE(window.mdiArea()->background().color(), ole::toQColor(0x80000001));
    }

    void storedPanelColourChoosesTheCheckedScheme_data()
    {
        QTest::addColumn<QString>("panelNorm");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("default grey") << "8421504" << QStringList{"MENUOPT_Default"};
        QTest::newRow("window clone") << "-2147483643" << QStringList{"MENUOPT_Window"};
        QTest::newRow("desktop simulator") << "-2147483647" << QStringList{"MENUOPT_Desktop"};
        QTest::newRow("a colour of no scheme") << "12345" << QStringList{};
        QTest::newRow("not a number") << "grey" << QStringList{"MENUOPT_Default"};
    }

    void storedPanelColourChoosesTheCheckedScheme()
    {
        QFETCH(QString, panelNorm);
        QFETCH(QStringList, checked);
        m_platform->settings.setValue(Section, "PanelNorm", panelNorm);
        frmVarnel window;
        QCOMPARE(checkedSchemes(window), checked);
    }

    void panelColourOfNoSchemeIsUsedAsItIs()
    {
        m_platform->settings.setValue(Section, "PanelNorm", "12345"); // &H3039
        m_platform->settings.setValue(Section, "PanelFont", "65280");
        {
            frmVarnel window;
            QCOMPARE(appContext().PanelColor, OleColor(12345));
            QCOMPARE(appContext().PanelTextColor, OleColor(65280));
            QCOMPARE(window.mdiArea()->background().color(), QColor(0x39, 0x30, 0x00));
            window.close();
        }
        QCOMPARE(stored(*m_platform, "PanelNorm"), QStringLiteral("12345"));
        QCOMPARE(stored(*m_platform, "PanelFont"), QStringLiteral("65280"));
    }

    void miscToolsAreGreyedUntilTheirFilesExist_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file");
        QTest::newRow("user manager") << "MENUOPT_UsrMgr" << "program/Usrmgr.exe";
        QTest::newRow("server manager") << "MENUOPT_SvrMgr" << "program/Srvmgr.exe";
        QTest::newRow("log") << "MENUOPT_Logs" << "varnel.log";
    }

    void miscToolsAreGreyedUntilTheirFilesExist()
    {
        QFETCH(QString, item);
        QFETCH(QString, file);
        frmVarnel window;
        QMenu *misc = window.menu("MENU_Misc");
        emit misc->aboutToShow();
        for (const char *tool : {"MENUOPT_UsrMgr", "MENUOPT_SvrMgr", "MENUOPT_Logs"})
            QVERIFY2(!window.menuItem(tool)->isEnabled(), tool);

        QVERIFY(touch(m_platform->path(file)));
        emit misc->aboutToShow();
        for (const char *tool : {"MENUOPT_UsrMgr", "MENUOPT_SvrMgr", "MENUOPT_Logs"})
            QCOMPARE(window.menuItem(tool)->isEnabled(), item == QLatin1String(tool));

        QVERIFY(QFile::remove(m_platform->path(file)));
        emit misc->aboutToShow();
        QVERIFY(!window.menuItem(item)->isEnabled());
    }

    void computerManagementNeedsWindows2000AndTheTool_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<bool>("toolThere");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("NT 4.0") << 4 << true << false;
        QTest::newRow("Windows 2000") << 5 << true << true;
        QTest::newRow("later") << 6 << true << true;
        QTest::newRow("Windows 2000 without the tool") << 5 << false << false;
    }

    void computerManagementNeedsWindows2000AndTheTool()
    {
        QFETCH(int, major);
        QFETCH(bool, toolThere);
        QFETCH(bool, enabled);
        m_platform->system.version.major = major;
        if (!toolThere)
            m_platform->shell.availableTools.clear();
        frmVarnel window;
        QCOMPARE(window.menuItem("MENUOPT_CM")->isEnabled(), enabled);
        // Opening the menu does not change it.
        emit window.menu("MENU_Misc")->aboutToShow();
        QCOMPARE(window.menuItem("MENUOPT_CM")->isEnabled(), enabled);
    }

    void failedVersionQueryKeepsComputerManagementDisabled()
    {
        m_platform->system.versionQuerySucceeds = false;
        frmVarnel window;
        QVERIFY(!window.menuItem("MENUOPT_CM")->isEnabled());
    }

    void menusCarryTheirCaptionsAndNames_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("captions");
        const QString item = QStringLiteral("&User Account...");
        const QString computer = QStringLiteral("&Computer Account...");
        const QString group = QStringLiteral("&Group...");
        QTest::newRow("Add") << "MENU_Add" << "&Add"
                             << QStringList{"MENUOPT_AddUser", "MENUOPT_AddComputer",
                                            "MENUOPT_AddGroup"}
                             << QStringList{item, computer, group};
        QTest::newRow("Delete") << "MENU_Delete" << "&Delete"
                                << QStringList{"MENUOPT_DelUser", "MENUOPT_DelComp",
                                               "MENUOPT_DelGroup"}
                                << QStringList{item, computer, group};
        QTest::newRow("Modify") << "MENU_Modify" << "&Modify"
                                << QStringList{"MENUOPT_ModUser", "MENUOPT_ModComp",
                                               "MENUOPT_ModGroup"}
                                << QStringList{item, computer, group};
        QTest::newRow("Misc") << "MENU_Misc" << "Mi&sc"
                              << QStringList{"MENUOPT_Search", "MENUOPT_UsrMgr",
                                             "MENUOPT_SvrMgr", "MENUOPT_CM", "MENUOPT_Logs",
                                             "sep0", "MENUOPT_Proxy", "sep1",
                                             "MENUOPT_Cascade", "sep2", "MENU_Color"}
                              << QStringList{"Accou&nt Search...", "&User Manager...",
                                             "&Server Manager...", "Computer &Management...",
                                             "&View Logs...", "", "&Proxy User...", "",
                                             "&Cascade Windows", "", "Color Scheme"};
        QTest::newRow("Color Scheme")
            << "MENU_Color" << "Color Scheme"
            << QStringList{"MENUOPT_Default", "MENUOPT_Window", "MENUOPT_Desktop"}
            << QStringList{"Default Grey", "Window Clone", "Desktop Simulator"};
    }

    void menusCarryTheirCaptionsAndNames()
    {
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        QFETCH(QStringList, captions);
        frmVarnel window;
        QMenu *found = window.menu(menu);
        QVERIFY(found);
        QCOMPARE(found->title(), caption);
        const QList<QAction *> actions = found->actions();
        QCOMPARE(actions.size(), items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            QAction *action = actions.at(i);
            const QString name = action->menu() ? action->menu()->objectName()
                                                : action->objectName();
            QCOMPARE(name, items.at(i));
            QCOMPARE(action->isSeparator(), items.at(i).startsWith("sep"));
            QCOMPARE(action->text(), captions.at(i));
        }
    }

    void menuBarHoldsTheFourMenusInOrder()
    {
        frmVarnel window;
        QStringList names;
        for (QAction *action : window.menuBar()->actions())
            names << action->menu()->objectName();
        QCOMPARE(names, (QStringList{"MENU_Add", "MENU_Delete", "MENU_Modify", "MENU_Misc"}));
    }

    void taskItemsAreGreyedUntilTheirWindowIsRegistered_data()
    {
        QTest::addColumn<QString>("item");
        for (const char *item : {"MENUOPT_AddUser", "MENUOPT_AddComputer", "MENUOPT_AddGroup",
                                 "MENUOPT_DelUser", "MENUOPT_DelComp", "MENUOPT_DelGroup",
                                 "MENUOPT_ModUser", "MENUOPT_ModComp", "MENUOPT_ModGroup",
                                 "MENUOPT_Search", "MENUOPT_Proxy"})
            QTest::newRow(item) << QString::fromLatin1(item);
    }

    void taskItemsAreGreyedUntilTheirWindowIsRegistered()
    {
        QFETCH(QString, item);
        frmVarnel window;
        QAction *action = window.menuItem(item);
        QVERIFY(!action->isEnabled());
        action->trigger();
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(appContext().AddWindowOpen, (std::array<bool, 3>{}));

        int created = 0;
        window.registerTaskWindow(item, [&created] {
            ++created;
            return new DummyTaskWindow(nullptr);
        });
        QVERIFY(action->isEnabled());
        action->trigger();
        QCOMPARE(created, 1);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
    }

    void eachKindOfTaskWindowExistsOnce()
    {
        frmVarnel window;
        window.setWindowState(Qt::WindowNoState);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int groups = 0;
        int users = 0;
        window.registerTaskWindow("MENUOPT_DelGroup", [&groups] {
            ++groups;
            return new DummyTaskWindow(nullptr);
        });
        window.registerTaskWindow("MENUOPT_DelUser", [&users] {
            ++users;
            return new DummyTaskWindow(nullptr);
        });
        window.menuItem("MENUOPT_DelGroup")->trigger();
        QMdiSubWindow *groupWindow = window.taskWindow("MENUOPT_DelGroup");
        QVERIFY(groupWindow);
        window.menuItem("MENUOPT_DelUser")->trigger();
        QCOMPARE(window.mdiArea()->currentSubWindow(), window.taskWindow("MENUOPT_DelUser"));

        groupWindow->showMinimized();
        window.menuItem("MENUOPT_DelGroup")->trigger();
        QCOMPARE(groups, 1);
        QCOMPARE(users, 1);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 2);
        QCOMPARE(window.taskWindow("MENUOPT_DelGroup"), groupWindow);
        QCOMPARE(window.mdiArea()->currentSubWindow(), groupWindow);
        QVERIFY(!groupWindow->isMinimized());
    }

    void aTaskWindowThatClosesItselfIsBuiltAfreshNextTime()
    {
        frmVarnel window;
        int created = 0;
        QPointer<QWidget> last;
        window.registerTaskWindow("MENUOPT_ModGroup", [&] {
            ++created;
            last = new DummyTaskWindow(nullptr);
            return last.data();
        });
        window.menuItem("MENUOPT_ModGroup")->trigger();
        QPointer<QMdiSubWindow> frame = window.taskWindow("MENUOPT_ModGroup");
        QVERIFY(last->close()); // Escape in the task window
        QTRY_VERIFY(frame.isNull());
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());

        window.menuItem("MENUOPT_ModGroup")->trigger();
        QCOMPARE(created, 2);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
    }

    void addItemsMarkTheirWindowOpen_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("index");
        QTest::newRow("user") << "MENUOPT_AddUser" << 0;
        QTest::newRow("computer") << "MENUOPT_AddComputer" << 1;
        QTest::newRow("group") << "MENUOPT_AddGroup" << 2;
    }

    void addItemsMarkTheirWindowOpen()
    {
        QFETCH(QString, item);
        QFETCH(int, index);
        frmVarnel window;
        bool flagSetBeforeBuilt = false;
        window.registerTaskWindow(item, [&] {
            flagSetBeforeBuilt = appContext().AddWindowOpen[std::size_t(index)];
            return new DummyTaskWindow(nullptr);
        });
        window.menuItem(item)->trigger();
        std::array<bool, 3> expected{};
        expected[std::size_t(index)] = true;
        QCOMPARE(appContext().AddWindowOpen, expected);
        QVERIFY(flagSetBeforeBuilt);
    }

    void deleteAndModifyReleaseTheProgressBarOnlyWithoutAddWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("openAddWindow");
        QTest::addColumn<bool>("released");
        for (const char *item : {"MENUOPT_DelUser", "MENUOPT_DelComp", "MENUOPT_DelGroup",
                                 "MENUOPT_ModUser", "MENUOPT_ModComp", "MENUOPT_ModGroup"}) {
            const QByteArray name(item);
            QTest::newRow(name + ", no add window") << QString(item) << -1 << true;
            for (int open = 0; open < 3; ++open) {
                QTest::newRow(name + ", add window " + QByteArray::number(open))
                    << QString(item) << open << false;
            }
        }
    }

    void deleteAndModifyReleaseTheProgressBarOnlyWithoutAddWindows()
    {
        QFETCH(QString, item);
        QFETCH(int, openAddWindow);
        QFETCH(bool, released);
        frmVarnel window;
        window.registerTaskWindow(item, [] { return new DummyTaskWindow(nullptr); });
        if (openAddWindow >= 0)
            appContext().AddWindowOpen[std::size_t(openAddWindow)] = true;
        appContext().SharedProgress().setValue(7);
        window.menuItem(item)->trigger();
        QCOMPARE(appContext().hasSharedProgress(), !released);
    }

    void menuItemsStartTheirTools_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("user manager") << "MENUOPT_UsrMgr" << "program/Usrmgr.exe"
                                      << QStringList{"\\\\WS-TEST"};
        QTest::newRow("server manager") << "MENUOPT_SvrMgr" << "program/Srvmgr.exe"
                                        << QStringList{"\\\\WS-TEST"};
        QTest::newRow("computer management") << "MENUOPT_CM" << "compmgmt.msc" << QStringList{};
        QTest::newRow("view logs") << "MENUOPT_Logs" << "notepad.exe"
                                   << QStringList{"<log>"};
    }

    void menuItemsStartTheirTools()
    {
        QFETCH(QString, item);
        QFETCH(QString, file);
        QFETCH(QStringList, arguments);
        for (const char *name : {"program/Usrmgr.exe", "program/Srvmgr.exe", "varnel.log"})
            QVERIFY(touch(m_platform->path(name)));
        if (file.startsWith("program/"))
            file = m_platform->path(file);
        arguments.replaceInStrings("<log>", LogFilePath());

        frmVarnel window;
        emit window.menu("MENU_Misc")->aboutToShow();
        window.menuItem(item)->trigger();
        QCOMPARE(m_platform->shell.calls.size(), 1);
        const auto &call = m_platform->shell.calls.first();
        QCOMPARE(call.file, file);
        QCOMPARE(call.arguments, arguments);
        QCOMPARE(call.show, 1);
    }

    void viewLogsOpensTheLogBesideTheProgramData()
    {
        QVERIFY(touch(LogFilePath()));
        frmVarnel window;
        emit window.menu("MENU_Misc")->aboutToShow();
        window.menuItem("MENUOPT_Logs")->trigger();
        QCOMPARE(m_platform->shell.calls.size(), 1);
        QCOMPARE(m_platform->shell.calls.first().file, QStringLiteral("notepad.exe"));
        QCOMPARE(m_platform->shell.calls.first().arguments,
                 QStringList{m_platform->path("varnel.log")});
    }

    void cascadeArrangesTheTaskWindows()
    {
        frmVarnel window;
        window.setWindowState(Qt::WindowNoState);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char *item : {"MENUOPT_DelUser", "MENUOPT_DelComp"}) {
            window.registerTaskWindow(item, [] { return new DummyTaskWindow(nullptr); });
            window.menuItem(item)->trigger();
            window.taskWindow(item)->move(0, 0);
        }
        window.menuItem("MENUOPT_Cascade")->trigger();
        const QPoint first = window.taskWindow("MENUOPT_DelUser")->pos();
        const QPoint second = window.taskWindow("MENUOPT_DelComp")->pos();
        QVERIFY(first != second);
    }

    void closingEndsEveryTaskWindowBeforeSavingSettings()
    {
        frmVarnel window;
        int closes = 0;
        window.registerTaskWindow("MENUOPT_AddGroup", [&closes] {
            return new DummyTaskWindow(&closes);
        });
        window.menuItem("MENUOPT_AddGroup")->trigger();
        QVERIFY(window.close());
        QCOMPARE(closes, 1);
        QCOMPARE(stored(*m_platform, "PanelNorm"), QStringLiteral("8421504"));
        QCOMPARE(stored(*m_platform, "MainWindowSize"), QStringLiteral("2"));
    }

    void aTaskWindowThatRefusesToCloseKeepsTheProgramRunning()
    {
        frmVarnel window;
        window.show();
        int closes = 0;
        window.registerTaskWindow("MENUOPT_ModUser", [&closes] {
            return new DummyTaskWindow(&closes, true);
        });
        window.menuItem("MENUOPT_ModUser")->trigger();
        QVERIFY(!window.close());
        QCOMPARE(closes, 1);
        QVERIFY(window.isVisible());
        QCOMPARE(stored(*m_platform, "PanelNorm"), QStringLiteral("<unset>"));
    }

private:
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<ScriptedSeams> m_seams;
    QString m_programFolder;
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
