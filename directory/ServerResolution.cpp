#include "ServerResolution.h"

#include "NetStrings.h"
#include "app/AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

// The name is taken into a 256-byte work area of the service: at most 127
// UTF-16 characters and the NUL.
constexpr qsizetype MaxControllerNameLength = 127;

} // namespace

QString Get_DCName(const QString &domainName, const QString &serverName)
{
    std::string controller;
    const platform::NetStatus status =
        platform::net().NetGetDCName(To_NetStr(serverName), To_NetStr(domainName), controller);
    appContext().LastNetStatus = status;
    if (status != platform::status::Success)
        return {};
    return Trim_Null(Get_StrFromPtr(controller).left(MaxControllerNameLength));
}

bool Resolve_Server(const QString &server, std::string &resolved)
{
    if (server.startsWith(QStringLiteral("\\\\"))) {
        resolved = To_NetStr(server);
        return true;
    }
    if (server.isEmpty()) {
        resolved.clear();
        return true;
    }
    const QString controller = Get_DCName(server, QString());
    resolved = To_NetStr(controller);
    return !controller.isEmpty();
}
