// Installs the Linux implementations of the platform families. The network
// management back end and the file dialogs (which need widgets) come from the
// caller.
#pragma once

#include <QString>

namespace platform {

class NetworkManagement;
class FileDialogs;
class DirectoryLogon;

// logon: the back end's logon check for proxy logons (null refuses them).
void installLinuxPlatform(NetworkManagement *net, FileDialogs *fileDialogs,
                          DirectoryLogon *logon = nullptr);

// Makes the current user name the account the directory back end uses on the
// wire, so that captions and log lines show the identity the domain sees.
void useDirectoryUserName(const QString &userName);

} // namespace platform
