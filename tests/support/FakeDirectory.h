// An in-memory account database behind the network-management interface, for
// the directory layer's tests: it answers whatever server it is asked (the
// server is only recorded), lists in the order accounts were added (so a test
// sees whether the layer keeps the service's order), pages by netapi32's byte
// rule, and records every call so a test can count them and read what was
// sent.
#pragma once

#include "platform/NetworkManagement.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct FakeCall {
    std::string function;
    std::string server;
    uint32_t level = 0;
    std::string target;   // the account, group or domain the call names
};

class FakeDirectory : public platform::NetworkManagement {
public:
    // domain -> controller ("\\DC1"); a domain not listed has none (2453).
    std::map<std::string, std::string> controllers;
    // NetEnumerateTrustedDomains' buffer, NULs included.
    std::string trustBuffer = std::string("ENG\0\0", 5);
    // NetServerEnum: the machines (filtered by type) and the domains.
    std::vector<platform::ServerInfo101> servers;
    std::vector<std::string> domains;
    // NetServerGetInfo: the machines that answer, by name without "\\".
    std::map<std::string, platform::ServerInfo101> machines;

    // Called before each call is answered: a non-zero status is answered
    // instead (and nothing changes).
    std::function<platform::NetStatus(const FakeCall &)> inject;

    std::vector<FakeCall> calls;
    // The level-3 member records of the last NetLocalGroupAdd/DelMembers.
    std::vector<platform::LocalGroupMembersInfo3> lastMemberRecords;

    // --- Fixture ----------------------------------------------------------
    platform::UserInfo3 &addUser(const std::string &name, const std::string &password = {},
                                 uint32_t flags = platform::uf::NormalAccount
                                     | platform::uf::Script);
    void addGlobalGroup(const std::string &name, const std::vector<std::string> &members = {});
    void addLocalGroup(const std::string &name, const std::vector<std::string> &members = {});
    // Null when there is no such account (names compare without case).
    platform::UserInfo3 *user(const std::string &name);
    std::string passwordOf(const std::string &name);
    const platform::GroupInfo1 *globalGroup(const std::string &name) const;
    const platform::GroupInfo1 *localGroup(const std::string &name) const;
    std::vector<std::string> localMembers(const std::string &group) const;
    int count(const std::string &function) const;

    // --- The interface ------------------------------------------------------
    platform::NetStatus NetWkstaUserGetInfo(const std::string &server,
                                            platform::WkstaUserInfo1 &info) override;
    platform::NetStatus NetWkstaGetInfo(const std::string &server,
                                        platform::WkstaInfo102 &info) override;
    platform::NetStatus NetGetDCName(const std::string &server, const std::string &domain,
                                     std::string &dcName) override;
    platform::NetStatus NetEnumerateTrustedDomains(const std::string &server,
                                                   std::string &domainNames) override;
    platform::NetStatus NetUserAdd(const std::string &server, uint32_t level,
                                   const platform::UserInfo3 &info, uint32_t *parmErr) override;
    platform::NetStatus NetUserDel(const std::string &server,
                                   const std::string &userName) override;
    platform::NetStatus NetUserGetInfo(const std::string &server, const std::string &userName,
                                       uint32_t level, platform::UserInfo3 &info) override;
    // The value is kept as given (no check of its length).
    platform::NetStatus UserParametersGet(const std::string &server,
                                          const std::string &userName,
                                          std::vector<uint8_t> &value) override;
    platform::NetStatus UserParametersSet(const std::string &server,
                                          const std::string &userName,
                                          const std::vector<uint8_t> &value) override;
    platform::NetStatus NetUserSetInfo(const std::string &server, const std::string &userName,
                                       uint32_t level, const platform::UserInfo3 &info,
                                       uint32_t *parmErr) override;
    platform::NetStatus NetUserGetGroups(const std::string &server, const std::string &userName,
                                         uint32_t level,
                                         std::vector<platform::GroupUsersInfo0> &buffer,
                                         uint32_t prefMaxLen, uint32_t &entriesRead,
                                         uint32_t &totalEntries) override;
    platform::NetStatus NetUserGetLocalGroups(const std::string &server,
                                              const std::string &userName, uint32_t level,
                                              uint32_t flags,
                                              std::vector<platform::GroupUsersInfo0> &buffer,
                                              uint32_t prefMaxLen, uint32_t &entriesRead,
                                              uint32_t &totalEntries) override;
    platform::NetStatus NetQueryDisplayInformation(
        const std::string &server, uint32_t level, uint32_t index, uint32_t entriesRequested,
        uint32_t prefMaxLen, uint32_t &returnedEntryCount,
        std::vector<platform::NetDisplayRecord> &buffer) override;
    platform::NetStatus NetGroupAdd(const std::string &server, uint32_t level,
                                    const platform::GroupInfo1 &info,
                                    uint32_t *parmErr) override;
    platform::NetStatus NetGroupDel(const std::string &server,
                                    const std::string &groupName) override;
    platform::NetStatus NetGroupGetInfo(const std::string &server, const std::string &groupName,
                                        uint32_t level, platform::GroupInfo1 &info) override;
    platform::NetStatus NetGroupSetInfo(const std::string &server, const std::string &groupName,
                                        uint32_t level, const platform::GroupInfo1 &info,
                                        uint32_t *parmErr) override;
    platform::NetStatus NetGroupEnum(const std::string &server, uint32_t level,
                                     std::vector<platform::GroupInfo1> &buffer,
                                     uint32_t prefMaxLen, uint32_t &entriesRead,
                                     uint32_t &totalEntries, uint32_t &resumeHandle) override;
    platform::NetStatus NetGroupGetUsers(const std::string &server, const std::string &groupName,
                                         uint32_t level,
                                         std::vector<platform::GroupUsersInfo0> &buffer,
                                         uint32_t prefMaxLen, uint32_t &entriesRead,
                                         uint32_t &totalEntries, uint32_t &resumeHandle) override;
    platform::NetStatus NetGroupAddUser(const std::string &server, const std::string &groupName,
                                        const std::string &userName) override;
    platform::NetStatus NetGroupDelUser(const std::string &server, const std::string &groupName,
                                        const std::string &userName) override;
    platform::NetStatus NetLocalGroupAdd(const std::string &server, uint32_t level,
                                         const platform::GroupInfo1 &info,
                                         uint32_t *parmErr) override;
    platform::NetStatus NetLocalGroupDel(const std::string &server,
                                         const std::string &groupName) override;
    platform::NetStatus NetLocalGroupGetInfo(const std::string &server,
                                             const std::string &groupName, uint32_t level,
                                             platform::GroupInfo1 &info) override;
    platform::NetStatus NetLocalGroupSetInfo(const std::string &server,
                                             const std::string &groupName, uint32_t level,
                                             const platform::GroupInfo1 &info,
                                             uint32_t *parmErr) override;
    platform::NetStatus NetLocalGroupEnum(const std::string &server, uint32_t level,
                                          std::vector<platform::GroupInfo1> &buffer,
                                          uint32_t prefMaxLen, uint32_t &entriesRead,
                                          uint32_t &totalEntries,
                                          uint32_t &resumeHandle) override;
    platform::NetStatus NetLocalGroupGetMembers(
        const std::string &server, const std::string &groupName, uint32_t level,
        std::vector<platform::LocalGroupMembersInfo3> &buffer, uint32_t prefMaxLen,
        uint32_t &entriesRead, uint32_t &totalEntries, uint32_t &resumeHandle) override;
    platform::NetStatus NetLocalGroupAddMembers(
        const std::string &server, const std::string &groupName, uint32_t level,
        const std::vector<platform::LocalGroupMembersInfo3> &members) override;
    platform::NetStatus NetLocalGroupDelMembers(
        const std::string &server, const std::string &groupName, uint32_t level,
        const std::vector<platform::LocalGroupMembersInfo3> &members) override;
    platform::NetStatus NetServerEnum(const std::string &server, uint32_t level,
                                      std::vector<platform::ServerInfo101> &buffer,
                                      uint32_t prefMaxLen, uint32_t &entriesRead,
                                      uint32_t &totalEntries, uint32_t serverType,
                                      const std::string &domain,
                                      uint32_t &resumeHandle) override;
    platform::NetStatus NetServerGetInfo(const std::string &server, uint32_t level,
                                         platform::ServerInfo101 &info) override;

private:
    struct Account {
        platform::UserInfo3 info;
        std::string password;
        std::vector<uint8_t> parameters;
    };
    struct Group {
        platform::GroupInfo1 info;
        std::vector<std::string> members;
    };

    platform::NetStatus enter(const std::string &function, const std::string &server,
                              uint32_t level, const std::string &target);
    Account *findAccount(const std::string &name);
    static Group *findGroup(std::vector<Group> &groups, const std::string &name);

    std::vector<Account> m_accounts;
    std::vector<Group> m_globalGroups;
    std::vector<Group> m_localGroups;
    uint32_t m_nextRid = 1000;
};

} // namespace testing_support
