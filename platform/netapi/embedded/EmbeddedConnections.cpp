#include "platform/netapi/embedded/EmbeddedConnections.h"

#include "platform/netapi/Statuses.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/Model.h"

namespace platform::embedded {

namespace {

// ERROR_NOT_CONNECTED: no connection of that name to cancel.
constexpr int32_t NotConnected = 2250;

} // namespace

int32_t EmbeddedConnections::connect(const QString &remoteName, const QString &)
{
    return resourceAnswers(remoteName) ? status::Success : status::BadNetPath;
}

int32_t EmbeddedConnections::disconnect(const QString &name)
{
    return resourceAnswers(name) ? status::Success : NotConnected;
}

bool EmbeddedConnections::resourceAnswers(const QString &remoteName)
{
    const QString computer = remoteComputer(remoteName);
    if (computer.isEmpty())
        return false;
    MachineRow machine;
    return resolveMachine(m_net.store(), computer.toStdString(), machine) == status::Success;
}

} // namespace platform::embedded
