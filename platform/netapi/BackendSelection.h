// Which directory back end answers the network-management calls, chosen once
// at start-up from the environment:
//
//   VARNEL_DIRECTORY=embedded  the program's own directory in one SQLite file
//                              (the default; the file is VARNEL_EMBEDDED_DB, or
//                              $XDG_DATA_HOME/varnel/directory.sqlite)
//   VARNEL_DIRECTORY=samba     a Samba or Windows domain controller, through
//                              Samba's client libraries (VARNEL_SMB_CONF,
//                              VARNEL_AUTHFILE or a Kerberos ticket; see
//                              docs/samba.md)
//
// Any other value is refused with a message that names the variable. The
// copies of the program that the account search starts inherit the
// environment unchanged, so they use the same back end and file.
#pragma once

#include "platform/DirectoryLogon.h"
#include "platform/NetworkConnections.h"
#include "platform/NetworkManagement.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace platform::netapi {

inline constexpr const char *DirectoryVariable = "VARNEL_DIRECTORY";

struct BackendSelection {
    // The back end; null when the selection was refused.
    std::unique_ptr<NetworkManagement> net;
    // The network connections that go with it (the same machines, the same
    // credentials); null when the selection was refused.
    std::unique_ptr<NetworkConnections> connections;
    // Why it was refused (names the variable, or the embedded directory file
    // that is damaged or of a newer build), or "".
    QString error;
    // Something the operator should know although the program runs on (the
    // directory file could not be opened, for example), or "".
    QString warning;
    // The account the back end uses on the wire when it is not the user who
    // runs the program (Samba: the authentication file's or the Kerberos
    // ticket's user), or "".
    QString directoryUserName;
    // The back end's logon check (part of `net`), or null.
    DirectoryLogon *logon = nullptr;
};

// clock: the present moment as the program counts it (its clock seam).
// actAs: the account every call uses, handed over by a proxy logon (see
// platform/linux/CredentialChannel.h), or null for the usual credentials.
BackendSelection selectNetworkManagement(const std::function<QDateTime()> &clock,
                                         const DirectoryCredentials *actAs = nullptr);

} // namespace platform::netapi
