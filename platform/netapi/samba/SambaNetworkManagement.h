// The Samba back end: the network-management calls answered by real domain
// controllers (a Samba AD or NT4-style DC, or Windows) through Samba's client
// libraries, with netapi32's records, levels and statuses. Accounts, groups,
// membership and listings go through SAMR and LSA; domain-controller location,
// server and share information through libnetapi.
#pragma once

#include "platform/DirectoryLogon.h"
#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SambaSettings.h"

#include <map>
#include <memory>
#include <string>

namespace platform::samba {

class Connections;
class DisplayCache;
class LdapConnections;

class SambaNetworkManagement : public NetworkManagement, public DirectoryLogon {
public:
    SambaNetworkManagement();
    ~SambaNetworkManagement() override;

    // Reads the client smb.conf and the credentials and readies the libraries:
    // 0, or 31 (configuration) / 1326 (credentials) with problem() saying what
    // to check. Every call answers that status until it is 0.
    NetStatus initialise();
    // Before initialise: act on the wire as this account (a proxy logon's,
    // handed over in memory) instead of the authentication file or ticket.
    void actAs(const DirectoryCredentials &credentials);
    // Opens an authenticated connection to the domain's controller with the
    // name and password: 0, 1326 refused, 1331 disabled, 53 no answer...
    NetStatus checkLogon(const DirectoryCredentials &credentials) override;
    const std::string &problem() const { return m_problem; }
    // The identity used on the wire.
    const std::string &wireUser() const { return m_settings.login.user; }
    const std::string &wireDomain() const { return m_settings.login.domain; }

    // An authenticated session to the computer's IPC$ (the one the SAMR calls
    // use), opened now: 0, 53 (no answer), 1326 or 5. closeSession ends it.
    NetStatus openSession(const std::string &computer);
    void closeSession(const std::string &computer);

    NetStatus NetWkstaUserGetInfo(const std::string &server, WkstaUserInfo1 &info) override;
    NetStatus NetWkstaGetInfo(const std::string &server, WkstaInfo102 &info) override;
    NetStatus NetGetDCName(const std::string &server, const std::string &domain,
                           std::string &dcName) override;
    NetStatus NetEnumerateTrustedDomains(const std::string &server,
                                         std::string &domainNames) override;
    // Only when this host runs an SMB server of its own (a DC or a member
    // server): a plain workstation's empty server answers 53.
    bool hasLocalAccountDatabase() override;

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
    NetStatus ready() const { return m_initStatus; }
    NetStatus findDC(const std::string &server, const std::string &domain, std::string &dcName);
    NetStatus localDC(const std::string &domain, std::string &dcName);
    NetStatus workstationDC(std::string &dcName);

    Settings m_settings;
    std::unique_ptr<Login> m_givenLogin;
    std::unique_ptr<Connections> m_connections;
    std::unique_ptr<DisplayCache> m_display;
    std::unique_ptr<LdapConnections> m_ldap; // AD DCs: listings, "cannot change password"
    std::map<std::string, std::string> m_dcNames; // upper-case domain -> "\\DC"
    NetStatus m_initStatus = 31;
    std::string m_problem = "not initialised";
};

} // namespace platform::samba
