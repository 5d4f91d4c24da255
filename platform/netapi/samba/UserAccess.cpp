#include "platform/netapi/samba/UserAccess.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/PasswordBuffer.h"
#include "platform/netapi/samba/SamrObjects.h"

#include <QString>

#include <ctime>

namespace platform::samba {

namespace {

constexpr uint32_t AdministratorRid = 500;
constexpr uint32_t AdministratorsAlias = 544;
constexpr uint32_t GuestsAlias = 546;

// USER_PRIV_ADMIN for members of BUILTIN\Administrators, USER_PRIV_GUEST for
// members of Guests, else USER_PRIV_USER (how netapi32 derives usri_priv).
uint32_t privilegeOf(SamrSession &session, ObjectHandle &user, uint32_t rid)
{
    if (rid == AdministratorRid)
        return priv::Admin;
    std::vector<uint32_t> groups;
    if (globalGroupsOf(session, user, groups) != nt::Ok)
        return priv::User;
    const dom_sid &domain = session.domainSid(Domain::Account);
    std::vector<dom_sid> sids{sidOf(domain, rid)};
    for (uint32_t group : groups)
        sids.push_back(sidOf(domain, group));
    std::vector<lsa_SidPtr> pointers;
    for (dom_sid &sid : sids)
        pointers.push_back(lsa_SidPtr{&sid});
    Frame frame;
    lsa_SidArray array{uint32_t(pointers.size()), pointers.data()};
    samr_Ids aliases{};
    samr_GetAliasMembership membership{};
    membership.in.domain_handle = session.domain(Domain::Builtin);
    membership.in.sids = &array;
    membership.out.rids = &aliases;
    if (session.samr(NDR_SAMR_GETALIASMEMBERSHIP, membership, frame) != nt::Ok)
        return priv::User;
    uint32_t privilege = priv::User;
    for (uint32_t i = 0; i < aliases.count; ++i) {
        if (aliases.ids[i] == AdministratorsAlias)
            return priv::Admin;
        if (aliases.ids[i] == GuestsAlias)
            privilege = priv::Guest;
    }
    return privilege;
}

} // namespace

NetStatus findUser(SamrSession &session, const std::string &name, uint32_t &rid)
{
    if (netapi::isBadAccountName(name, netapi::NameKind::User))
        return netapi::statusFor(netapi::Situation::BadUserLookedUp);
    Found found;
    const uint32_t st = lookupName(session, name, false, found);
    if (st == nt::NoneMapped || (st == nt::Ok && found.type != sidtype::User))
        return status::UserNotFound;
    if (st != nt::Ok)
        return toNetStatus(st, Context::User);
    rid = found.rid;
    return status::Success;
}

NetStatus nameFree(SamrSession &session, const std::string &name)
{
    Found found;
    const uint32_t st = lookupName(session, name, true, found);
    if (st == nt::NoneMapped)
        return status::Success;
    if (st != nt::Ok)
        return toNetStatus(st, Context::Other);
    using netapi::Situation;
    switch (found.type) {
    case sidtype::User:
        return netapi::statusFor(Situation::NameTakenByUser);
    case sidtype::Group:
        return netapi::statusFor(Situation::NameTakenByGroup);
    default:
        return netapi::statusFor(Situation::NameTakenByLocalGroup);
    }
}

NetStatus renameAllowed(SamrSession &session, const std::string &oldName,
                        const std::string &newName, netapi::NameKind kind)
{
    if (const NetStatus bad = netapi::checkAccountName(newName, kind))
        return bad;
    if (QString::fromStdString(newName).toUpper() == QString::fromStdString(oldName).toUpper())
        return status::Success;
    return nameFree(session, newName);
}

uint32_t readUser(SamrSession &session, ObjectHandle &user, uint32_t level, UserInfo3 &info)
{
    Frame frame;
    samr_UserInfo *result = nullptr;
    samr_QueryUserInfo query{};
    query.in.user_handle = user.get();
    query.in.level = UserAllInformation;
    query.out.info = &result;
    if (const uint32_t st = session.samr(NDR_SAMR_QUERYUSERINFO, query, frame))
        return st;
    const samr_UserInfo21 &all = result->info21;
    const uint32_t privilege = level == 0 ? priv::User : privilegeOf(session, user, all.rid);
    toUserInfo(all, level, privilege, uint32_t(std::time(nullptr)), info);
    return nt::Ok;
}

uint32_t writeUser(SamrSession &session, ObjectHandle &user, UserWrite &write,
                   const std::string *password)
{
    if (!password && write.empty())
        return nt::Ok;
    samr_UserInfo info{};
    samr_SetUserInfo2 set{};
    set.in.user_handle = user.get();
    set.in.info = &info;
    if (password) {
        uint8_t key[16];
        if (const uint32_t st = session.sessionKey(key))
            return st;
        std::array<uint8_t, 532> buffer{};
        if (!encryptPasswordEx(*password, key, buffer))
            return nt::PasswordRestriction;
        info.info25.info = write.info;
        info.info25.info.fields_present |= SAMR_FIELD_NT_PASSWORD_PRESENT;
        std::copy(buffer.begin(), buffer.end(), info.info25.password.data);
        set.in.level = UserInternal4InformationNew;
    } else {
        info.info21 = write.info;
        set.in.level = UserAllInformation;
    }
    Frame frame;
    const uint32_t st = session.samr(NDR_SAMR_SETUSERINFO2, set, frame);
    if (st != nt::Ok)
        session.reconnectAfterUse();
    return st;
}

uint32_t globalGroupsOf(SamrSession &session, ObjectHandle &user, std::vector<uint32_t> &rids)
{
    Frame frame;
    samr_RidWithAttributeArray *groups = nullptr;
    samr_GetGroupsForUser query{};
    query.in.user_handle = user.get();
    query.out.rids = &groups;
    if (const uint32_t st = session.samr(NDR_SAMR_GETGROUPSFORUSER, query, frame))
        return st;
    rids.clear();
    for (uint32_t i = 0; groups && i < groups->count; ++i)
        rids.push_back(groups->rids[i].rid);
    return nt::Ok;
}

} // namespace platform::samba
