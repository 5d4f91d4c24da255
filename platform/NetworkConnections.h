// Network connections (mpr): connecting to another computer's resources and
// asking whether a computer answers at all. Each directory back end brings
// its own (see platform/netapi/BackendSelection.h).
#pragma once

#include <QString>
#include <cstdint>

namespace platform {

class NetworkConnections {
public:
    virtual ~NetworkConnections() = default;
    // WNetAddConnection2 with an optional local name ("" for none), with the
    // program's own credentials; Win32 status (53: the computer does not answer).
    virtual int32_t connect(const QString &remoteName, const QString &localName) = 0;
    // WNetCancelConnection2; Win32 status.
    virtual int32_t disconnect(const QString &name) = 0;
    // Whether the computer of the remote name (\\computer or \\computer\share)
    // answers on the network, within a few seconds, without authenticating.
    virtual bool resourceAnswers(const QString &remoteName) = 0;
};

// The computer's name in a remote name: "\\WS01\IPC$" and "WS01" give "WS01".
QString remoteComputer(const QString &remoteName);

} // namespace platform
