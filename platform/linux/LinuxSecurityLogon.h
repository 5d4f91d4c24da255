// Security and logon on Linux: the user is the process's effective user.
#pragma once

#include "platform/SecurityLogon.h"

namespace platform {

class LinuxSecurityLogon : public SecurityLogon {
public:
    int32_t currentUserName(QString &name) override;
    bool isAdministrator() override;
    int32_t grantPrivilege(const QString &account, const QString &privilege) override;
    int32_t startProcessAs(const QString &domain, const QString &user, const QString &password,
                           const QString &program, const QStringList &arguments) override;
    int32_t logOff() override;
};

} // namespace platform
