// Security and logon: the current user, the Administrators test, privileges,
// logon and process start under another account.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform {

class SecurityLogon {
public:
    virtual ~SecurityLogon() = default;

    // GetUserNameA: the name of the user running the program; returns the API's
    // result (non-zero on success) and fills name.
    virtual int32_t currentUserName(QString &name) = 0;
    // Whether the current token holds the local Administrators alias.
    virtual bool isAdministrator() = 0;
    // Grants a privilege ("SeBatchLogonRight", ...) to an account on this machine;
    // returns a Win32 status.
    virtual int32_t grantPrivilege(const QString &account, const QString &privilege) = 0;
    // Starts program with arguments under another account (batch logon); the
    // password goes straight to the platform and is never stored. Win32 status.
    virtual int32_t startProcessAs(const QString &domain, const QString &user,
                                   const QString &password, const QString &program,
                                   const QStringList &arguments) = 0;
    // Ends the interactive session. Win32 status.
    virtual int32_t logOff() = 0;
};

} // namespace platform
