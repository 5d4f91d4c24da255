#include "LinuxSecurityLogon.h"

#include "CredentialChannel.h"
#include "SessionLogout.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {
constexpr int32_t ERROR_NOT_SUPPORTED = 50;
constexpr int32_t ERROR_LOGON_FAILURE = 1326;

// The groups whose members administer this computer on the common
// distributions (Debian and Ubuntu: sudo, admin; Fedora, Arch, SUSE: wheel).
const char *const AdministratorGroups[] = {"sudo", "wheel", "admin"};

QString &directoryUserName()
{
    static QString name;
    return name;
}

bool inGroup(const std::vector<gid_t> &groups, const char *name)
{
    struct group entry {};
    struct group *found = nullptr;
    std::vector<char> buffer(16384);
    if (::getgrnam_r(name, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    for (gid_t gid : groups) {
        if (gid == found->gr_gid)
            return true;
    }
    return false;
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

bool LinuxSecurityLogon::isAdministrator()
{
    if (::geteuid() == 0)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(std::size_t(count) + 1);
    const int read = ::getgroups(count, groups.data());
    if (read < 0)
        return false;
    groups.resize(std::size_t(read));
    groups.push_back(::getegid());
    for (const char *name : AdministratorGroups) {
        if (inGroup(groups, name))
            return true;
    }
    return false;
}

// No account right is needed here to act as another directory account.
int32_t LinuxSecurityLogon::grantPrivilege(const QString &, const QString &)
{
    return ERROR_NOT_SUPPORTED;
}

int32_t LinuxSecurityLogon::logonUser(const QString &user, const QString &domain,
                                      const QString &password, int32_t &token)
{
    if (!m_logon)
        return ERROR_LOGON_FAILURE;
    const DirectoryCredentials credentials{domain, user, password};
    if (const int32_t status = m_logon->checkLogon(credentials))
        return status;
    token = ++m_lastToken;
    m_tokens.insert(token, credentials);
    return 0;
}

int32_t LinuxSecurityLogon::startProcessAsUser(int32_t token, const QString &program)
{
    const auto found = m_tokens.constFind(token);
    if (found == m_tokens.constEnd())
        return 0;
    return startWithCredentials(program, {*found, m_stepsToHandOn}) > 0 ? 1 : 0;
}

void LinuxSecurityLogon::closeToken(int32_t token)
{
    const auto found = m_tokens.find(token);
    if (found == m_tokens.end())
        return;
    found->password.fill(u'\0');
    m_tokens.erase(found);
}

int32_t LinuxSecurityLogon::logOff()
{
    return requestLogout(m_bus ? *m_bus : dbusSessionBus());
}

} // namespace platform
