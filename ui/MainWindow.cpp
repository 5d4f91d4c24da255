#include "MainWindow.h"

#include "AccessKeyRouter.h"
#include "MainWindowSettings.h"
#include "OleColor.h"
#include "TaskWindow.h"
#include "app/ActivityLog.h"
#include "app/Identity.h"
#include "app/OsVersion.h"
#include "app/ProgramFolder.h"
#include "platform/Platform.h"
#include "platform/Shell.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

// The restored size: the tallest task window (adding a user) shows whole in
// it, and with the frame and a task bar it fits a 1280x800 screen.
constexpr QSize RestoredSize(1000, 720);

struct ColorScheme {
    const char *item;
    const char *caption;
    OleColor panel;
    OleColor panelText;
    OleColor focus;
};

const ColorScheme Schemes[] = {
    {"MENUOPT_Default", "Default Grey", 8421504, 16777215, 255},
    {"MENUOPT_Window", "Window Clone", ole::SystemWindow, ole::SystemWindowText, 16711680},
    {"MENUOPT_Desktop", "Desktop Simulator", ole::SystemDesktop, ole::SystemCaptionText,
     ole::SystemHighlight},
};

// A menu's items in order; an entry without a caption is a separator.
struct MenuEntry {
    const char *name;
    const char *caption;
    void (frmVarnel::*handler)();
};

struct MenuDefinition {
    const char *name;
    const char *caption;
    std::initializer_list<MenuEntry> entries;
};

// The items that open task windows: greyed until their window is registered.
const char *const TaskWindowItems[] = {
    "MENUOPT_AddUser", "MENUOPT_AddComputer", "MENUOPT_AddGroup", "MENUOPT_DelUser",
    "MENUOPT_DelComp", "MENUOPT_DelGroup",    "MENUOPT_ModUser",  "MENUOPT_ModComp",
    "MENUOPT_ModGroup", "MENUOPT_Search",     "MENUOPT_Proxy",
};

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VARNEL_VERSION_MAJOR)
        .arg(VARNEL_VERSION_MINOR)
        .arg(VARNEL_REVISION);
}

} // namespace

frmVarnel::frmVarnel(QWidget *parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmVarnel"));
    m_mdiArea->setObjectName(QStringLiteral("MDI_Area"));
    setCentralWidget(m_mdiArea);
    // A task window larger than the workspace is scrolled to, not cut off.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    resize(RestoredSize);
    buildMenus();
    new AccessKeyRouter(this, m_mdiArea);
    Form_Load();
}

void frmVarnel::buildMenus()
{
    using F = frmVarnel;
    const MenuDefinition menus[] = {
        {"MENU_Add", "&Add",
         {{"MENUOPT_AddUser", "&User Account...", &F::MENUOPT_AddUser_Click},
          {"MENUOPT_AddComputer", "&Computer Account...", &F::MENUOPT_AddComputer_Click},
          {"MENUOPT_AddGroup", "&Group...", &F::MENUOPT_AddGroup_Click}}},
        {"MENU_Delete", "&Delete",
         {{"MENUOPT_DelUser", "&User Account...", &F::MENUOPT_DelUser_Click},
          {"MENUOPT_DelComp", "&Computer Account...", &F::MENUOPT_DelComp_Click},
          {"MENUOPT_DelGroup", "&Group...", &F::MENUOPT_DelGroup_Click}}},
        {"MENU_Modify", "&Modify",
         {{"MENUOPT_ModUser", "&User Account...", &F::MENUOPT_ModUser_Click},
          {"MENUOPT_ModComp", "&Computer Account...", &F::MENUOPT_ModComp_Click},
          {"MENUOPT_ModGroup", "&Group...", &F::MENUOPT_ModGroup_Click}}},
        {"MENU_Misc", "Mi&sc",
         {{"MENUOPT_Search", "Accou&nt Search...", &F::MENUOPT_Search_Click},
          {"MENUOPT_UsrMgr", "&User Manager...", &F::MENUOPT_UsrMgr_Click},
          {"MENUOPT_SvrMgr", "&Server Manager...", &F::MENUOPT_SvrMgr_Click},
          {"MENUOPT_CM", "Computer &Management...", &F::MENUOPT_CM_Click},
          {"MENUOPT_Logs", "&View Logs...", &F::MENUOPT_Logs_Click},
          {"sep0", nullptr, nullptr},
          {"MENUOPT_Proxy", "&Proxy User...", &F::MENUOPT_Proxy_Click},
          {"sep1", nullptr, nullptr},
          {"MENUOPT_Cascade", "&Cascade Windows", &F::MENUOPT_Cascade_Click},
          {"sep2", nullptr, nullptr}}},
    };
    for (const MenuDefinition &definition : menus) {
        QMenu *dropDown = menuBar()->addMenu(QString::fromLatin1(definition.caption));
        dropDown->setObjectName(QString::fromLatin1(definition.name));
        for (const MenuEntry &entry : definition.entries) {
            QAction *action = entry.caption
                                  ? dropDown->addAction(QString::fromLatin1(entry.caption))
                                  : dropDown->addSeparator();
            action->setObjectName(QString::fromLatin1(entry.name));
            if (entry.handler)
                connect(action, &QAction::triggered, this, entry.handler);
        }
    }

    QMenu *colors = menu(QStringLiteral("MENU_Misc"))->addMenu(QStringLiteral("Color Scheme"));
    colors->setObjectName(QStringLiteral("MENU_Color"));
    void (F::*const schemeHandlers[])() = {&F::MENUOPT_Default_Click, &F::MENUOPT_Window_Click,
                                           &F::MENUOPT_Desktop_Click};
    for (std::size_t i = 0; i < std::size(Schemes); ++i) {
        QAction *action = colors->addAction(QString::fromLatin1(Schemes[i].caption));
        action->setObjectName(QString::fromLatin1(Schemes[i].item));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, schemeHandlers[i]);
    }

    connect(menu(QStringLiteral("MENU_Misc")), &QMenu::aboutToShow, this, &F::MENU_Misc_Click);
    for (const char *item : TaskWindowItems)
        menuItem(QString::fromLatin1(item))->setEnabled(false);
}

QAction *frmVarnel::menuItem(const QString &name) const { return findChild<QAction *>(name); }

QMenu *frmVarnel::menu(const QString &name) const { return findChild<QMenu *>(name); }

void frmVarnel::Form_Load()
{
    setWindowTitle(AppTitle + " " + versionText() + " - " + Get_Identity());

    AppContext &context = appContext();
    const MainWindowSettings stored = Load_MainWindowSettings();
    context.PanelColor = stored.panel;
    context.PanelTextColor = stored.panelText;
    context.FocusColor = stored.focus;
    setWindowState(stored.state);
    checkColorScheme(context.PanelColor);

    applyBackColor();

    // Computer Management is a Windows 2000 tool.
    Get_OSVersion();
    const bool hasComputerManagement =
        context.OsVersion.major >= 5 && platform::shell().toolAvailable("compmgmt.msc");
    menuItem(QStringLiteral("MENUOPT_CM"))->setEnabled(hasComputerManagement);
}

void frmVarnel::Form_Unload()
{
    const AppContext &context = appContext();
    Save_MainWindowSettings({windowState(), context.PanelColor, context.PanelTextColor,
                             context.FocusColor});
}

void frmVarnel::closeEvent(QCloseEvent *event)
{
    // Task windows unload first, saving their own settings. One whose task is
    // running closes when the task has returned; the program ends after it.
    m_mdiArea->closeAllSubWindows();
    if (hasOpenTaskWindows()) {
        for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
            auto *window = qobject_cast<TaskWindow *>(frame->widget());
            m_closePending = m_closePending || (window && window->closePending());
        }
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    QCoreApplication::quit();
}

bool frmVarnel::hasOpenTaskWindows() const
{
    const QList<QMdiSubWindow *> frames = m_mdiArea->subWindowList();
    return std::any_of(frames.begin(), frames.end(),
                       [](const QMdiSubWindow *frame) { return frame->isVisible(); });
}

void frmVarnel::closeWhenTasksEnded()
{
    if (m_closePending && !hasOpenTaskWindows())
        close();
}

void frmVarnel::registerTaskWindow(const QString &menuItem, WindowFactory factory)
{
    QAction *item = this->menuItem(menuItem);
    if (!item)
        return;
    m_factories.insert(menuItem, std::move(factory));
    item->setEnabled(true);
}

QMdiSubWindow *frmVarnel::taskWindow(const QString &menuItem) const
{
    return m_windows.value(menuItem);
}

// Each kind of task window exists once: a second choice brings it forward.
void frmVarnel::showTaskWindow(const QString &menuItem)
{
    QPointer<QMdiSubWindow> &frame = m_windows[menuItem];
    if (!frame) {
        const WindowFactory factory = m_factories.value(menuItem);
        QWidget *window = factory ? factory() : nullptr;
        if (!window)
            return;
        // A window that closes itself (Escape) takes its frame with it.
        window->setAttribute(Qt::WA_DeleteOnClose);
        frame = m_mdiArea->addSubWindow(window);
        QPointer<QMdiSubWindow> emptied(frame);
        connect(
            window, &QObject::destroyed, this,
            [emptied] {
                if (emptied && !emptied->widget())
                    emptied->close();
            },
            Qt::QueuedConnection);
        connect(frame, &QObject::destroyed, this, &frmVarnel::closeWhenTasksEnded,
                Qt::QueuedConnection);
        frame->show();
    } else if (frame->isMinimized()) {
        frame->showNormal();
    }
    m_mdiArea->setActiveSubWindow(frame);
}

void frmVarnel::openAddWindow(int addWindow, const QString &menuItem)
{
    appContext().AddWindowOpen[std::size_t(addWindow)] = true;
    showTaskWindow(menuItem);
}

// The add windows draw the shared progress bar; while none is open, the next
// window gets a fresh bar.
void frmVarnel::openSharedProgressWindow(const QString &menuItem)
{
    const auto &addOpen = appContext().AddWindowOpen;
    if (!addOpen[0] && !addOpen[1] && !addOpen[2])
        appContext().releaseSharedProgress();
    showTaskWindow(menuItem);
}

void frmVarnel::MENUOPT_AddUser_Click() { openAddWindow(0, QStringLiteral("MENUOPT_AddUser")); }

void frmVarnel::MENUOPT_AddComputer_Click()
{
    openAddWindow(1, QStringLiteral("MENUOPT_AddComputer"));
}

void frmVarnel::MENUOPT_AddGroup_Click() { openAddWindow(2, QStringLiteral("MENUOPT_AddGroup")); }

void frmVarnel::MENUOPT_DelUser_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_DelUser"));
}

void frmVarnel::MENUOPT_DelComp_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_DelComp"));
}

void frmVarnel::MENUOPT_DelGroup_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_DelGroup"));
}

void frmVarnel::MENUOPT_ModUser_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_ModUser"));
}

void frmVarnel::MENUOPT_ModComp_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_ModComp"));
}

void frmVarnel::MENUOPT_ModGroup_Click()
{
    openSharedProgressWindow(QStringLiteral("MENUOPT_ModGroup"));
}

// Before the Misc menu drops down: only the tools that are there can be chosen.
void frmVarnel::MENU_Misc_Click()
{
    const QString folder = HelperFolder();
    menuItem(QStringLiteral("MENUOPT_UsrMgr"))->setEnabled(File_Exists(folder + "/Usrmgr.exe"));
    menuItem(QStringLiteral("MENUOPT_SvrMgr"))->setEnabled(File_Exists(folder + "/Srvmgr.exe"));
    menuItem(QStringLiteral("MENUOPT_Logs"))->setEnabled(File_Exists(LogFilePath()));
}

void frmVarnel::MENUOPT_Search_Click() { showTaskWindow(QStringLiteral("MENUOPT_Search")); }

void frmVarnel::MENUOPT_UsrMgr_Click()
{
    platform::shell().open(HelperFolder() + "/Usrmgr.exe", {"\\\\" + Get_ComputerName()}, 1);
}

void frmVarnel::MENUOPT_SvrMgr_Click()
{
    platform::shell().open(HelperFolder() + "/Srvmgr.exe", {"\\\\" + Get_ComputerName()}, 1);
}

void frmVarnel::MENUOPT_CM_Click() { platform::shell().open("compmgmt.msc", {}, 1); }

void frmVarnel::MENUOPT_Logs_Click() { platform::shell().open("notepad.exe", {LogFilePath()}, 1); }

void frmVarnel::MENUOPT_Proxy_Click() { showTaskWindow(QStringLiteral("MENUOPT_Proxy")); }

void frmVarnel::MENUOPT_Cascade_Click() { m_mdiArea->cascadeSubWindows(); }

void frmVarnel::MENUOPT_Default_Click() { setColorScheme(0); }

void frmVarnel::MENUOPT_Window_Click() { setColorScheme(1); }

void frmVarnel::MENUOPT_Desktop_Click() { setColorScheme(2); }

// Open task windows take the new hint colours the next time their panel
// switches to hint mode.
void frmVarnel::setColorScheme(int scheme)
{
    const ColorScheme &chosen = Schemes[scheme];
    AppContext &context = appContext();
    context.PanelColor = chosen.panel;
    context.PanelTextColor = chosen.panelText;
    context.FocusColor = chosen.focus;
    checkColorScheme(context.PanelColor);
    applyBackColor();
}

// A panel colour that belongs to no scheme leaves every item unchecked.
void frmVarnel::checkColorScheme(OleColor panelColor)
{
    for (const ColorScheme &scheme : Schemes)
        menuItem(QString::fromLatin1(scheme.item))->setChecked(scheme.panel == panelColor);
}

void frmVarnel::applyBackColor()
{
    m_mdiArea->setBackground(ole::toQColor(appContext().PanelColor));
}
