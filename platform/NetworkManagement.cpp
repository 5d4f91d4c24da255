// Every call a back end does not offer answers ERROR_NOT_SUPPORTED, so a back
// end (or a test double) implements only what it can.
#include "platform/NetworkManagement.h"

namespace platform {

NetStatus NetworkManagement::NetUserAdd(const std::string &, uint32_t, const UserInfo3 &,
                                        uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetUserDel(const std::string &, const std::string &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetUserGetInfo(const std::string &, const std::string &, uint32_t,
                                            UserInfo3 &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetUserSetInfo(const std::string &, const std::string &, uint32_t,
                                            const UserInfo3 &, uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetUserGetGroups(const std::string &, const std::string &,
                                              uint32_t, std::vector<GroupUsersInfo0> &,
                                              uint32_t, uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetUserGetLocalGroups(const std::string &, const std::string &,
                                                   uint32_t, uint32_t,
                                                   std::vector<LocalGroupUsersInfo0> &,
                                                   uint32_t, uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetQueryDisplayInformation(const std::string &, uint32_t,
                                                        uint32_t, uint32_t, uint32_t,
                                                        uint32_t &,
                                                        std::vector<NetDisplayRecord> &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::UserParametersGet(const std::string &, const std::string &,
                                              std::vector<uint8_t> &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::UserParametersSet(const std::string &, const std::string &,
                                              const std::vector<uint8_t> &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupAdd(const std::string &, uint32_t, const GroupInfo1 &,
                                         uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupDel(const std::string &, const std::string &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupGetInfo(const std::string &, const std::string &,
                                             uint32_t, GroupInfo1 &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupSetInfo(const std::string &, const std::string &,
                                             uint32_t, const GroupInfo1 &, uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupEnum(const std::string &, uint32_t,
                                          std::vector<GroupInfo1> &, uint32_t, uint32_t &,
                                          uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupGetUsers(const std::string &, const std::string &,
                                              uint32_t, std::vector<GroupUsersInfo0> &,
                                              uint32_t, uint32_t &, uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupAddUser(const std::string &, const std::string &,
                                             const std::string &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetGroupDelUser(const std::string &, const std::string &,
                                             const std::string &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupAdd(const std::string &, uint32_t,
                                              const LocalGroupInfo1 &, uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupDel(const std::string &, const std::string &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupGetInfo(const std::string &, const std::string &,
                                                  uint32_t, LocalGroupInfo1 &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupSetInfo(const std::string &, const std::string &,
                                                  uint32_t, const LocalGroupInfo1 &,
                                                  uint32_t *)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupEnum(const std::string &, uint32_t,
                                               std::vector<LocalGroupInfo1> &, uint32_t,
                                               uint32_t &, uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupGetMembers(const std::string &, const std::string &,
                                                     uint32_t,
                                                     std::vector<LocalGroupMembersInfo3> &,
                                                     uint32_t, uint32_t &, uint32_t &,
                                                     uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupAddMembers(
    const std::string &, const std::string &, uint32_t,
    const std::vector<LocalGroupMembersInfo3> &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetLocalGroupDelMembers(
    const std::string &, const std::string &, uint32_t,
    const std::vector<LocalGroupMembersInfo3> &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetServerEnum(const std::string &, uint32_t,
                                           std::vector<ServerInfo101> &, uint32_t, uint32_t &,
                                           uint32_t &, uint32_t, const std::string &,
                                           uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetServerGetInfo(const std::string &, uint32_t, ServerInfo101 &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetShareEnum(const std::string &, uint32_t,
                                          std::vector<ShareInfo2> &, uint32_t, uint32_t &,
                                          uint32_t &, uint32_t &)
{
    return status::NotSupported;
}

NetStatus NetworkManagement::NetShareGetInfo(const std::string &, const std::string &,
                                             uint32_t, ShareInfo2 &)
{
    return status::NotSupported;
}

} // namespace platform
