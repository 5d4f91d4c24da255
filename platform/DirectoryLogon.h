// What a directory back end offers the logon of another account: proving a
// name and password against the account's domain. Acting as that account is
// chosen when the back end is made (see BackendSelection.h).
#pragma once

#include "platform/netapi/Statuses.h"

#include <QString>

namespace platform {

// An account and its password, as a back end uses them on the wire. Held in
// memory only; it never goes to a file, a command line or an environment.
struct DirectoryCredentials {
    QString domain; // "" for the workstation's domain
    QString user;
    QString password;
};

class DirectoryLogon {
public:
    virtual ~DirectoryLogon() = default;
    // 0 when the domain accepts the account with this password; else a Win32
    // status: 1326 refused, 1331 disabled, 1909 locked out, 53 no answer.
    virtual NetStatus checkLogon(const DirectoryCredentials &credentials) = 0;
};

} // namespace platform
