// Terminal Server user configuration: one configuration class at a time.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

namespace platform {

class TerminalServer {
public:
    virtual ~TerminalServer() = default;
    // WTSQueryUserConfig / WTSSetUserConfig for one WTS_CONFIG_CLASS value;
    // returns a Win32 status.
    virtual int32_t queryUserConfig(const QString &server, const QString &user,
                                    int configClass, QVariant &value) = 0;
    virtual int32_t setUserConfig(const QString &server, const QString &user,
                                  int configClass, const QVariant &value) = 0;
};

} // namespace platform
