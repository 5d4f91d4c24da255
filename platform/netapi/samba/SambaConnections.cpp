#include "platform/netapi/samba/SambaConnections.h"

#include "platform/netapi/Statuses.h"
#include "platform/netapi/samba/Reachability.h"
#include "platform/netapi/samba/SambaNetworkManagement.h"

namespace platform::samba {

namespace {

constexpr int32_t NotSupported = 50;

} // namespace

// Only connections without a local name (the IPC$ kind) are offered: there
// is no drive letter or printer port to map on this system.
int32_t SambaConnections::connect(const QString &remoteName, const QString &localName)
{
    if (!localName.isEmpty())
        return NotSupported;
    const QString computer = remoteComputer(remoteName);
    if (computer.isEmpty())
        return status::BadNetPath;
    return m_net.openSession(computer.toStdString());
}

int32_t SambaConnections::disconnect(const QString &name)
{
    m_net.closeSession(remoteComputer(name).toStdString());
    return status::Success;
}

bool SambaConnections::resourceAnswers(const QString &remoteName)
{
    const QString computer = remoteComputer(remoteName);
    return !computer.isEmpty() && smbNegotiates(computer.toStdString(), OnlineTimeoutMs);
}

} // namespace platform::samba
