#include "LinuxSecurityLogon.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {
constexpr int32_t ERROR_NOT_SUPPORTED = 50;

QString &directoryUserName()
{
    static QString name;
    return name;
}
} // namespace

void LinuxSecurityLogon::setDirectoryUserName(const QString &name)
{
    directoryUserName() = name;
}

int32_t LinuxSecurityLogon::currentUserName(QString &name)
{
    if (!directoryUserName().isEmpty()) {
        name = directoryUserName();
        return 1;
    }
    struct passwd entry {};
    struct passwd *found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return 0;
    name = QString::fromUtf8(found->pw_name);
    return 1;
}

bool LinuxSecurityLogon::isAdministrator() { return ::geteuid() == 0; }

// Account rights, batch logon under another account and log-off belong to the
// Windows security subsystem; this platform answers that they are not supported.
int32_t LinuxSecurityLogon::grantPrivilege(const QString &, const QString &)
{
    return ERROR_NOT_SUPPORTED;
}

int32_t LinuxSecurityLogon::startProcessAs(const QString &, const QString &, const QString &,
                                           const QString &, const QStringList &)
{
    return ERROR_NOT_SUPPORTED;
}

int32_t LinuxSecurityLogon::logOff() { return ERROR_NOT_SUPPORTED; }

} // namespace platform
