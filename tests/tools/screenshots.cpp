// Renders the program's windows to PNG files for the documentation. The
// platform families are the test doubles, so the pictures show the same
// operator, machine and domains on every machine and no real settings are read.
//
// Usage: varnel_screenshots OUTPUT_FOLDER [NAME...]
#include "app/AppContext.h"
#include "groups/frmNTAddGroup.h"
#include "groups/frmNTDelGroup.h"
#include "groups/frmNTModGroup.h"
#include "proxy/frmBackgrnd.h"
#include "proxy/frmNTProxy.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/MainWindow.h"
#include "users/AddUserWindow.h"
#include "tests/support/FakeDirectory.h"
#include "users/DeleteUserWindow.h"
#include "users/ListBox.h"
#include "users/ModifyUserWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

const QSize MainWindowSize(1024, 700);

// One picture: builds what is to be shown and returns the image.
struct Shot {
    const char *name;
    std::function<QPixmap()> take;
};

// Waits until the window manager has put its frame round the window; a window
// placed at the screen's corner before it had one gets its title bar back on
// the screen.
void waitForFrame(QWidget &window)
{
    if (!QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 3000))
        return; // no window manager: the picture is the window's own area
    if (window.frameGeometry().top() < 0 || window.frameGeometry().left() < 0)
        window.move(0, 0);
    QTest::qWait(200);
}

std::unique_ptr<frmVarnel> shownMainWindow()
{
    auto window = std::make_unique<frmVarnel>();
    window->setWindowState(Qt::WindowNoState);
    window->resize(MainWindowSize);
    window->move(0, 0);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    waitForFrame(*window);
    return window;
}

// The window with its frame, as the window manager decorates it: the screen
// itself is grabbed over the frame.
QPixmap framed(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}

QPixmap mainWindow()
{
    auto window = shownMainWindow();
    return window ? framed(*window) : QPixmap();
}

// Drops a menu down at a point and waits until it is on the screen.
bool popUp(QMenu *menu, const QPoint &at)
{
    menu->popup(at);
    return QTest::qWaitForWindowExposed(menu);
}

// The Misc menu dropped down over the main window, with its colour schemes:
// the screen itself is grabbed, since a menu is a window of its own.
QPixmap mainWindowMiscMenu()
{
    auto window = shownMainWindow();
    if (!window)
        return {};
    QMenu *misc = window->menu(QStringLiteral("MENU_Misc"));
    QMenu *colors = window->menu(QStringLiteral("MENU_Color"));
    const QRect title = window->menuBar()->actionGeometry(misc->menuAction());
    if (!popUp(misc, window->menuBar()->mapToGlobal(title.bottomLeft())))
        return {};
    misc->setActiveAction(colors->menuAction());
    const QRect item = misc->actionGeometry(colors->menuAction());
    if (!popUp(colors, misc->mapToGlobal(item.topRight())))
        return {};
    QTest::qWait(300);
    QPixmap picture = framed(*window);
    colors->hide();
    misc->hide();
    return picture;
}

// A task window on its own, shown and painted, as the operator sees it.
QPixmap taskWindow(QWidget &window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    waitForFrame(window);
    return framed(window);
}

// The add-user window filled in for a user with a workstation.
QPixmap addUserWindow()
{
    frmNTAddUserComputer window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_UserFirstName->setText(QStringLiteral("John"));
    window.TEXT_UserMiddleInitial->setText(QStringLiteral("Q"));
    window.TEXT_UserLastName->setText(QStringLiteral("Smith"));
    window.TEXT_UserLoginScript->setText(QStringLiteral("logon.cmd"));
    window.TEXT_EmpoyeeNumber->setText(QStringLiteral("ACCOUNTS PAYABLE"));
    window.TEXT_Password->setText(QStringLiteral("Initial#2026"));
    window.CHECK_Also->setChecked(true);
    window.TEXT_ComputerName->setText(QStringLiteral("WSJSMITH"));
    return taskWindow(window);
}

// A small directory of the domain SALES for the user windows' pictures,
// installed while it lives.
class PictureDirectory {
public:
    PictureDirectory() : m_previous(platform::current())
    {
        m_net.controllers["SALES"] = "\\\\SLSDC01";
        const char *const people[][3] = {
            {"jdoe", "Jane Doe", "Head of accounting"},
            {"asmith", "Anna Smith", "Accounts payable"},
            {"bwayne", "Bruce Wayne", "Facilities"},
            {"ckent", "Clark Kent", "Press office"},
            {"dprince", "Diana Prince", "Legal"},
            {"%pparker", "Disabled", "Disabled"},
        };
        for (const auto &person : people) {
            platform::UserInfo3 &user = m_net.addUser(person[0]);
            user.fullName = person[1];
            user.comment = person[2];
        }
        platform::UserInfo3 *jdoe = m_net.user("jdoe");
        jdoe->usrComment = "Room 4.12";
        jdoe->scriptPath = "logon.cmd";
        jdoe->flags |= platform::uf::Lockout;
        jdoe->passwordAge = 12 * 86400;
        jdoe->authFlags = platform::af::OpAccounts;
        jdoe->logonServer = "\\\\*";
        jdoe->lastLogon =
            uint32_t(QDateTime(QDate(2026, 3, 12), QTime(8, 15), Qt::UTC).toSecsSinceEpoch());
        m_net.addGlobalGroup("Accounting", {"jdoe"});
        m_net.addGlobalGroup("Domain Users", {"jdoe"});
        m_net.addLocalGroup("Print Operators", {"jdoe"});
        platform::Families families = m_previous;
        families.net = &m_net;
        platform::install(families);
    }
    ~PictureDirectory() { platform::install(m_previous); }

private:
    platform::Families m_previous;
    testing_support::FakeDirectory m_net;
};

// The delete-user window with the domain's accounts listed and two picked.
QPixmap deleteUserWindow()
{
    PictureDirectory directory;
    frmNTDelUser window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.BUTTON_List->click();
    for (int row : {1, 3})
        window.LIST_Items->item(row)->setSelected(true);
    window.TEXT_ID->setText(QStringLiteral("asmith,ckent"));
    return taskWindow(window);
}

// The view/modify-user window with one account's editable properties.
QPixmap modifyUserWindow()
{
    PictureDirectory directory;
    frmNTModUser window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(QStringLiteral("jdoe"));
    window.BUTTON_PropertiesSet->click();
    return taskWindow(window);
}

// The same window with the read-only view: groups, rights, logon server.
QPixmap modifyUserWindowView()
{
    PictureDirectory directory;
    frmNTModUser window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(QStringLiteral("jdoe"));
    window.BUTTON_PropertiesView->click();
    window.BUTTON_GetLL->click();
    return taskWindow(window);
}

// The add-group window after a global group was created: the green panel.
QPixmap addGroupWindow()
{
    PictureDirectory directory;
    frmNTAddGroup window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.TEXT_ID->setText(QStringLiteral("Accounts Payable"));
    window.TEXT_GroupDescription->setText(QStringLiteral("Invoices and supplier payments"));
    window.CHECK_Unique->setChecked(false);
    window.BUTTON_Add->click();
    return taskWindow(window);
}

// The delete-groups window with the domain's global groups listed, one picked.
QPixmap deleteGroupWindow()
{
    PictureDirectory directory;
    frmNTDelGroup window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.BUTTON_List->click();
    window.LIST_Items->item(0)->setSelected(true);
    window.TEXT_ID->setText(window.LIST_Items->item(0)->text());
    return taskWindow(window);
}

// The view/modify-group window with a local group and its member read.
QPixmap modifyGroupWindow()
{
    PictureDirectory directory;
    frmNTModGroup window;
    window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
    window.OPTION_Local->click();
    window.BUTTON_List->click();
    window.TEXT_MemberName->setText(QStringLiteral("asmith"));
    return taskWindow(window);
}

// The proxy window with remembered domain and user, the password typed.
QPixmap proxyWindow()
{
    frmNTProxy window;
    window.TEXT_Domain->setText(QStringLiteral("SALES"));
    window.TEXT_UserName->setText(QStringLiteral("acct-admin"));
    window.TEXT_Password->setText(QStringLiteral("not-shown"));
    return taskWindow(window);
}

// The wait window of the proxy rights set-up, at a quarter of the screen.
QPixmap proxyWaitWindow()
{
    frmBackgrnd window;
    window.resize(640, 400);
    return taskWindow(window);
}

const Shot Shots[] = {
    {"main-window", mainWindow},
    {"main-window-misc-menu", mainWindowMiscMenu},
    {"add-user-window", addUserWindow},
    {"delete-user-window", deleteUserWindow},
    {"modify-user-window", modifyUserWindow},
    {"modify-user-window-view", modifyUserWindowView},
    {"add-group-window", addGroupWindow},
    {"delete-group-window", deleteGroupWindow},
    {"modify-group-window", modifyGroupWindow},
    {"proxy-window", proxyWindow},
    {"proxy-wait-window", proxyWaitWindow},
};

bool wanted(const char *name, const QStringList &names)
{
    return names.isEmpty() || names.contains(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: varnel_screenshots OUTPUT_FOLDER [NAME...]\n");
        return 2;
    }
    const QString folder = arguments.takeFirst();
    QDir().mkpath(folder);

    int failures = 0;
    for (const Shot &shot : Shots) {
        if (!wanted(shot.name, arguments))
            continue;
        testing_support::TestPlatform platform;
        testing_support::ScriptedSeams seams;
        platform.shell.availableTools << QStringLiteral("compmgmt.msc");
        const QString file = folder + "/" + shot.name + ".png";
        const bool saved = shot.take().save(file);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
        failures += saved ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
