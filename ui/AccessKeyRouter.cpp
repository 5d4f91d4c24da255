#include "AccessKeyRouter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {

bool isAccessKey(const QKeyEvent &key)
{
    const bool letterOrDigit = (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) ||
                               (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9);
    return letterOrDigit && key.modifiers() == Qt::AltModifier;
}

bool hasAccessKey(const QString &text, int key)
{
    return QKeySequence::mnemonic(text) == QKeySequence(Qt::ALT | Qt::Key(key));
}

bool canAct(const QWidget *control, const QWidget *window)
{
    return control->isEnabled() && control->isVisibleTo(window);
}

} // namespace

AccessKeyRouter::AccessKeyRouter(QMainWindow *window, QMdiArea *area)
    : QObject(window), m_window(window), m_area(area)
{
    qApp->installEventFilter(this);
}

AccessKeyRouter::~AccessKeyRouter() { qApp->removeEventFilter(this); }

bool AccessKeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (type == QEvent::KeyPress && key.key() == Qt::Key_F10 && key.modifiers() == 0 &&
        isInside(watched)) {
        openFirstMenu();
        return true;
    }
    QWidget *window = taskWindowFor(watched, key);
    if (!window)
        return false;
    // Taking the override keeps Qt's shortcut map out; the key press that
    // follows is then acted on here.
    if (type == QEvent::KeyPress)
        activate(window, key);
    event->accept();
    return true;
}

QWidget *AccessKeyRouter::taskWindowFor(QObject *watched, const QKeyEvent &key) const
{
    if (!isInside(watched) || !isAccessKey(key))
        return nullptr;
    const QMdiSubWindow *frame = m_area->activeSubWindow();
    return frame ? frame->widget() : nullptr;
}

void AccessKeyRouter::activate(QWidget *window, const QKeyEvent &key)
{
    if (!activateControl(window, key.key()))
        openMenu(key.key());
}

// As Qt acts on an access key that is not ambiguous: a button is clicked, a
// label gives the focus to its buddy.
bool AccessKeyRouter::activateControl(QWidget *window, int key)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!canAct(control, window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(control);
            button && hasAccessKey(button->text(), key)) {
            button->animateClick();
            return true;
        }
        auto *label = qobject_cast<QLabel *>(control);
        if (label && label->buddy() && hasAccessKey(label->text(), key)) {
            label->buddy()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return false;
}

bool AccessKeyRouter::isInside(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_window;
}

void AccessKeyRouter::openFirstMenu()
{
    QMenuBar *bar = m_window->menuBar();
    if (!bar->actions().isEmpty())
        bar->setActiveAction(bar->actions().first());
}

bool AccessKeyRouter::openMenu(int key)
{
    QMenuBar *bar = m_window->menuBar();
    for (QAction *menu : bar->actions()) {
        if (menu->isEnabled() && menu->isVisible() && hasAccessKey(menu->text(), key)) {
            bar->setActiveAction(menu);
            return true;
        }
    }
    return false;
}
