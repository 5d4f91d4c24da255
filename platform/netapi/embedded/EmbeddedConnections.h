// Network connections on the embedded directory: a computer answers when the
// file holds a machine of that name that the fixture has not made unreachable.
// A computer account alone (no machine) is a computer that is switched off.
#pragma once

#include "platform/NetworkConnections.h"

namespace platform::embedded {

class EmbeddedNetworkManagement;

class EmbeddedConnections : public NetworkConnections {
public:
    explicit EmbeddedConnections(EmbeddedNetworkManagement &net) : m_net(net) {}

    int32_t connect(const QString &remoteName, const QString &localName) override;
    int32_t disconnect(const QString &name) override;
    bool resourceAnswers(const QString &remoteName) override;

private:
    EmbeddedNetworkManagement &m_net;
};

} // namespace platform::embedded
