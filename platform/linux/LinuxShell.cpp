#include "LinuxShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

// ShellExecute's results: above 32 is success; these are its failure values.
constexpr intptr_t SE_SUCCESS = 42;
constexpr intptr_t SE_ERR_FNF = 2;
constexpr intptr_t SE_ERR_NOASSOC = 31;

bool isDesktopViewer(const QString &file)
{
    const QString name = file.toLower();
    return name == QStringLiteral("notepad.exe") || name == QStringLiteral("winhlp32.exe");
}

intptr_t openDocument(const QString &path)
{
    if (!QFileInfo::exists(path))
        return SE_ERR_FNF;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? SE_SUCCESS : SE_ERR_NOASSOC;
}

} // namespace

intptr_t LinuxShell::open(const QString &file, const QStringList &arguments, int)
{
    if (isDesktopViewer(file))
        return arguments.isEmpty() ? SE_ERR_FNF : openDocument(arguments.first());
    const QFileInfo info(file);
    if (!info.exists())
        return SE_ERR_FNF;
    if (info.isExecutable() && !info.isDir())
        return QProcess::startDetached(info.absoluteFilePath(), arguments) ? SE_SUCCESS
                                                                           : SE_ERR_NOASSOC;
    return openDocument(file);
}

bool LinuxShell::toolAvailable(const QString &tool)
{
    if (isDesktopViewer(tool))
        return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
    const QFileInfo info(tool);
    return info.isAbsolute() && info.isExecutable();
}

// Window management of other processes has no portable equivalent under X11 or
// Wayland without a window manager's cooperation: nothing is found.
intptr_t LinuxShell::findWindow(const QString &) { return 0; }

bool LinuxShell::setTopMost(intptr_t, bool) { return false; }

intptr_t LinuxShell::closeWindow(intptr_t) { return -1; }

QStringList LinuxShell::topLevelWindowTitles(bool) { return {}; }

bool LinuxShell::sendKeys(const QString &) { return false; }

} // namespace platform
