// A user's groups: NetUserGetGroups (global groups, primary group included)
// and NetUserGetLocalGroups (local groups of the account domain and BUILTIN,
// for a user of this domain or DOMAIN\name of a trusted one), through
// [MS-SAMR] 3.1.5.9.1 GetGroupsForUser and 3.1.5.9.2 GetAliasMembership.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/LsaNames.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/UserAccess.h"

#include <algorithm>

namespace platform::samba {

namespace {

auto nameBytes = [](const GroupUsersInfo0 &g) { return netapi::nameRecordBytes(g.name); };

// The names of RIDs of one domain, in RID order, without unknown ones.
uint32_t ridNames(SamrSession &session, Domain domain, std::vector<uint32_t> rids,
                  std::vector<GroupUsersInfo0> &out)
{
    std::sort(rids.begin(), rids.end());
    std::vector<std::string> names;
    std::vector<uint32_t> types;
    if (const uint32_t st = lookupRids(session, domain, rids, names, types))
        return st;
    for (const std::string &name : names) {
        if (!name.empty())
            out.push_back(GroupUsersInfo0{name});
    }
    return nt::Ok;
}

// The SID of the user named (name, or DOMAIN\name through LSA), and for a user
// of the account domain its global groups too when indirect ones are wanted.
NetStatus userSids(SamrSession &session, const std::string &userName, bool indirect,
                   std::vector<dom_sid> &sids)
{
    const dom_sid &domain = session.domainSid(Domain::Account);
    uint32_t rid = 0;
    if (userName.find('\\') != std::string::npos) {
        std::vector<dom_sid> found;
        std::vector<uint32_t> types;
        if (const uint32_t st = sidsOfNames(session, {userName}, found, types))
            return toNetStatus(st, Context::User);
        if (types[0] != sidtype::User)
            return status::UserNotFound;
        sids.push_back(found[0]);
        if (!inDomain(found[0], domain, rid))
            return status::Success;
    } else {
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        sids.push_back(sidOf(domain, rid));
    }
    if (!indirect)
        return status::Success;
    ObjectHandle user(session);
    std::vector<uint32_t> groups;
    if (const uint32_t st = openUser(session, rid, user))
        return toNetStatus(st, Context::User);
    if (const uint32_t st = globalGroupsOf(session, user, groups))
        return toNetStatus(st, Context::User);
    for (uint32_t group : groups)
        sids.push_back(sidOf(domain, group));
    return status::Success;
}

uint32_t aliasesOf(SamrSession &session, Domain domain, std::vector<dom_sid> &sids,
                   std::vector<uint32_t> &rids)
{
    std::vector<lsa_SidPtr> pointers;
    for (dom_sid &sid : sids)
        pointers.push_back(lsa_SidPtr{&sid});
    Frame frame;
    lsa_SidArray array{uint32_t(pointers.size()), pointers.data()};
    samr_Ids aliases{};
    samr_GetAliasMembership membership{};
    membership.in.domain_handle = session.domain(domain);
    membership.in.sids = &array;
    membership.out.rids = &aliases;
    if (const uint32_t st = session.samr(NDR_SAMR_GETALIASMEMBERSHIP, membership, frame))
        return st;
    rids.assign(aliases.ids, aliases.ids + aliases.count);
    return nt::Ok;
}

} // namespace

NetStatus SambaNetworkManagement::NetUserGetGroups(const std::string &server,
                                                   const std::string &userName, uint32_t level,
                                                   std::vector<GroupUsersInfo0> &buffer,
                                                   uint32_t prefMaxLen, uint32_t &entriesRead,
                                                   uint32_t &totalEntries)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        ObjectHandle user(session);
        std::vector<uint32_t> rids;
        if (const uint32_t st = openUser(session, rid, user))
            return toNetStatus(st, Context::User);
        if (const uint32_t st = globalGroupsOf(session, user, rids))
            return toNetStatus(st, Context::User);
        std::vector<GroupUsersInfo0> groups;
        if (const uint32_t st = ridNames(session, Domain::Account, rids, groups))
            return toNetStatus(st, Context::Group);
        return pageAll(groups, nameBytes, prefMaxLen, buffer, entriesRead, totalEntries);
    });
}

NetStatus SambaNetworkManagement::NetUserGetLocalGroups(
    const std::string &server, const std::string &userName, uint32_t level, uint32_t flags,
    std::vector<LocalGroupUsersInfo0> &buffer, uint32_t prefMaxLen, uint32_t &entriesRead,
    uint32_t &totalEntries)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        std::vector<dom_sid> sids;
        if (const NetStatus st = userSids(session, userName, flags & LgIncludeIndirect, sids))
            return st;
        std::vector<GroupUsersInfo0> groups;
        for (Domain domain : {Domain::Account, Domain::Builtin}) {
            std::vector<uint32_t> rids;
            if (const uint32_t st = aliasesOf(session, domain, sids, rids))
                return toNetStatus(st, Context::LocalGroup);
            if (const uint32_t st = ridNames(session, domain, rids, groups))
                return toNetStatus(st, Context::LocalGroup);
        }
        return pageAll(groups, nameBytes, prefMaxLen, buffer, entriesRead, totalEntries);
    });
}

} // namespace platform::samba
