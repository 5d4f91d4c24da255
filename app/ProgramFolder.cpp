#include "ProgramFolder.h"

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

void SetProgramFolder(const QString &folder) { overrideFolder() = folder; }
