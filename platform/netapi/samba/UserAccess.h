// Reading and writing one user account through SAMR, shared by the user
// calls: finding it by name, reading USER_ALL_INFORMATION, the privilege
// netapi32 derives from BUILTIN membership, and the one write that carries
// the changed fields and the password together.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/NameRules.h"
#include "platform/netapi/samba/SamrSession.h"
#include "platform/netapi/samba/UserRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::samba {

// The RID of user account `name`: 0, or 2221 for a name that is no user
// (missing, a group, or one no rule allows), or the failure's status.
NetStatus findUser(SamrSession &session, const std::string &name, uint32_t &rid);

// Whether a new account name is free: 0, or 2224 / 2223 / 1379 for the kind
// of account that holds it.
NetStatus nameFree(SamrSession &session, const std::string &name);
// Whether an account may be renamed to newName: the name rules of its kind,
// then nameFree, except where only the case of the old name changes.
NetStatus renameAllowed(SamrSession &session, const std::string &oldName,
                        const std::string &newName, netapi::NameKind kind);

// USER_INFO_0/1/3 of an open user. An NTSTATUS.
uint32_t readUser(SamrSession &session, ObjectHandle &user, uint32_t level, UserInfo3 &info);

// One SetUserInfo2: level 25 with the password when one is given, else level
// 21; nothing when there is nothing to write. An NTSTATUS. After a failure the
// session is dropped once the call is over ([MS-SAMR] writes on a Samba DC can
// leave a transaction open on the connection that failed).
uint32_t writeUser(SamrSession &session, ObjectHandle &user, UserWrite &write,
                   const std::string *password);

// The RIDs of the global groups of an open user, its primary group included.
uint32_t globalGroupsOf(SamrSession &session, ObjectHandle &user, std::vector<uint32_t> &rids);

} // namespace platform::samba
