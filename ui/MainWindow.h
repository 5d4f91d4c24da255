// The main window: a multiple-document frame that holds the task windows, carries
// the menus that open them, starts a few administration tools and applies the
// colour scheme of the outcome panels. Closing it ends the program.
#pragma once

#include "app/AppContext.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QCloseEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

class frmVarnel : public QMainWindow {
    Q_OBJECT
public:
    // Builds a task window; the main window gives it its frame.
    using WindowFactory = std::function<QWidget *()>;

    explicit frmVarnel(QWidget *parent = nullptr);

    // Gives a menu item ("MENUOPT_AddGroup") the window it opens. Items without
    // one stay greyed.
    void registerTaskWindow(const QString &menuItem, WindowFactory factory);
    // The frame of the item's window while that window is open.
    QMdiSubWindow *taskWindow(const QString &menuItem) const;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    QAction *menuItem(const QString &name) const;
    QMenu *menu(const QString &name) const;

public slots:
    void MENUOPT_AddUser_Click();
    void MENUOPT_AddComputer_Click();
    void MENUOPT_AddGroup_Click();
    void MENUOPT_DelUser_Click();
    void MENUOPT_DelComp_Click();
    void MENUOPT_DelGroup_Click();
    void MENUOPT_ModUser_Click();
    void MENUOPT_ModComp_Click();
    void MENUOPT_ModGroup_Click();
    void MENU_Misc_Click();
    void MENUOPT_Search_Click();
    void MENUOPT_UsrMgr_Click();
    void MENUOPT_SvrMgr_Click();
    void MENUOPT_CM_Click();
    void MENUOPT_Logs_Click();
    void MENUOPT_Proxy_Click();
    void MENUOPT_Cascade_Click();
    void MENUOPT_Default_Click();
    void MENUOPT_Window_Click();
    void MENUOPT_Desktop_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void Form_Load();
    void Form_Unload();
    void setColorScheme(int scheme);
    void checkColorScheme(OleColor panelColor);
    void applyBackColor();
    void openAddWindow(int addWindow, const QString &menuItem);
    void openSharedProgressWindow(const QString &menuItem);
    void showTaskWindow(const QString &menuItem);
    bool hasOpenTaskWindows() const;
    void closeWhenTasksEnded();

    QMdiArea *m_mdiArea;
    QHash<QString, WindowFactory> m_factories;
    QHash<QString, QPointer<QMdiSubWindow>> m_windows;
    // A close was asked for while a task window's task ran.
    bool m_closePending = false;
};
