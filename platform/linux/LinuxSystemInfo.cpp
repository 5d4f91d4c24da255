#include "LinuxSystemInfo.h"
#include "ProfileReader.h"
#include "platform/InstallLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>

#include <sys/utsname.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int32_t VER_PLATFORM_WIN32_NT = 2;

bool folderIsWritable(const QString &folder)
{
    return !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

QString perUserDataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = base + QStringLiteral("/varnel");
    QDir().mkpath(folder);
    return folder;
}

} // namespace

QString LinuxSystemInfo::executableFolder()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

bool LinuxSystemInfo::queryVersion(OsVersionRecord &record)
{
    struct utsname names {};
    if (::uname(&names) != 0)
        return false;
    // "6.1.0-18-amd64" gives major 6, minor 1, build 0.
    const QRegularExpression numbers(QStringLiteral("^(\\d+)\\.(\\d+)(?:\\.(\\d+))?"));
    const auto match = numbers.match(QString::fromUtf8(names.release));
    if (!match.hasMatch())
        return false;
    record.major = match.captured(1).toInt();
    record.minor = match.captured(2).toInt();
    record.build = match.captured(3).toInt();
    record.platformId = VER_PLATFORM_WIN32_NT;
    record.servicePack = QString::fromUtf8(names.sysname) + u' ' + QString::fromUtf8(names.release);
    return true;
}

bool LinuxSystemInfo::computerName(QString &name)
{
    // A NetBIOS-style name: the host name without its domain part, upper-cased.
    const QString host = QSysInfo::machineHostName().section(u'.', 0, 0);
    if (host.isEmpty())
        return false;
    name = host.toUpper();
    return true;
}

QString LinuxSystemInfo::windowsDirectory()
{
    return {}; // there is none
}

QString LinuxSystemInfo::tempDirectory()
{
    return QDir::tempPath() + u'/';
}

// An installed program never writes beside itself, even where it could (root
// under /usr/bin): only a build tree keeps its log and work files there.
QString LinuxSystemInfo::writableFolder()
{
    const QString beside = executableFolder();
    return IsBuildTree(beside) && folderIsWritable(beside) ? beside : perUserDataFolder();
}

QString LinuxSystemInfo::locateDataFile(const QString &fileName)
{
    const QString beside = executableFolder() + u'/' + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = InstalledDataFolder(executableFolder()) + u'/' + fileName;
    if (QFileInfo::exists(installed))
        return installed;
    const QString shared = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                  QStringLiteral("varnel/") + fileName);
    return shared.isEmpty() ? beside : shared;
}

QString LinuxSystemInfo::readProfileString(const QString &section, const QString &key,
                                           const QString &defaultValue, const QString &file,
                                           int bufferChars)
{
    return platform::readProfileString(section, key, defaultValue, file, bufferChars);
}

} // namespace platform
