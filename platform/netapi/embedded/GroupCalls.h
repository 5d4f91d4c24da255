// The bodies global groups and local groups (aliases) share: NetGroup* and
// NetLocalGroup* differ here only in which kind of group row they touch.
#pragma once

#include "platform/NetworkManagement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::embedded {

class Database;

// Deletes a group that is neither built in nor, for a global group, anyone's
// primary group.
NetStatus deleteGroupNamed(Database &db, int64_t samId, const std::string &name, bool local);
NetStatus getGroupInfo(Database &db, int64_t samId, const std::string &name, bool local,
                       uint32_t level, GroupInfo1 &info);
// Level 0 renames the group, level 1 replaces its comment.
NetStatus setGroupInfo(Database &db, int64_t samId, const std::string &name, bool local,
                       uint32_t level, const GroupInfo1 &info);
NetStatus enumGroups(Database &db, int64_t samId, bool local, uint32_t level,
                     std::vector<GroupInfo1> &buffer, uint32_t prefMaxLen,
                     uint32_t &entriesRead, uint32_t &totalEntries, uint32_t &resumeHandle);

} // namespace platform::embedded
