#include "ProgramFolder.h"

#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <QCoreApplication>

namespace {

QString &overrideFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString HelperFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    if (!QCoreApplication::instance())
        return platform::system().writableFolder();
    const QString beside = QCoreApplication::applicationDirPath();
    return platform::IsBuildTree(beside) ? beside : platform::InstalledHelperFolder(beside);
}

QString ProgramFolder() { return HelperFolder(); }

void SetProgramFolder(const QString &folder) { overrideFolder() = folder; }
