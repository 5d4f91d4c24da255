// The embedded back end: the network-management calls answered from a
// directory of the program's own, one SQLite file modelling an NT network as
// netapi32 shows it (domains with their controllers, trusts, member machines
// with local accounts and shares, and the local machine). Several processes may
// use one file at once; every change is one transaction.
#pragma once

#include "platform/DirectoryLogon.h"
#include "platform/NetworkManagement.h"
#include "platform/netapi/embedded/Store.h"

#include <string>

namespace platform::embedded {

class EmbeddedNetworkManagement : public NetworkManagement, public DirectoryLogon {
public:
    // Opens the file at `path` (see defaultDatabasePath()), creating and seeding
    // it when it does not exist. clock: the present moment; the program passes
    // its clock seam so tests can move time.
    explicit EmbeddedNetworkManagement(const std::string &path, Clock clock = {});

    bool isOpen() const { return m_store.isOpen(); }
    // Why the file could not be opened (every call then answers OpenFailed).
    const std::string &openError() const { return m_store.openError(); }
    // The file exists but cannot be used (damaged, not a directory, of a newer
    // build); it was left as it was. See FileCheck.h.
    bool refused() const { return m_store.refused(); }
    Store &store() { return m_store; }

    // The directory's own password check; a disabled or locked-out account is
    // refused too. The directory has no rights model: the account is who the
    // operator is, nothing more.
    NetStatus checkLogon(const DirectoryCredentials &credentials) override;
    // The operator NetWkstaUserGetInfo names from now on: DOMAIN\user of a
    // proxy logon instead of the account running the program.
    void actAs(const std::string &domain, const std::string &user);

    NetStatus NetWkstaUserGetInfo(const std::string &server, WkstaUserInfo1 &info) override;
    NetStatus NetWkstaGetInfo(const std::string &server, WkstaInfo102 &info) override;
    NetStatus NetGetDCName(const std::string &server, const std::string &domain,
                           std::string &dcName) override;
    NetStatus NetEnumerateTrustedDomains(const std::string &server,
                                         std::string &domainNames) override;
    // The model always has the local machine, with its own accounts.
    bool hasLocalAccountDatabase() override { return true; }

    NetStatus NetUserAdd(const std::string &server, uint32_t level, const UserInfo3 &info,
                         uint32_t *parmErr) override;
    NetStatus NetUserDel(const std::string &server, const std::string &userName) override;
    NetStatus NetUserGetInfo(const std::string &server, const std::string &userName,
                             uint32_t level, UserInfo3 &info) override;
    NetStatus NetUserSetInfo(const std::string &server, const std::string &userName,
                             uint32_t level, const UserInfo3 &info, uint32_t *parmErr) override;
    NetStatus NetUserGetGroups(const std::string &server, const std::string &userName,
                               uint32_t level, std::vector<GroupUsersInfo0> &buffer,
                               uint32_t prefMaxLen, uint32_t &entriesRead,
                               uint32_t &totalEntries) override;
    NetStatus NetUserGetLocalGroups(const std::string &server, const std::string &userName,
                                    uint32_t level, uint32_t flags,
                                    std::vector<LocalGroupUsersInfo0> &buffer,
                                    uint32_t prefMaxLen, uint32_t &entriesRead,
                                    uint32_t &totalEntries) override;
    NetStatus NetQueryDisplayInformation(const std::string &server, uint32_t level,
                                         uint32_t index, uint32_t entriesRequested,
                                         uint32_t prefMaxLen, uint32_t &returnedEntryCount,
                                         std::vector<NetDisplayRecord> &buffer) override;

    NetStatus UserParametersGet(const std::string &server, const std::string &userName,
                                std::vector<uint8_t> &value) override;
    NetStatus UserParametersSet(const std::string &server, const std::string &userName,
                                const std::vector<uint8_t> &value) override;

    NetStatus NetGroupAdd(const std::string &server, uint32_t level, const GroupInfo1 &info,
                          uint32_t *parmErr) override;
    NetStatus NetGroupDel(const std::string &server, const std::string &groupName) override;
    NetStatus NetGroupGetInfo(const std::string &server, const std::string &groupName,
                              uint32_t level, GroupInfo1 &info) override;
    NetStatus NetGroupSetInfo(const std::string &server, const std::string &groupName,
                              uint32_t level, const GroupInfo1 &info,
                              uint32_t *parmErr) override;
    NetStatus NetGroupEnum(const std::string &server, uint32_t level,
                           std::vector<GroupInfo1> &buffer, uint32_t prefMaxLen,
                           uint32_t &entriesRead, uint32_t &totalEntries,
                           uint32_t &resumeHandle) override;
    NetStatus NetGroupGetUsers(const std::string &server, const std::string &groupName,
                               uint32_t level, std::vector<GroupUsersInfo0> &buffer,
                               uint32_t prefMaxLen, uint32_t &entriesRead,
                               uint32_t &totalEntries, uint32_t &resumeHandle) override;
    NetStatus NetGroupAddUser(const std::string &server, const std::string &groupName,
                              const std::string &userName) override;
    NetStatus NetGroupDelUser(const std::string &server, const std::string &groupName,
                              const std::string &userName) override;

    NetStatus NetLocalGroupAdd(const std::string &server, uint32_t level,
                               const LocalGroupInfo1 &info, uint32_t *parmErr) override;
    NetStatus NetLocalGroupDel(const std::string &server, const std::string &groupName) override;
    NetStatus NetLocalGroupGetInfo(const std::string &server, const std::string &groupName,
                                   uint32_t level, LocalGroupInfo1 &info) override;
    NetStatus NetLocalGroupSetInfo(const std::string &server, const std::string &groupName,
                                   uint32_t level, const LocalGroupInfo1 &info,
                                   uint32_t *parmErr) override;
    NetStatus NetLocalGroupEnum(const std::string &server, uint32_t level,
                                std::vector<LocalGroupInfo1> &buffer, uint32_t prefMaxLen,
                                uint32_t &entriesRead, uint32_t &totalEntries,
                                uint32_t &resumeHandle) override;
    NetStatus NetLocalGroupGetMembers(const std::string &server, const std::string &groupName,
                                      uint32_t level,
                                      std::vector<LocalGroupMembersInfo3> &buffer,
                                      uint32_t prefMaxLen, uint32_t &entriesRead,
                                      uint32_t &totalEntries, uint32_t &resumeHandle) override;
    NetStatus NetLocalGroupAddMembers(const std::string &server, const std::string &groupName,
                                      uint32_t level,
                                      const std::vector<LocalGroupMembersInfo3> &members) override;
    NetStatus NetLocalGroupDelMembers(const std::string &server, const std::string &groupName,
                                      uint32_t level,
                                      const std::vector<LocalGroupMembersInfo3> &members) override;

    NetStatus NetServerEnum(const std::string &server, uint32_t level,
                            std::vector<ServerInfo101> &buffer, uint32_t prefMaxLen,
                            uint32_t &entriesRead, uint32_t &totalEntries, uint32_t serverType,
                            const std::string &domain, uint32_t &resumeHandle) override;
    NetStatus NetServerGetInfo(const std::string &server, uint32_t level,
                               ServerInfo101 &info) override;
    NetStatus NetShareEnum(const std::string &server, uint32_t level,
                           std::vector<ShareInfo2> &buffer, uint32_t prefMaxLen,
                           uint32_t &entriesRead, uint32_t &totalEntries,
                           uint32_t &resumeHandle) override;
    NetStatus NetShareGetInfo(const std::string &server, const std::string &netName,
                              uint32_t level, ShareInfo2 &info) override;

private:
    Store m_store;
    std::string m_actingDomain;
    std::string m_actingUser;
};

} // namespace platform::embedded
