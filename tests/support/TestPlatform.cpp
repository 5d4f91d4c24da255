#include "TestPlatform.h"

#include "app/AppContext.h"
#include "platform/linux/ProfileReader.h"

namespace testing_support {

bool FakeSystemInfo::queryVersion(platform::OsVersionRecord &record)
{
    if (!versionQuerySucceeds)
        return false;
    record = version;
    return true;
}

bool FakeSystemInfo::computerName(QString &name)
{
    name = machineName;
    return !machineName.isEmpty();
}

QString FakeSystemInfo::readProfileString(const QString &section, const QString &key,
                                          const QString &defaultValue, const QString &file,
                                          int bufferChars)
{
    return platform::readProfileString(section, key, defaultValue, file, bufferChars);
}

QString MemorySettingsStore::value(const QString &section, const QString &key,
                                   const QString &defaultValue)
{
    auto found = values.find({section, key});
    return found == values.end() ? defaultValue : found->second;
}

void MemorySettingsStore::setValue(const QString &section, const QString &key,
                                   const QString &value)
{
    values[{section, key}] = value;
}

int32_t FakeSecurityLogon::currentUserName(QString &name)
{
    if (userNameResult)
        name = userName;
    return userNameResult;
}

intptr_t RecordingShell::open(const QString &file, const QStringList &arguments, int show)
{
    calls.append({file, arguments, show});
    return 42;
}

platform::NetStatus ScriptedNetworkManagement::NetWkstaUserGetInfo(const std::string &,
                                                                   platform::WkstaUserInfo1 &info)
{
    ++calls;
    if (wkstaUserStatus == 0)
        info = wkstaUser;
    return wkstaUserStatus;
}

platform::NetStatus ScriptedNetworkManagement::NetWkstaGetInfo(const std::string &,
                                                               platform::WkstaInfo102 &info)
{
    ++calls;
    if (wkstaStatus == 0)
        info = wksta;
    return wkstaStatus;
}

platform::NetStatus ScriptedNetworkManagement::NetGetDCName(const std::string &,
                                                            const std::string &domain,
                                                            std::string &dcName)
{
    ++calls;
    auto found = controllers.find(domain);
    if (found == controllers.end() || found->second.empty())
        return 2453; // NERR_DCNotFound
    dcName = found->second;
    return 0;
}

platform::NetStatus ScriptedNetworkManagement::NetEnumerateTrustedDomains(const std::string &,
                                                                          std::string &names)
{
    ++calls;
    if (trustStatus == 0)
        names = trustedDomains;
    return trustStatus;
}

TestPlatform::TestPlatform() : system(dir.path()), m_previous(platform::current())
{
    platform::Families families = m_previous;
    families.system = &system;
    families.settings = &settings;
    families.security = &security;
    families.shell = &shell;
    families.net = &net;
    platform::install(families);
    resetAppContext();
}

TestPlatform::~TestPlatform()
{
    platform::install(m_previous);
    resetAppContext();
}

} // namespace testing_support
