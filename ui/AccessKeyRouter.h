// The access keys inside the main window. Every task window sits in the one
// top-level window, so Qt takes the menu bar's "&Add", an add window's "&Add"
// button and the buttons of every other open task window for one ambiguous
// shortcut: Alt+A then alternates between opening the menu and focusing a
// button, and never presses it. While a task window is active this filter
// decides instead: the active window's own control with that key, else the
// menu with it; never a control of a window behind. Alt alone still reaches
// the menu bar, and F10 opens its first menu.
#pragma once

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QMainWindow;
class QMdiArea;
class QWidget;

class AccessKeyRouter : public QObject {
public:
    // Watches the application's keys for `window`, whose task windows sit in
    // `area`.
    AccessKeyRouter(QMainWindow *window, QMdiArea *area);
    ~AccessKeyRouter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isInside(QObject *watched) const;
    // The active task window when `key` is an access key typed inside it.
    QWidget *taskWindowFor(QObject *watched, const QKeyEvent &key) const;
    // The control of `window` (or the menu) the key belongs to, acted on.
    void activate(QWidget *window, const QKeyEvent &key);
    bool activateControl(QWidget *window, int key);
    bool openMenu(int key);
    void openFirstMenu();

    QMainWindow *m_window;
    QMdiArea *m_area;
};
