// Terminal Server user configuration (wtsapi32): one WTS_CONFIG_CLASS setting
// of one user at a time, in the buffers WTSQueryUserConfigA and
// WTSSetUserConfigA use.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

class TerminalServer {
public:
    virtual ~TerminalServer() = default;
    // WTSQueryUserConfigA: the setting into `buffer`, a text class as its 8-bit
    // (UTF-8) characters and a NUL, a number as its four bytes, little-endian.
    // False when it cannot be read.
    virtual bool queryUserConfig(const QString &server, const QString &user, int configClass,
                                 QByteArray &buffer) = 0;
    // WTSSetUserConfigA: a text class takes the characters up to the first NUL,
    // a number class exactly four bytes. False when nothing was written.
    virtual bool setUserConfig(const QString &server, const QString &user, int configClass,
                               const QByteArray &buffer) = 0;
};

} // namespace platform
