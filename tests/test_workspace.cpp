// The main window's workspace with real task windows in it: typed domains stay
// typed, access keys reach the active window, and the workspace scrolls.
#include "app/AppContext.h"
#include "groups/frmNTAddGroup.h"
#include "groups/frmNTDelGroup.h"
#include "groups/frmNTModGroup.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/MainWindow.h"
#include "users/AddUserWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace testing_support;

class WorkspaceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedDomainIsNeverCompleted_data();
    void typedDomainIsNeverCompleted();
    void accessKeysGoToTheActiveWindowThenTheMenus_data();
    void accessKeysGoToTheActiveWindowThenTheMenus();
    void restoredSizeShowsTheTallestWindowAndTheWorkspaceScrolls();

private:
    void start();
    QWidget *open(const QString &item);

    std::unique_ptr<DirectoryTestBed> m_bed;
    std::unique_ptr<frmVarnel> m_main;
};

void WorkspaceTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    // SALESEU is listed before SALES, the workstation's domain.
    m_bed->net.trustBuffer = std::string("SALESEU\0HR\0\0", 12);
    appContext().DomainList.clear();
}

void WorkspaceTest::cleanup()
{
    m_main.reset();
    m_bed.reset();
}

void WorkspaceTest::start()
{
    m_main = std::make_unique<frmVarnel>();
    m_main->registerTaskWindow("MENUOPT_AddUser", [] { return new frmNTAddUserComputer; });
    m_main->registerTaskWindow("MENUOPT_AddGroup", [] { return new frmNTAddGroup; });
    m_main->registerTaskWindow("MENUOPT_DelGroup", [] { return new frmNTDelGroup; });
    m_main->registerTaskWindow("MENUOPT_ModGroup", [] { return new frmNTModGroup; });
    QVERIFY(activate(*m_main));
}

QWidget *WorkspaceTest::open(const QString &item)
{
    m_main->menuItem(item)->trigger();
    return m_main->taskWindow(item)->widget();
}

void WorkspaceTest::typedDomainIsNeverCompleted_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("combo");
    QTest::newRow("add group, domain") << "MENUOPT_AddGroup" << "COMBO_Domain";
    QTest::newRow("add user, domain") << "MENUOPT_AddUser" << "COMBO_Domain";
    QTest::newRow("modify group, member domain") << "MENUOPT_ModGroup" << "COMBO_MemberDomain";
}

void WorkspaceTest::typedDomainIsNeverCompleted()
{
    QFETCH(QString, item);
    QFETCH(QString, combo);
    start();
    QWidget *window = open(item);
    if (auto *groups = qobject_cast<frmNTModGroup *>(window)) {
        // The member fields take input once a group is shown.
        m_bed->net.addGlobalGroup("Clerks");
        groups->COMBO_Domain->setEditText(QStringLiteral("SALES"));
        groups->BUTTON_List->click();
    }
    auto *field = window->findChild<QComboBox *>(combo);
    QCOMPARE(field->itemText(0), QStringLiteral("SALESEU"));
    field->setFocus();
    field->clearEditText();
    QTest::keyClicks(field, QStringLiteral("SALES"));
    QCOMPARE(field->currentText(), QStringLiteral("SALES"));
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(field->currentText(), QStringLiteral("SALES"));
    // The list stays for picking.
    field->showPopup();
    QTest::keyClick(field->view(), Qt::Key_Home);
    QTest::keyClick(field->view(), Qt::Key_Return);
    QCOMPARE(field->currentText(), QStringLiteral("SALESEU"));
}

void WorkspaceTest::accessKeysGoToTheActiveWindowThenTheMenus_data()
{
    QTest::addColumn<QStringList>("opened");   // the last one is active
    QTest::addColumn<int>("keys");
    QTest::addColumn<QString>("clicked");      // window class and button, or empty
    QTest::addColumn<QString>("menu");         // the menu that opens, or empty
    const QStringList addThenDelete{"MENUOPT_AddGroup", "MENUOPT_DelGroup"};
    const QStringList deleteThenAdd{"MENUOPT_DelGroup", "MENUOPT_AddGroup"};
    QTest::newRow("Alt+A presses Add of the add window")
        << deleteThenAdd << int(Qt::ALT | Qt::Key_A) << "frmNTAddGroup.BUTTON_Add" << "";
    QTest::newRow("Alt+D presses Delete of the delete window")
        << addThenDelete << int(Qt::ALT | Qt::Key_D) << "frmNTDelGroup.BUTTON_Delete" << "";
    QTest::newRow("Alt+D in the add window opens the Delete menu")
        << deleteThenAdd << int(Qt::ALT | Qt::Key_D) << "" << "MENU_Delete";
    QTest::newRow("Alt+M opens the Modify menu")
        << deleteThenAdd << int(Qt::ALT | Qt::Key_M) << "" << "MENU_Modify";
    QTest::newRow("F10 opens the first menu")
        << deleteThenAdd << int(Qt::Key_F10) << "" << "MENU_Add";
    QTest::newRow("Alt+L never presses a button of a window behind")
        << deleteThenAdd << int(Qt::ALT | Qt::Key_L) << "" << "";
}

void WorkspaceTest::accessKeysGoToTheActiveWindowThenTheMenus()
{
    QFETCH(QStringList, opened);
    QFETCH(int, keys);
    QFETCH(QString, clicked);
    QFETCH(QString, menu);
    start();
    QStringList clicks;
    for (const QString &item : opened) {
        QWidget *window = open(item);
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            const QString name = QLatin1String(window->metaObject()->className()) + u'.' +
                                 button->objectName();
            connect(button, &QPushButton::clicked, this, [&clicks, name] { clicks << name; });
        }
    }

    QTest::keyClick(m_main.get(), Qt::Key(keys & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(keys & Qt::KeyboardModifierMask));

    const QStringList expected = clicked.isEmpty() ? QStringList{} : QStringList{clicked};
    QTRY_COMPARE(clicks, expected);
    QTest::qWait(150);
    QCOMPARE(clicks, expected);
    for (const char *name : {"MENU_Add", "MENU_Delete", "MENU_Modify", "MENU_Misc"}) {
        QMenu *dropDown = m_main->menu(QLatin1String(name));
        QCOMPARE(dropDown->isVisible(), menu == QLatin1String(name));
        dropDown->close();
    }
}

void WorkspaceTest::restoredSizeShowsTheTallestWindowAndTheWorkspaceScrolls()
{
    m_bed->platform.settings.setValue("Settings", "MainWindowSize", "0");
    start();
    QVERIFY(!m_main->isMaximized());
    // Room is left on a 1280x800 screen for the window's title bar and a task bar.
    QVERIFY(m_main->width() <= 1280 && m_main->height() <= 800 - 80);
    open("MENUOPT_AddUser");
    const QMdiSubWindow *frame = m_main->taskWindow("MENUOPT_AddUser");
    QVERIFY(m_main->mdiArea()->viewport()->rect().contains(frame->geometry()));
    QCOMPARE(frame->widget()->size(), frame->widget()->sizeHint());

    m_main->resize(640, 400);
    QTRY_VERIFY(m_main->mdiArea()->verticalScrollBar()->isVisible());
    QVERIFY(m_main->mdiArea()->verticalScrollBar()->maximum() > 0);
}

QTEST_MAIN(WorkspaceTest)
#include "test_workspace.moc"
