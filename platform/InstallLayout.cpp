#include "InstallLayout.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

QString underPrefix(const QString &executableFolder, const QString &relative)
{
    return QDir::cleanPath(executableFolder + u'/' + relative);
}

} // namespace

bool IsBuildTree(const QString &executableFolder)
{
    return QFileInfo(executableFolder + QStringLiteral("/CMakeCache.txt")).isFile();
}

QString InstalledDataFolder(const QString &executableFolder)
{
    return underPrefix(executableFolder, QStringLiteral(VARNEL_BIN_TO_DATA));
}

QString InstalledHelperFolder(const QString &executableFolder)
{
    return underPrefix(executableFolder, QStringLiteral(VARNEL_BIN_TO_HELPERS));
}

} // namespace platform
