// The calls the back end leaves to Samba's libnetapi: domain-controller
// location (netlogon, DNS and CLDAP), server information, shares and
// workstation information (srvsvc, wkssvc). libnetapi keeps one process-wide
// context, started once with the back end's configuration and credentials.
// Every result is copied out and its buffer freed before returning.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SambaSettings.h"

#include <string>
#include <vector>

namespace platform::samba::libnetapi {

// Starts libnetapi on the client smb.conf with the credentials; a Win32
// status (31: the file cannot be loaded).
NetStatus start(const Settings &settings, std::string &problem);

// NetGetDCName at server (a machine name): "\\DC".
NetStatus getDCName(const std::string &server, const std::string &domain, std::string &dcName);

// DsGetDcName from this host (DNS SRV records and a CLDAP ping): the primary
// controller's flat name ("\\DC") and its domain's flat name.
NetStatus locatePrimary(const std::string &domain, std::string &dcName,
                        std::string &flatDomain);
// The same asked of a controller (DsRGetDCName there, [MS-NRPC] 3.5.4.3.3):
// how a workstation finds a trusted domain's controller through its own.
NetStatus locatePrimaryAt(const std::string &server, const std::string &domain,
                          std::string &dcName);

// NetServerGetInfo level 101 at a machine.
NetStatus serverInfo(const std::string &server, ServerInfo101 &info);
// NetShareEnum and NetShareGetInfo at a machine, level 0, 1 or 2.
NetStatus shareEnum(const std::string &server, uint32_t level, std::vector<ShareInfo2> &shares);
NetStatus shareInfo(const std::string &server, const std::string &share, uint32_t level,
                    ShareInfo2 &info);
// NetWkstaGetInfo level 100 at a machine (computer name, LAN group, version).
NetStatus workstationInfo(const std::string &server, WkstaInfo102 &info);

} // namespace platform::samba::libnetapi
