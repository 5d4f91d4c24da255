// Security and logon: the current user, the Administrators test, privileges,
// logon and process start under another account, log-off.
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
    // Whether the caller counts as an administrator of this computer (on
    // Windows: the token holds the local Administrators alias).
    virtual bool isAdministrator() = 0;
    // Grants a privilege ("SeBatchLogonRight", ...) to an account on this machine;
    // returns a Win32 status.
    virtual int32_t grantPrivilege(const QString &account, const QString &privilege) = 0;
    // LogonUserA with a batch logon: proves the account's name and password
    // and, on success (0), fills token with a handle to act as it. Otherwise
    // a Win32 status (1326 refused, 1331 disabled, 1909 locked out). The
    // password goes straight to the platform and is never stored.
    virtual int32_t logonUser(const QString &user, const QString &domain,
                              const QString &password, int32_t &token) = 0;
    // CreateProcessAsUserA: starts program, with no arguments, as the token's
    // account. Non-zero when it started.
    virtual int32_t startProcessAsUser(int32_t token, const QString &program) = 0;
    // CloseHandle on a logon token; what it held is forgotten.
    virtual void closeToken(int32_t token) = 0;
    // Asks for a normal log-off of the interactive session, never forced.
    // 0 when the request was taken, else a Win32 status.
    virtual int32_t logOff() = 0;
};

} // namespace platform
