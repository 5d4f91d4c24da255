// Network connections on the Samba back end. A connection to \\NAME (IPC$) is
// an authenticated SMB session to the computer's IPC$ with the back end's own
// credentials, the one its SAMR calls use, so it proves what a join or a
// change there would need; a computer that does not answer costs at most
// ConnectTimeoutMs. Whether a computer answers is an unauthenticated SMB
// negotiate, bounded at OnlineTimeoutMs.
#pragma once

#include "platform/NetworkConnections.h"

namespace platform::samba {

class SambaNetworkManagement;

inline constexpr int OnlineTimeoutMs = 3000;

class SambaConnections : public NetworkConnections {
public:
    explicit SambaConnections(SambaNetworkManagement &net) : m_net(net) {}

    int32_t connect(const QString &remoteName, const QString &localName) override;
    int32_t disconnect(const QString &name) override;
    bool resourceAnswers(const QString &remoteName) override;

private:
    SambaNetworkManagement &m_net;
};

} // namespace platform::samba
