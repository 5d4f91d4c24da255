#include "platform/netapi/samba/GroupAccess.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/samba/NtStatus.h"

namespace platform::samba {

NetStatus findGroup(SamrSession &session, const std::string &name, uint32_t &rid)
{
    if (netapi::isBadAccountName(name, netapi::NameKind::Group))
        return netapi::statusFor(netapi::Situation::BadGroupLookedUp);
    Found found;
    const uint32_t st = lookupName(session, name, false, found);
    if (st == nt::NoneMapped || (st == nt::Ok && found.type != sidtype::Group))
        return status::GroupNotFound;
    if (st != nt::Ok)
        return toNetStatus(st, Context::Group);
    rid = found.rid;
    return status::Success;
}

NetStatus findAlias(SamrSession &session, const std::string &name, Found &found)
{
    if (netapi::isBadAccountName(name, netapi::NameKind::LocalGroup))
        return netapi::statusFor(netapi::Situation::BadGroupLookedUp);
    // BUILTIN first: a Samba AD DC answers for BUILTIN's aliases in the
    // account domain too, with RIDs that only BUILTIN can open.
    for (Domain domain : {Domain::Builtin, Domain::Account}) {
        const uint32_t st = lookupInDomain(session, domain, name, found);
        if (st == nt::Ok && found.type == sidtype::Alias)
            return status::Success;
        if (st != nt::Ok && st != nt::NoneMapped)
            return toNetStatus(st, Context::LocalGroup);
    }
    return status::GroupNotFound;
}

uint32_t setGroupText(SamrSession &session, ObjectHandle &group, bool alias, bool name,
                      const std::string &value)
{
    Frame frame;
    const lsa_String text = lsaString(value);
    if (alias) {
        samr_AliasInfo info{};
        if (name)
            info.name = text;
        else
            info.description = text;
        samr_SetAliasInfo set{};
        set.in.alias_handle = group.get();
        set.in.level = name ? ALIASINFONAME : ALIASINFODESCRIPTION;
        set.in.info = &info;
        return session.samr(NDR_SAMR_SETALIASINFO, set, frame);
    }
    samr_GroupInfo info{};
    if (name)
        info.name = text;
    else
        info.description = text;
    samr_SetGroupInfo set{};
    set.in.group_handle = group.get();
    set.in.level = name ? GROUPINFONAME : GROUPINFODESCRIPTION;
    set.in.info = &info;
    return session.samr(NDR_SAMR_SETGROUPINFO, set, frame);
}

uint32_t groupMembers(SamrSession &session, ObjectHandle &group, std::vector<uint32_t> &rids)
{
    Frame frame;
    samr_RidAttrArray *members = nullptr;
    samr_QueryGroupMember query{};
    query.in.group_handle = group.get();
    query.out.rids = &members;
    if (const uint32_t st = session.samr(NDR_SAMR_QUERYGROUPMEMBER, query, frame))
        return st;
    rids.clear();
    for (uint32_t i = 0; members && i < members->count; ++i)
        rids.push_back(members->rids[i]);
    return nt::Ok;
}

} // namespace platform::samba
