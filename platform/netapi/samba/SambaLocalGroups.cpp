// Local groups (aliases of the account domain and of BUILTIN): NetLocalGroupAdd,
// NetLocalGroupDel, NetLocalGroupGetInfo, NetLocalGroupSetInfo,
// NetLocalGroupEnum, and their members by DOMAIN\name through LSA
// ([MS-SAMR] 3.1.5.8 alias membership, [MS-LSAT] name translation).
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/GroupAccess.h"
#include "platform/netapi/samba/LsaNames.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/UserAccess.h"

#include <QString>

#include <algorithm>

namespace platform::samba {

namespace {

using netapi::Situation;

constexpr uint32_t MaximumAllowed = 0x02000000;
constexpr uint32_t FirstOrdinaryRid = 1000;
// Resume keys: BUILTIN's aliases first, then the account domain's.
constexpr uint32_t AccountDomainKey = 0x40000000;

NetStatus aliasStatus(uint32_t ntStatus)
{
    return toNetStatus(ntStatus, Context::LocalGroup);
}

bool isBuiltIn(const Found &alias)
{
    return alias.domain == Domain::Builtin || alias.rid < FirstOrdinaryRid;
}

NetStatus openNamedAlias(SamrSession &session, const std::string &name, ObjectHandle &alias,
                         Found &found)
{
    if (const NetStatus st = findAlias(session, name, found))
        return st;
    return aliasStatus(openAlias(session, found.domain, found.rid, alias));
}

NetStatus createAlias(SamrSession &session, const LocalGroupInfo1 &info, uint32_t level)
{
    if (const NetStatus taken = nameFree(session, info.name))
        return taken;
    Frame frame;
    const lsa_String name = lsaString(info.name);
    ObjectHandle alias(session);
    uint32_t rid = 0;
    samr_CreateDomAlias create{};
    create.in.domain_handle = session.domain(Domain::Account);
    create.in.alias_name = const_cast<lsa_String *>(&name);
    create.in.access_mask = MaximumAllowed;
    create.out.alias_handle = alias.out();
    create.out.rid = &rid;
    if (const uint32_t st = session.samr(NDR_SAMR_CREATEDOMALIAS, create, frame)) {
        alias.forget();
        return aliasStatus(st);
    }
    if (level == 1 && !info.comment.empty())
        return aliasStatus(setGroupText(session, alias, true, false, info.comment));
    return status::Success;
}

uint32_t aliasInfo(SamrSession &session, ObjectHandle &alias, LocalGroupInfo1 &info)
{
    Frame frame;
    samr_AliasInfo *result = nullptr;
    samr_QueryAliasInfo query{};
    query.in.alias_handle = alias.get();
    query.in.level = ALIASINFOALL;
    query.out.info = &result;
    if (const uint32_t st = session.samr(NDR_SAMR_QUERYALIASINFO, query, frame))
        return st;
    info = LocalGroupInfo1{lsaText(result->all.name), lsaText(result->all.description)};
    return nt::Ok;
}

// The aliases of one domain as (key, record); comments only at level 1.
uint32_t aliasesOf(SamrSession &session, Domain domain, uint32_t level,
                   KeyedRows<LocalGroupInfo1> &rows)
{
    uint32_t resume = 0;
    for (;;) {
        Frame frame;
        samr_SamArray *aliases = nullptr;
        uint32_t count = 0;
        samr_EnumDomainAliases enumerate{};
        enumerate.in.domain_handle = session.domain(domain);
        enumerate.in.max_size = 0xFFFF;
        enumerate.in.resume_handle = &resume;
        enumerate.out.resume_handle = &resume;
        enumerate.out.num_entries = &count;
        enumerate.out.sam = &aliases;
        const uint32_t st = session.samr(NDR_SAMR_ENUMDOMAINALIASES, enumerate, frame);
        if (st != nt::Ok && st != nt::MoreEntries)
            return st;
        for (uint32_t i = 0; aliases && i < aliases->count; ++i) {
            const uint32_t rid = aliases->entries[i].idx;
            LocalGroupInfo1 info{lsaText(aliases->entries[i].name), std::string()};
            ObjectHandle alias(session);
            if (level == 1 && openAlias(session, domain, rid, alias) == nt::Ok)
                aliasInfo(session, alias, info);
            rows.emplace_back(rid | (domain == Domain::Account ? AccountDomainKey : 0), info);
        }
        if (st == nt::Ok || !aliases || aliases->count == 0)
            return nt::Ok;
    }
}

uint32_t aliasMembers(SamrSession &session, ObjectHandle &alias, std::vector<dom_sid> &sids)
{
    Frame frame;
    lsa_SidArray members{};
    samr_GetMembersInAlias query{};
    query.in.alias_handle = alias.get();
    query.out.sids = &members;
    if (const uint32_t st = session.samr(NDR_SAMR_GETMEMBERSINALIAS, query, frame))
        return st;
    sids.clear();
    for (uint32_t i = 0; i < members.num_sids; ++i) {
        if (members.sids[i].sid)
            sids.push_back(*members.sids[i].sid);
    }
    return nt::Ok;
}

// DOMAIN\name of every member, sorted by name; a SID no one can name shows as
// its text.
uint32_t memberNames(SamrSession &session, ObjectHandle &alias, std::vector<std::string> &out)
{
    std::vector<dom_sid> sids;
    if (const uint32_t st = aliasMembers(session, alias, sids))
        return st;
    std::vector<SidName> names;
    if (const uint32_t st = namesOfSids(session, sids, names))
        return st;
    out.clear();
    for (size_t i = 0; i < sids.size(); ++i) {
        const SidName &n = names[i];
        if (n.type == sidtype::Unknown || n.name.empty())
            out.push_back(sidText(sids[i]));
        else
            out.push_back(n.domain.empty() ? n.name : n.domain + "\\" + n.name);
    }
    std::sort(out.begin(), out.end(), [](const std::string &a, const std::string &b) {
        return QString::fromStdString(a).toUpper() < QString::fromStdString(b).toUpper();
    });
    return nt::Ok;
}

// The SIDs of the members named, or the status of the first that cannot be one.
NetStatus memberSids(SamrSession &session, const std::vector<LocalGroupMembersInfo3> &members,
                     std::vector<dom_sid> &sids)
{
    std::vector<std::string> names;
    for (const LocalGroupMembersInfo3 &member : members) {
        const size_t slash = member.domainAndName.find('\\');
        if (slash == 0 || member.domainAndName.empty() || slash + 1 == member.domainAndName.size())
            return netapi::statusFor(Situation::UnknownMember);
        names.push_back(member.domainAndName);
    }
    std::vector<uint32_t> types;
    if (const uint32_t st = sidsOfNames(session, names, sids, types))
        return toNetStatus(st, Context::AliasMember);
    for (uint32_t type : types) {
        if (type == sidtype::Unknown || type == sidtype::Domain)
            return netapi::statusFor(Situation::UnknownMember);
        if (type == sidtype::Alias)
            return netapi::statusFor(Situation::MemberOfWrongKind);
    }
    return status::Success;
}

uint32_t changeAliasMember(SamrSession &session, ObjectHandle &alias, dom_sid &sid, bool add)
{
    Frame frame;
    if (add) {
        samr_AddAliasMember member{};
        member.in.alias_handle = alias.get();
        member.in.sid = &sid;
        return session.samr(NDR_SAMR_ADDALIASMEMBER, member, frame);
    }
    samr_DeleteAliasMember member{};
    member.in.alias_handle = alias.get();
    member.in.sid = &sid;
    return session.samr(NDR_SAMR_DELETEALIASMEMBER, member, frame);
}

// All or nothing: a member that fails undoes the ones changed before it.
NetStatus changeMembers(SamrSession &session, const std::string &groupName,
                        const std::vector<LocalGroupMembersInfo3> &members, bool add)
{
    Found found;
    ObjectHandle alias(session);
    if (const NetStatus st = openNamedAlias(session, groupName, alias, found))
        return st;
    std::vector<dom_sid> sids;
    if (const NetStatus st = memberSids(session, members, sids))
        return st;
    for (size_t i = 0; i < sids.size(); ++i) {
        const uint32_t st = changeAliasMember(session, alias, sids[i], add);
        if (st == nt::Ok)
            continue;
        for (size_t undo = 0; undo < i; ++undo)
            changeAliasMember(session, alias, sids[undo], !add);
        if (st == nt::ObjectNameNotFound)
            return add ? netapi::statusFor(Situation::UnknownMember) : status::MemberNotInAlias;
        return toNetStatus(st, Context::AliasMember);
    }
    return status::Success;
}

// After a lost reply: whether every member named is now in (or out of) the
// local group.
Outcome membersChanged(SamrSession &session, const std::string &groupName,
                       const std::vector<LocalGroupMembersInfo3> &members, bool wantedIn)
{
    Found found;
    ObjectHandle alias(session);
    std::vector<dom_sid> wanted, present;
    if (openNamedAlias(session, groupName, alias, found) != status::Success
        || memberSids(session, members, wanted) != status::Success
        || aliasMembers(session, alias, present) != nt::Ok)
        return Outcome::Unknown;
    for (const dom_sid &sid : wanted) {
        const bool in = std::any_of(present.begin(), present.end(),
                                    [&](const dom_sid &p) { return sameSid(p, sid); });
        if (in != wantedIn)
            return Outcome::NotDone;
    }
    return Outcome::Done;
}

Outcome aliasPresence(SamrSession &session, const std::string &name, bool wantedPresent)
{
    Found found;
    return presence(findAlias(session, name, found), status::GroupNotFound, wantedPresent);
}

} // namespace

NetStatus SambaNetworkManagement::NetLocalGroupAdd(const std::string &server, uint32_t level,
                                                   const LocalGroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    if (const NetStatus bad = netapi::checkAccountName(info.name, netapi::NameKind::LocalGroup))
        return bad;
    return m_connections->write(
        server, [&](SamrSession &session) { return createAlias(session, info, level); },
        [&](SamrSession &session) { return aliasPresence(session, info.name, true); });
}

NetStatus SambaNetworkManagement::NetLocalGroupDel(const std::string &server,
                                                   const std::string &groupName)
{
    if (const NetStatus st = ready())
        return st;
    auto gone = [&](SamrSession &session) { return aliasPresence(session, groupName, false); };
    return m_connections->write(server, [&](SamrSession &session) {
        Found found;
        ObjectHandle alias(session);
        if (const NetStatus st = openNamedAlias(session, groupName, alias, found))
            return st;
        if (isBuiltIn(found))
            return netapi::statusFor(Situation::BuiltInGroup);
        Frame frame;
        samr_DeleteDomAlias remove{};
        remove.in.alias_handle = alias.get();
        remove.out.alias_handle = alias.get();
        const uint32_t st = session.samr(NDR_SAMR_DELETEDOMALIAS, remove, frame);
        if (st == nt::Ok)
            alias.forget();
        return aliasStatus(st);
    }, gone);
}

NetStatus SambaNetworkManagement::NetLocalGroupGetInfo(const std::string &server,
                                                       const std::string &groupName,
                                                       uint32_t level, LocalGroupInfo1 &info)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        Found found;
        ObjectHandle alias(session);
        if (const NetStatus st = openNamedAlias(session, groupName, alias, found))
            return st;
        if (const uint32_t st = aliasInfo(session, alias, info))
            return aliasStatus(st);
        if (level == 0)
            info.comment.clear();
        return status::Success;
    });
}

NetStatus SambaNetworkManagement::NetLocalGroupSetInfo(const std::string &server,
                                                       const std::string &groupName,
                                                       uint32_t level,
                                                       const LocalGroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        Found found;
        ObjectHandle alias(session);
        if (const NetStatus st = openNamedAlias(session, groupName, alias, found))
            return st;
        if (level == 1)
            return aliasStatus(setGroupText(session, alias, true, false, info.comment));
        if (isBuiltIn(found))
            return netapi::statusFor(Situation::BuiltInGroup);
        if (const NetStatus bad =
                renameAllowed(session, groupName, info.name, netapi::NameKind::LocalGroup))
            return bad;
        return aliasStatus(setGroupText(session, alias, true, true, info.name));
    });
}

NetStatus SambaNetworkManagement::NetLocalGroupEnum(const std::string &server, uint32_t level,
                                                    std::vector<LocalGroupInfo1> &buffer,
                                                    uint32_t prefMaxLen, uint32_t &entriesRead,
                                                    uint32_t &totalEntries,
                                                    uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        KeyedRows<LocalGroupInfo1> rows;
        for (Domain domain : {Domain::Builtin, Domain::Account}) {
            if (const uint32_t st = aliasesOf(session, domain, level, rows))
                return aliasStatus(st);
        }
        std::sort(rows.begin(), rows.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        auto bytes = [level](const LocalGroupInfo1 &g) {
            return netapi::groupInfoBytes(g, level);
        };
        return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
    });
}

NetStatus SambaNetworkManagement::NetLocalGroupGetMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    std::vector<LocalGroupMembersInfo3> &buffer, uint32_t prefMaxLen, uint32_t &entriesRead,
    uint32_t &totalEntries, uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        Found found;
        ObjectHandle alias(session);
        if (const NetStatus st = openNamedAlias(session, groupName, alias, found))
            return st;
        std::vector<std::string> names;
        if (const uint32_t st = memberNames(session, alias, names))
            return aliasStatus(st);
        KeyedRows<LocalGroupMembersInfo3> rows;
        for (size_t i = 0; i < names.size(); ++i)
            rows.emplace_back(uint32_t(i + 1), LocalGroupMembersInfo3{names[i]});
        auto bytes = [](const LocalGroupMembersInfo3 &m) {
            return netapi::nameRecordBytes(m.domainAndName);
        };
        return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
    });
}

NetStatus SambaNetworkManagement::NetLocalGroupAddMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<LocalGroupMembersInfo3> &members)
{
    if (!levelOffered(level, {3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->write(
        server,
        [&](SamrSession &session) { return changeMembers(session, groupName, members, true); },
        [&](SamrSession &session) {
            return membersChanged(session, groupName, members, true);
        });
}

NetStatus SambaNetworkManagement::NetLocalGroupDelMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<LocalGroupMembersInfo3> &members)
{
    if (!levelOffered(level, {3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->write(
        server,
        [&](SamrSession &session) { return changeMembers(session, groupName, members, false); },
        [&](SamrSession &session) {
            return membersChanged(session, groupName, members, false);
        });
}

} // namespace platform::samba
