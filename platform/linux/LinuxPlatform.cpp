#include "LinuxPlatform.h"

#include "LinuxSecurityLogon.h"
#include "LinuxShell.h"
#include "LinuxSystemInfo.h"
#include "QtSettingsStore.h"
#include "platform/NetworkConnections.h"
#include "platform/Platform.h"
#include "platform/terminalserver/ParametersTerminalServer.h"

namespace platform {

namespace {

constexpr int32_t ERROR_NOT_SUPPORTED = 50;

class UnsupportedNetworkConnections : public NetworkConnections {
public:
    int32_t connect(const QString &, const QString &) override { return ERROR_NOT_SUPPORTED; }
    int32_t disconnect(const QString &) override { return ERROR_NOT_SUPPORTED; }
    bool resourceAnswers(const QString &) override { return false; }
};

} // namespace

void installLinuxPlatform(NetworkManagement *net, FileDialogs *fileDialogs,
                          DirectoryLogon *logon)
{
    static LinuxSystemInfo system;
    static QtSettingsStore settings;
    static LinuxShell shell;
    static LinuxSecurityLogon security;
    static ParametersTerminalServer terminalServer;
    static UnsupportedNetworkConnections connections;
    security.setDirectoryLogon(logon);
    Families families;
    families.net = net;
    families.security = &security;
    families.terminalServer = &terminalServer;
    families.connections = &connections;
    families.shell = &shell;
    families.system = &system;
    families.fileDialogs = fileDialogs;
    families.settings = &settings;
    install(families);
}

void useDirectoryUserName(const QString &userName)
{
    LinuxSecurityLogon::setDirectoryUserName(userName);
}

} // namespace platform
