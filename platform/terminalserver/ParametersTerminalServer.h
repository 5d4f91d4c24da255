// The Terminal Server family where no WTS service exists: a user's settings
// read from and written into its userParameters value, through whichever
// network-management back end is installed, as WTSQueryUserConfig and
// WTSSetUserConfig do for a domain account.
#pragma once

#include "platform/TerminalServer.h"

namespace platform {

class ParametersTerminalServer : public TerminalServer {
public:
    bool queryUserConfig(const QString &server, const QString &user, int configClass,
                         QByteArray &buffer) override;
    // One read and one write of the value; a value this cannot change without
    // losing what it holds is left as it is (false).
    bool setUserConfig(const QString &server, const QString &user, int configClass,
                       const QByteArray &buffer) override;
};

} // namespace platform
