// The call the back end leaves to Samba's libnetapi: locating a domain's
// controller from this host (DNS SRV records and a CLDAP ping, no SMB session;
// everything said to a machine goes over the back end's own session to it,
// ServerServices.h). libnetapi keeps one process-wide context, started once
// with the back end's configuration and credentials.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SambaSettings.h"

#include <string>

namespace platform::samba::libnetapi {

// Starts libnetapi on the client smb.conf with the credentials; a Win32
// status (31: the file cannot be loaded).
NetStatus start(const Settings &settings, std::string &problem);

// DsGetDcName from this host (DNS SRV records and a CLDAP ping): the primary
// controller's flat name ("\\DC") and its domain's flat name.
NetStatus locatePrimary(const std::string &domain, std::string &dcName,
                        std::string &flatDomain);

} // namespace platform::samba::libnetapi
