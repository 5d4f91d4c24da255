// Finding global groups and local groups (aliases) by name, shared by the
// group, member and listing calls.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SamrObjects.h"

#include <string>
#include <vector>

namespace platform::samba {

// The RID of global group `name`: 0, or 2220 for a name that is no global group.
NetStatus findGroup(SamrSession &session, const std::string &name, uint32_t &rid);
// A local group of the account domain or of BUILTIN: 0, or 2220.
NetStatus findAlias(SamrSession &session, const std::string &name, Found &found);

// Renames or describes an open group or alias ([MS-SAMR] 3.1.5.6.3/3.1.5.6.2).
uint32_t setGroupText(SamrSession &session, ObjectHandle &group, bool alias, bool name,
                      const std::string &value);

// The members of an open global group, as RIDs.
uint32_t groupMembers(SamrSession &session, ObjectHandle &group, std::vector<uint32_t> &rids);

} // namespace platform::samba
