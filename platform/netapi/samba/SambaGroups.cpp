// Global groups: NetGroupAdd, NetGroupDel, NetGroupGetInfo, NetGroupSetInfo,
// NetGroupEnum, NetGroupGetUsers, NetGroupAddUser, NetGroupDelUser.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/GroupAccess.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/UserAccess.h"

#include <algorithm>

namespace platform::samba {

namespace {

using netapi::Situation;

constexpr uint32_t MaximumAllowed = 0x02000000;
constexpr uint32_t FirstOrdinaryRid = 1000;
// SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED
constexpr uint32_t MemberAttributes = 7;

NetStatus groupStatus(uint32_t ntStatus)
{
    if (ntStatus == nt::MembersPrimaryGroup)
        return netapi::statusFor(Situation::PrimaryGroupMember);
    return toNetStatus(ntStatus, Context::Group);
}

NetStatus createGroup(SamrSession &session, const GroupInfo1 &info, uint32_t level)
{
    if (const NetStatus taken = nameFree(session, info.name))
        return taken;
    Frame frame;
    const lsa_String name = lsaString(info.name);
    ObjectHandle group(session);
    uint32_t rid = 0;
    samr_CreateDomainGroup create{};
    create.in.domain_handle = session.domain(Domain::Account);
    create.in.name = const_cast<lsa_String *>(&name);
    create.in.access_mask = MaximumAllowed;
    create.out.group_handle = group.out();
    create.out.rid = &rid;
    if (const uint32_t st = session.samr(NDR_SAMR_CREATEDOMAINGROUP, create, frame)) {
        group.forget();
        return groupStatus(st);
    }
    if (level == 1 && !info.comment.empty())
        return groupStatus(setGroupText(session, group, false, false, info.comment));
    return status::Success;
}

NetStatus openNamedGroup(SamrSession &session, const std::string &name, ObjectHandle &group,
                         uint32_t &rid)
{
    if (const NetStatus st = findGroup(session, name, rid))
        return st;
    return groupStatus(openGroup(session, rid, group));
}

NetStatus renameGroup(SamrSession &session, ObjectHandle &group, uint32_t rid,
                      const std::string &oldName, const std::string &newName)
{
    if (rid < FirstOrdinaryRid)
        return netapi::statusFor(Situation::BuiltInGroup);
    if (const NetStatus bad =
            renameAllowed(session, oldName, newName, netapi::NameKind::Group))
        return bad;
    return groupStatus(setGroupText(session, group, false, true, newName));
}

// Every global group with its description, by RID, from the display
// information of [MS-SAMR] 3.1.5.3.3 (one call for a whole domain's groups).
uint32_t allGroups(SamrSession &session, KeyedRows<GroupInfo1> &rows)
{
    rows.clear();
    uint32_t start = 0;
    for (;;) {
        Frame frame;
        uint32_t total = 0, returned = 0;
        samr_DispInfo info{};
        samr_QueryDisplayInfo query{};
        query.in.domain_handle = session.domain(Domain::Account);
        query.in.level = 3;
        query.in.start_idx = start;
        query.in.max_entries = 0xFFFF;
        query.in.buf_size = 0xFFFFFF;
        query.out.total_size = &total;
        query.out.returned_size = &returned;
        query.out.info = &info;
        const uint32_t st = session.samr(NDR_SAMR_QUERYDISPLAYINFO, query, frame);
        if (st != nt::Ok && st != nt::MoreEntries)
            return st;
        const samr_DispInfoFullGroups &groups = info.info3;
        for (uint32_t i = 0; i < groups.count; ++i) {
            const samr_DispEntryFullGroup &g = groups.entries[i];
            rows.emplace_back(g.rid, GroupInfo1{lsaText(g.account_name),
                                                lsaText(g.description)});
        }
        start += groups.count;
        if (st == nt::Ok || groups.count == 0)
            break;
    }
    std::sort(rows.begin(), rows.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    return nt::Ok;
}

NetStatus changeMember(SamrSession &session, const std::string &groupName,
                       const std::string &userName, bool add)
{
    uint32_t groupRid = 0, userRid = 0;
    ObjectHandle group(session);
    if (const NetStatus st = openNamedGroup(session, groupName, group, groupRid))
        return st;
    if (const NetStatus st = findUser(session, userName, userRid))
        return st;
    Frame frame;
    uint32_t st = nt::Ok;
    if (add) {
        samr_AddGroupMember member{};
        member.in.group_handle = group.get();
        member.in.rid = userRid;
        member.in.flags = MemberAttributes;
        st = session.samr(NDR_SAMR_ADDGROUPMEMBER, member, frame);
    } else {
        samr_DeleteGroupMember member{};
        member.in.group_handle = group.get();
        member.in.rid = userRid;
        st = session.samr(NDR_SAMR_DELETEGROUPMEMBER, member, frame);
    }
    if (st == nt::MembersPrimaryGroup)
        return netapi::statusFor(Situation::PrimaryGroupMember);
    return toNetStatus(st, Context::GroupMember);
}

// After a lost reply: whether the user is now in (or out of) the group.
Outcome membership(SamrSession &session, const std::string &groupName,
                   const std::string &userName, bool wantedIn)
{
    uint32_t groupRid = 0, userRid = 0;
    ObjectHandle group(session);
    std::vector<uint32_t> rids;
    if (openNamedGroup(session, groupName, group, groupRid) != status::Success
        || findUser(session, userName, userRid) != status::Success
        || groupMembers(session, group, rids) != nt::Ok)
        return Outcome::Unknown;
    const bool in = std::find(rids.begin(), rids.end(), userRid) != rids.end();
    return in == wantedIn ? Outcome::Done : Outcome::NotDone;
}

} // namespace

NetStatus SambaNetworkManagement::NetGroupAdd(const std::string &server, uint32_t level,
                                              const GroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    if (const NetStatus bad = netapi::checkAccountName(info.name, netapi::NameKind::Group))
        return bad;
    m_display->forget(server);
    return m_connections->write(
        server, [&](SamrSession &session) { return createGroup(session, info, level); },
        [&](SamrSession &session) {
            uint32_t rid = 0;
            return presence(findGroup(session, info.name, rid), status::GroupNotFound, true);
        });
}

NetStatus SambaNetworkManagement::NetGroupDel(const std::string &server,
                                              const std::string &groupName)
{
    if (const NetStatus st = ready())
        return st;
    m_display->forget(server);
    auto gone = [&](SamrSession &session) {
        uint32_t rid = 0;
        return presence(findGroup(session, groupName, rid), status::GroupNotFound, false);
    };
    return m_connections->write(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        ObjectHandle group(session);
        if (const NetStatus st = openNamedGroup(session, groupName, group, rid))
            return st;
        if (rid < FirstOrdinaryRid)
            return netapi::statusFor(Situation::BuiltInGroup);
        Frame frame;
        samr_DeleteDomainGroup remove{};
        remove.in.group_handle = group.get();
        remove.out.group_handle = group.get();
        const uint32_t st = session.samr(NDR_SAMR_DELETEDOMAINGROUP, remove, frame);
        if (st == nt::Ok)
            group.forget();
        return groupStatus(st);
    }, gone);
}

NetStatus SambaNetworkManagement::NetGroupGetInfo(const std::string &server,
                                                  const std::string &groupName, uint32_t level,
                                                  GroupInfo1 &info)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        ObjectHandle group(session);
        if (const NetStatus st = openNamedGroup(session, groupName, group, rid))
            return st;
        Frame frame;
        samr_GroupInfo *result = nullptr;
        samr_QueryGroupInfo query{};
        query.in.group_handle = group.get();
        query.in.level = GROUPINFOALL;
        query.out.info = &result;
        if (const uint32_t st = session.samr(NDR_SAMR_QUERYGROUPINFO, query, frame))
            return groupStatus(st);
        info = GroupInfo1{lsaText(result->all.name),
                          level == 1 ? lsaText(result->all.description) : std::string()};
        return status::Success;
    });
}

NetStatus SambaNetworkManagement::NetGroupSetInfo(const std::string &server,
                                                  const std::string &groupName, uint32_t level,
                                                  const GroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    m_display->forget(server);
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        ObjectHandle group(session);
        if (const NetStatus st = openNamedGroup(session, groupName, group, rid))
            return st;
        if (level == 0)
            return renameGroup(session, group, rid, groupName, info.name);
        return groupStatus(setGroupText(session, group, false, false, info.comment));
    });
}

NetStatus SambaNetworkManagement::NetGroupEnum(const std::string &server, uint32_t level,
                                               std::vector<GroupInfo1> &buffer,
                                               uint32_t prefMaxLen, uint32_t &entriesRead,
                                               uint32_t &totalEntries, uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        KeyedRows<GroupInfo1> rows;
        if (const uint32_t st = allGroups(session, rows))
            return groupStatus(st);
        if (level == 0) {
            for (auto &row : rows)
                row.second.comment.clear();
        }
        auto bytes = [level](const GroupInfo1 &g) { return netapi::groupInfoBytes(g, level); };
        return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
    });
}

NetStatus SambaNetworkManagement::NetGroupGetUsers(const std::string &server,
                                                   const std::string &groupName, uint32_t level,
                                                   std::vector<GroupUsersInfo0> &buffer,
                                                   uint32_t prefMaxLen, uint32_t &entriesRead,
                                                   uint32_t &totalEntries,
                                                   uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        ObjectHandle group(session);
        if (const NetStatus st = openNamedGroup(session, groupName, group, rid))
            return st;
        std::vector<uint32_t> rids;
        if (const uint32_t st = groupMembers(session, group, rids))
            return groupStatus(st);
        std::sort(rids.begin(), rids.end());
        std::vector<std::string> names;
        std::vector<uint32_t> types;
        if (const uint32_t st = lookupRids(session, Domain::Account, rids, names, types))
            return groupStatus(st);
        KeyedRows<GroupUsersInfo0> rows;
        for (size_t i = 0; i < rids.size(); ++i) {
            if (!names[i].empty())
                rows.emplace_back(rids[i], GroupUsersInfo0{names[i]});
        }
        auto bytes = [](const GroupUsersInfo0 &u) { return netapi::nameRecordBytes(u.name); };
        return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
    });
}

NetStatus SambaNetworkManagement::NetGroupAddUser(const std::string &server,
                                                  const std::string &groupName,
                                                  const std::string &userName)
{
    if (const NetStatus st = ready())
        return st;
    return m_connections->write(
        server,
        [&](SamrSession &session) { return changeMember(session, groupName, userName, true); },
        [&](SamrSession &session) { return membership(session, groupName, userName, true); });
}

NetStatus SambaNetworkManagement::NetGroupDelUser(const std::string &server,
                                                  const std::string &groupName,
                                                  const std::string &userName)
{
    if (const NetStatus st = ready())
        return st;
    return m_connections->write(
        server,
        [&](SamrSession &session) { return changeMember(session, groupName, userName, false); },
        [&](SamrSession &session) { return membership(session, groupName, userName, false); });
}

} // namespace platform::samba
