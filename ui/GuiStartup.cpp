#include "GuiStartup.h"

#include <QList>
#include <QPointer>
#include <utility>

namespace {

QPointer<frmVarnel> &theWindow()
{
    static QPointer<frmVarnel> window;
    return window;
}

QList<std::pair<QString, frmVarnel::WindowFactory>> &pendingWindows()
{
    static QList<std::pair<QString, frmVarnel::WindowFactory>> pending;
    return pending;
}

} // namespace

void showMainWindow()
{
    QPointer<frmVarnel> &window = theWindow();
    if (!window) {
        window = new frmVarnel;
        for (const auto &[item, factory] : std::as_const(pendingWindows()))
            window->registerTaskWindow(item, factory);
    }
    window->show();
}

frmVarnel *mainWindow() { return theWindow(); }

void registerTaskWindow(const QString &menuItem, frmVarnel::WindowFactory factory)
{
    pendingWindows().append({menuItem, factory});
    if (frmVarnel *window = theWindow())
        window->registerTaskWindow(menuItem, std::move(factory));
}
