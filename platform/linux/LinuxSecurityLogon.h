// Security and logon on Linux: the user is the process's effective user, or,
// when the directory back end acts on the wire as another account (Samba with
// an authentication file or a Kerberos ticket), that account.
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

    // The account the directory back end uses on the wire ("" for none).
    static void setDirectoryUserName(const QString &name);
};

} // namespace platform
