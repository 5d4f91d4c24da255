// Renders the program's windows to PNG files for the documentation. The
// platform families are the test doubles, so the pictures show the same
// operator, machine and domains on every machine and no real settings are read.
//
// Usage: varnel_screenshots OUTPUT_FOLDER [NAME...]
#include "app/AppContext.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/MainWindow.h"

#include <QApplication>
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
    QTest::qWait(200);
    return window;
}

QPixmap mainWindow()
{
    auto window = shownMainWindow();
    return window ? window->grab() : QPixmap();
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
    const QRect frame(window->mapToGlobal(QPoint(0, 0)), window->size());
    QPixmap picture = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                                   frame.height());
    colors->hide();
    misc->hide();
    return picture;
}

const Shot Shots[] = {
    {"main-window", mainWindow},
    {"main-window-misc-menu", mainWindowMiscMenu},
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
