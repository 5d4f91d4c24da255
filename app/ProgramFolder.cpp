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

QString ProgramFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return platform::system().writableFolder();
}

QString HelperFolder()
{
    const QString program = ProgramFolder();
    if (!overrideFolder().isEmpty() || !QCoreApplication::instance()
        || platform::IsBuildTree(program))
        return program;
    return platform::InstalledHelperFolder(program);
}

void SetProgramFolder(const QString &folder) { overrideFolder() = folder; }
