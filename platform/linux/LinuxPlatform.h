// Installs the Linux implementations of the platform families. The network
// management back end and the file dialogs (which need widgets) come from the
// caller.
#pragma once

#include <QString>

namespace platform {

class NetworkManagement;
class FileDialogs;
class DirectoryLogon;
class NetworkConnections;

// logon: the back end's logon check for proxy logons (null refuses them).
// connections: the back end's; null leaves a family that answers 50
// (ERROR_NOT_SUPPORTED) and no computer online.
void installLinuxPlatform(NetworkManagement *net, FileDialogs *fileDialogs,
                          DirectoryLogon *logon = nullptr,
                          NetworkConnections *connections = nullptr);

// Makes the current user name the account the directory back end uses on the
// wire, so that captions and log lines show the identity the domain sees.
void useDirectoryUserName(const QString &userName);

} // namespace platform
