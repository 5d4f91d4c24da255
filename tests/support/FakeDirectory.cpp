#include "FakeDirectory.h"

#include "platform/netapi/BufferRules.h"

#include <QString>
#include <algorithm>

namespace testing_support {

namespace {

using platform::NetStatus;
namespace status = platform::status;
namespace uf = platform::uf;

bool sameName(const std::string &a, const std::string &b)
{
    return QString::fromStdString(a).toUpper() == QString::fromStdString(b).toUpper();
}

// One page of `all` from position `resume` on, by the byte rule.
template <typename Record, typename Bytes>
NetStatus page(const std::vector<Record> &all, Bytes bytes, uint32_t prefMaxLen,
               std::vector<Record> &buffer, uint32_t &entriesRead, uint32_t &totalEntries,
               uint32_t &resumeHandle)
{
    buffer.clear();
    platform::netapi::PageBudget budget(prefMaxLen);
    const size_t start = std::min<size_t>(resumeHandle, all.size());
    for (size_t i = start; i < all.size() && budget.admit(bytes(all[i])); ++i)
        buffer.push_back(all[i]);
    entriesRead = uint32_t(buffer.size());
    totalEntries = uint32_t(all.size() - start);
    resumeHandle = uint32_t(start + buffer.size());
    return buffer.size() < totalEntries ? status::MoreData : status::Success;
}

bool isMachineAccount(const platform::UserInfo3 &info)
{
    return info.flags & (uf::WorkstationTrustAccount | uf::ServerTrustAccount);
}

} // namespace

NetStatus FakeDirectory::enter(const std::string &function, const std::string &server,
                               uint32_t level, const std::string &target)
{
    calls.push_back({function, server, level, target});
    return inject ? inject(calls.back()) : status::Success;
}

int FakeDirectory::count(const std::string &function) const
{
    return int(std::count_if(calls.begin(), calls.end(),
                             [&](const FakeCall &call) { return call.function == function; }));
}

platform::UserInfo3 &FakeDirectory::addUser(const std::string &name, const std::string &password,
                                            uint32_t flags)
{
    Account account;
    account.info.name = name;
    account.info.flags = flags;
    account.info.userId = m_nextRid++;
    account.password = password;
    m_accounts.push_back(account);
    return m_accounts.back().info;
}

void FakeDirectory::addGlobalGroup(const std::string &name,
                                   const std::vector<std::string> &members)
{
    m_globalGroups.push_back({{name, {}}, members});
}

void FakeDirectory::addLocalGroup(const std::string &name, const std::vector<std::string> &members)
{
    m_localGroups.push_back({{name, {}}, members});
}

FakeDirectory::Account *FakeDirectory::findAccount(const std::string &name)
{
    for (Account &account : m_accounts) {
        if (sameName(account.info.name, name))
            return &account;
    }
    return nullptr;
}

FakeDirectory::Group *FakeDirectory::findGroup(std::vector<Group> &groups,
                                               const std::string &name)
{
    for (Group &group : groups) {
        if (sameName(group.info.name, name))
            return &group;
    }
    return nullptr;
}

platform::UserInfo3 *FakeDirectory::user(const std::string &name)
{
    Account *account = findAccount(name);
    return account ? &account->info : nullptr;
}

std::string FakeDirectory::passwordOf(const std::string &name)
{
    Account *account = findAccount(name);
    return account ? account->password : std::string();
}

const platform::GroupInfo1 *FakeDirectory::globalGroup(const std::string &name) const
{
    auto *group = findGroup(const_cast<std::vector<Group> &>(m_globalGroups), name);
    return group ? &group->info : nullptr;
}

const platform::GroupInfo1 *FakeDirectory::localGroup(const std::string &name) const
{
    auto *group = findGroup(const_cast<std::vector<Group> &>(m_localGroups), name);
    return group ? &group->info : nullptr;
}

std::vector<std::string> FakeDirectory::localMembers(const std::string &name) const
{
    auto *group = findGroup(const_cast<std::vector<Group> &>(m_localGroups), name);
    return group ? group->members : std::vector<std::string>();
}

// --- Identity and domains ---------------------------------------------------

NetStatus FakeDirectory::NetWkstaUserGetInfo(const std::string &server,
                                             platform::WkstaUserInfo1 &info)
{
    if (NetStatus s = enter("NetWkstaUserGetInfo", server, 1, {}))
        return s;
    info = {"operator", "SALES", "", "\\\\DC1"};
    return status::Success;
}

NetStatus FakeDirectory::NetWkstaGetInfo(const std::string &server, platform::WkstaInfo102 &info)
{
    if (NetStatus s = enter("NetWkstaGetInfo", server, 102, {}))
        return s;
    info = {500, "WS-TEST", "SALES", 5, 0, "", 1};
    return status::Success;
}

NetStatus FakeDirectory::NetGetDCName(const std::string &server, const std::string &domain,
                                      std::string &dcName)
{
    if (NetStatus s = enter("NetGetDCName", server, 0, domain))
        return s;
    auto found = controllers.find(domain);
    if (found == controllers.end())
        return status::DCNotFound;
    dcName = found->second;
    return status::Success;
}

NetStatus FakeDirectory::NetEnumerateTrustedDomains(const std::string &server,
                                                    std::string &domainNames)
{
    if (NetStatus s = enter("NetEnumerateTrustedDomains", server, 0, {}))
        return s;
    domainNames = trustBuffer;
    return status::Success;
}

// --- Users ------------------------------------------------------------------

NetStatus FakeDirectory::NetUserAdd(const std::string &server, uint32_t level,
                                    const platform::UserInfo3 &info, uint32_t *)
{
    if (NetStatus s = enter("NetUserAdd", server, level, info.name))
        return s;
    if (findAccount(info.name))
        return status::UserExists;
    platform::UserInfo3 &added = addUser(info.name, info.password, info.flags);
    const uint32_t rid = added.userId;
    added = info;
    added.password.clear();
    added.userId = rid;
    m_accounts.back().password = info.password;
    return status::Success;
}

NetStatus FakeDirectory::NetUserDel(const std::string &server, const std::string &userName)
{
    if (NetStatus s = enter("NetUserDel", server, 0, userName))
        return s;
    auto found = std::find_if(m_accounts.begin(), m_accounts.end(), [&](const Account &a) {
        return sameName(a.info.name, userName);
    });
    if (found == m_accounts.end())
        return status::UserNotFound;
    m_accounts.erase(found);
    return status::Success;
}

NetStatus FakeDirectory::NetUserGetInfo(const std::string &server, const std::string &userName,
                                        uint32_t level, platform::UserInfo3 &info)
{
    if (NetStatus s = enter("NetUserGetInfo", server, level, userName))
        return s;
    Account *account = findAccount(userName);
    if (!account)
        return status::UserNotFound;
    info = account->info;
    return status::Success;
}

NetStatus FakeDirectory::UserParametersGet(const std::string &server,
                                           const std::string &userName,
                                           std::vector<uint8_t> &value)
{
    if (NetStatus s = enter("UserParametersGet", server, 20, userName))
        return s;
    Account *account = findAccount(userName);
    if (!account)
        return status::UserNotFound;
    value = account->parameters;
    return status::Success;
}

NetStatus FakeDirectory::UserParametersSet(const std::string &server,
                                           const std::string &userName,
                                           const std::vector<uint8_t> &value)
{
    if (NetStatus s = enter("UserParametersSet", server, 20, userName))
        return s;
    Account *account = findAccount(userName);
    if (!account)
        return status::UserNotFound;
    account->parameters = value;
    return status::Success;
}

NetStatus FakeDirectory::NetUserSetInfo(const std::string &server, const std::string &userName,
                                        uint32_t level, const platform::UserInfo3 &info,
                                        uint32_t *)
{
    if (NetStatus s = enter("NetUserSetInfo", server, level, userName))
        return s;
    Account *account = findAccount(userName);
    if (!account)
        return status::UserNotFound;
    if (level == 0) {
        if (findAccount(info.name))
            return status::UserExists;
        account->info.name = info.name;
        return status::Success;
    }
    const std::string name = account->info.name;
    const uint32_t rid = account->info.userId;
    account->info = info;
    account->info.name = name;
    account->info.userId = rid;
    account->info.password.clear();
    if (!info.password.empty())
        account->password = info.password;
    return status::Success;
}

NetStatus FakeDirectory::NetUserGetGroups(const std::string &server, const std::string &userName,
                                          uint32_t level,
                                          std::vector<platform::GroupUsersInfo0> &buffer,
                                          uint32_t prefMaxLen, uint32_t &entriesRead,
                                          uint32_t &totalEntries)
{
    if (NetStatus s = enter("NetUserGetGroups", server, level, userName))
        return s;
    std::vector<platform::GroupUsersInfo0> all;
    for (const Group &group : m_globalGroups) {
        for (const std::string &member : group.members) {
            if (sameName(member, userName))
                all.push_back({group.info.name});
        }
    }
    uint32_t resume = 0;
    return page(all, [](const auto &r) { return platform::netapi::nameRecordBytes(r.name); },
                prefMaxLen, buffer, entriesRead, totalEntries, resume);
}

NetStatus FakeDirectory::NetUserGetLocalGroups(const std::string &server,
                                               const std::string &userName, uint32_t level,
                                               uint32_t flags,
                                               std::vector<platform::GroupUsersInfo0> &buffer,
                                               uint32_t prefMaxLen, uint32_t &entriesRead,
                                               uint32_t &totalEntries)
{
    if (NetStatus s = enter("NetUserGetLocalGroups", server, level | flags << 8, userName))
        return s;
    std::vector<platform::GroupUsersInfo0> all;
    for (const Group &group : m_localGroups) {
        for (const std::string &member : group.members) {
            if (sameName(member, userName))
                all.push_back({group.info.name});
        }
    }
    uint32_t resume = 0;
    return page(all, [](const auto &r) { return platform::netapi::nameRecordBytes(r.name); },
                prefMaxLen, buffer, entriesRead, totalEntries, resume);
}

NetStatus FakeDirectory::NetQueryDisplayInformation(
    const std::string &server, uint32_t level, uint32_t index, uint32_t entriesRequested,
    uint32_t prefMaxLen, uint32_t &returnedEntryCount,
    std::vector<platform::NetDisplayRecord> &buffer)
{
    buffer.clear();
    returnedEntryCount = 0;
    if (NetStatus s = enter("NetQueryDisplayInformation", server, level, std::to_string(index)))
        return s;
    // The index is 1-based position of the last record read (0: the start).
    std::vector<platform::NetDisplayRecord> all;
    for (size_t i = 0; i < m_accounts.size(); ++i) {
        const platform::UserInfo3 &info = m_accounts[i].info;
        if (isMachineAccount(info) != (level == 2))
            continue;
        all.push_back({info.name, info.comment, info.flags, info.fullName, info.userId, 0,
                       uint32_t(i + 1)});
    }
    const uint32_t most = std::min(entriesRequested, platform::DisplayEntriesPerCall);
    platform::netapi::PageBudget budget(prefMaxLen);
    size_t remaining = 0;
    bool full = false;
    for (const auto &record : all) {
        if (record.nextIndex <= index)
            continue;
        ++remaining;
        full = full || buffer.size() == most
            || !budget.admit(platform::netapi::displayRecordBytes(record, level));
        if (!full)
            buffer.push_back(record);
    }
    returnedEntryCount = uint32_t(buffer.size());
    return buffer.size() < remaining ? status::MoreData : status::Success;
}

// --- Global groups ------------------------------------------------------------

NetStatus FakeDirectory::NetGroupAdd(const std::string &server, uint32_t level,
                                     const platform::GroupInfo1 &info, uint32_t *)
{
    if (NetStatus s = enter("NetGroupAdd", server, level, info.name))
        return s;
    if (findGroup(m_globalGroups, info.name))
        return status::GroupExists;
    m_globalGroups.push_back({info, {}});
    return status::Success;
}

NetStatus FakeDirectory::NetGroupDel(const std::string &server, const std::string &groupName)
{
    if (NetStatus s = enter("NetGroupDel", server, 0, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    m_globalGroups.erase(m_globalGroups.begin() + (group - m_globalGroups.data()));
    return status::Success;
}

NetStatus FakeDirectory::NetGroupGetInfo(const std::string &server, const std::string &groupName,
                                         uint32_t level, platform::GroupInfo1 &info)
{
    if (NetStatus s = enter("NetGroupGetInfo", server, level, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    info = group->info;
    return status::Success;
}

NetStatus FakeDirectory::NetGroupSetInfo(const std::string &server, const std::string &groupName,
                                         uint32_t level, const platform::GroupInfo1 &info,
                                         uint32_t *)
{
    if (NetStatus s = enter("NetGroupSetInfo", server, level, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    if (level == 0)
        group->info.name = info.name;
    else
        group->info.comment = info.comment;
    return status::Success;
}

NetStatus FakeDirectory::NetGroupEnum(const std::string &server, uint32_t level,
                                      std::vector<platform::GroupInfo1> &buffer,
                                      uint32_t prefMaxLen, uint32_t &entriesRead,
                                      uint32_t &totalEntries, uint32_t &resumeHandle)
{
    if (NetStatus s = enter("NetGroupEnum", server, level, std::to_string(resumeHandle)))
        return s;
    std::vector<platform::GroupInfo1> all;
    for (const Group &group : m_globalGroups)
        all.push_back(group.info);
    return page(all, [&](const auto &r) { return platform::netapi::groupInfoBytes(r, level); },
                prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus FakeDirectory::NetGroupGetUsers(const std::string &server, const std::string &groupName,
                                          uint32_t level,
                                          std::vector<platform::GroupUsersInfo0> &buffer,
                                          uint32_t prefMaxLen, uint32_t &entriesRead,
                                          uint32_t &totalEntries, uint32_t &resumeHandle)
{
    if (NetStatus s = enter("NetGroupGetUsers", server, level, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    std::vector<platform::GroupUsersInfo0> all;
    for (const std::string &member : group->members)
        all.push_back({member});
    return page(all, [](const auto &r) { return platform::netapi::nameRecordBytes(r.name); },
                prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus FakeDirectory::NetGroupAddUser(const std::string &server, const std::string &groupName,
                                         const std::string &userName)
{
    if (NetStatus s = enter("NetGroupAddUser", server, 0, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    for (const std::string &member : group->members) {
        if (sameName(member, userName))
            return status::UserInGroup;
    }
    group->members.push_back(userName);
    return status::Success;
}

NetStatus FakeDirectory::NetGroupDelUser(const std::string &server, const std::string &groupName,
                                         const std::string &userName)
{
    if (NetStatus s = enter("NetGroupDelUser", server, 0, groupName))
        return s;
    Group *group = findGroup(m_globalGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    auto &members = group->members;
    auto found = std::find_if(members.begin(), members.end(),
                              [&](const std::string &m) { return sameName(m, userName); });
    if (found == members.end())
        return status::UserNotInGroup;
    members.erase(found);
    return status::Success;
}

// --- Local groups -------------------------------------------------------------

NetStatus FakeDirectory::NetLocalGroupAdd(const std::string &server, uint32_t level,
                                          const platform::GroupInfo1 &info, uint32_t *)
{
    if (NetStatus s = enter("NetLocalGroupAdd", server, level, info.name))
        return s;
    if (findGroup(m_localGroups, info.name))
        return status::AliasExists;
    m_localGroups.push_back({info, {}});
    return status::Success;
}

NetStatus FakeDirectory::NetLocalGroupDel(const std::string &server,
                                          const std::string &groupName)
{
    if (NetStatus s = enter("NetLocalGroupDel", server, 0, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    m_localGroups.erase(m_localGroups.begin() + (group - m_localGroups.data()));
    return status::Success;
}

NetStatus FakeDirectory::NetLocalGroupGetInfo(const std::string &server,
                                              const std::string &groupName, uint32_t level,
                                              platform::GroupInfo1 &info)
{
    if (NetStatus s = enter("NetLocalGroupGetInfo", server, level, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    info = group->info;
    return status::Success;
}

NetStatus FakeDirectory::NetLocalGroupSetInfo(const std::string &server,
                                              const std::string &groupName, uint32_t level,
                                              const platform::GroupInfo1 &info, uint32_t *)
{
    if (NetStatus s = enter("NetLocalGroupSetInfo", server, level, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    if (level == 0)
        group->info.name = info.name;
    else
        group->info.comment = info.comment;
    return status::Success;
}

NetStatus FakeDirectory::NetLocalGroupEnum(const std::string &server, uint32_t level,
                                           std::vector<platform::GroupInfo1> &buffer,
                                           uint32_t prefMaxLen, uint32_t &entriesRead,
                                           uint32_t &totalEntries, uint32_t &resumeHandle)
{
    if (NetStatus s = enter("NetLocalGroupEnum", server, level, std::to_string(resumeHandle)))
        return s;
    std::vector<platform::GroupInfo1> all;
    for (const Group &group : m_localGroups)
        all.push_back(group.info);
    return page(all, [&](const auto &r) { return platform::netapi::groupInfoBytes(r, level); },
                prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus FakeDirectory::NetLocalGroupGetMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    std::vector<platform::LocalGroupMembersInfo3> &buffer, uint32_t prefMaxLen,
    uint32_t &entriesRead, uint32_t &totalEntries, uint32_t &resumeHandle)
{
    if (NetStatus s = enter("NetLocalGroupGetMembers", server, level, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    std::vector<platform::LocalGroupMembersInfo3> all;
    for (const std::string &member : group->members)
        all.push_back({member});
    return page(all,
                [](const auto &r) { return platform::netapi::nameRecordBytes(r.domainAndName); },
                prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus FakeDirectory::NetLocalGroupAddMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<platform::LocalGroupMembersInfo3> &members)
{
    lastMemberRecords = members;
    if (NetStatus s = enter("NetLocalGroupAddMembers", server, level, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    for (const auto &member : members) {
        for (const std::string &present : group->members) {
            if (sameName(present, member.domainAndName))
                return status::MemberInAlias;
        }
    }
    for (const auto &member : members)
        group->members.push_back(member.domainAndName);
    return status::Success;
}

NetStatus FakeDirectory::NetLocalGroupDelMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<platform::LocalGroupMembersInfo3> &members)
{
    lastMemberRecords = members;
    if (NetStatus s = enter("NetLocalGroupDelMembers", server, level, groupName))
        return s;
    Group *group = findGroup(m_localGroups, groupName);
    if (!group)
        return status::GroupNotFound;
    for (const auto &member : members) {
        auto &list = group->members;
        auto found = std::find_if(list.begin(), list.end(), [&](const std::string &m) {
            return sameName(m, member.domainAndName);
        });
        if (found == list.end())
            return status::MemberNotInAlias;
        list.erase(found);
    }
    return status::Success;
}

// --- Servers ------------------------------------------------------------------

NetStatus FakeDirectory::NetServerEnum(const std::string &server, uint32_t level,
                                       std::vector<platform::ServerInfo101> &buffer,
                                       uint32_t prefMaxLen, uint32_t &entriesRead,
                                       uint32_t &totalEntries, uint32_t serverType,
                                       const std::string &domain, uint32_t &resumeHandle)
{
    const std::string target = domain + "/" + std::to_string(serverType);
    if (NetStatus s = enter("NetServerEnum", server, level, target))
        return s;
    std::vector<platform::ServerInfo101> all;
    if (serverType == platform::svtype::DomainEnum) {
        for (const std::string &name : domains)
            all.push_back({platform::PlatformIdNt, name, 0, 0, platform::svtype::DomainEnum, ""});
    } else {
        for (const auto &info : servers) {
            if (info.type & serverType)
                all.push_back(info);
        }
    }
    return page(all, [&](const auto &r) { return platform::netapi::serverInfoBytes(r, level); },
                prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus FakeDirectory::NetServerGetInfo(const std::string &server, uint32_t level,
                                          platform::ServerInfo101 &info)
{
    if (NetStatus s = enter("NetServerGetInfo", server, level, server))
        return s;
    std::string name = server;
    if (name.rfind("\\\\", 0) == 0)
        name = name.substr(2);
    auto found = machines.find(name);
    if (found == machines.end())
        return status::BadNetPath;
    info = found->second;
    return status::Success;
}

} // namespace testing_support
