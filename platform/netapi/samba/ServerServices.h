// A machine's netlogon, srvsvc and wkssvc calls, made on the back end's own
// session to it (the one its SAMR calls use): domain-controller location at a
// controller, server information, shares, workstation information. Win32
// statuses, as netapi32 gives them.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SamrSession.h"

#include <string>
#include <vector>

namespace platform::samba::services {

// NetrGetDCName ([MS-NRPC] 3.5.4.3.4): "\\DC".
NetStatus getDcName(SamrSession &session, const std::string &domain, std::string &dcName);
// DsRGetDCName for the primary, by its flat name ([MS-NRPC] 3.5.4.3.3).
NetStatus primaryDcName(SamrSession &session, const std::string &domain, std::string &dcName);
// NetrServerGetInfo level 101.
NetStatus serverInfo(SamrSession &session, ServerInfo101 &info);
// NetrShareEnum and NetrShareGetInfo, level 0, 1 or 2.
NetStatus shareEnum(SamrSession &session, uint32_t level, std::vector<ShareInfo2> &shares);
NetStatus shareInfo(SamrSession &session, const std::string &share, uint32_t level,
                    ShareInfo2 &info);
// NetrWkstaGetInfo level 100.
NetStatus workstationInfo(SamrSession &session, WkstaInfo102 &info);

} // namespace platform::samba::services
