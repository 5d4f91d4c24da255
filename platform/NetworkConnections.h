// Network connections (mpr): connecting to another computer's resources and
// asking whether a computer's resource answers.
#pragma once

#include <QString>
#include <cstdint>

namespace platform {

class NetworkConnections {
public:
    virtual ~NetworkConnections() = default;
    // WNetAddConnection2 with an optional local name ("" for none); Win32 status.
    virtual int32_t connect(const QString &remoteName, const QString &localName) = 0;
    // WNetCancelConnection2; Win32 status.
    virtual int32_t disconnect(const QString &name) = 0;
    // Whether the remote resource (\\computer\share) answers at all.
    virtual bool resourceAnswers(const QString &remoteName) = 0;
};

} // namespace platform
