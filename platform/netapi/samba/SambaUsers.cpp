// User and computer accounts: NetUserAdd, NetUserDel, NetUserGetInfo,
// NetUserSetInfo, over SAMR ([MS-SAMR] 3.1.5.4.4 CreateUser2, 3.1.5.6.4
// SetInformationUser2, 3.1.5.5.6 QueryInformationUser).
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/CannotChangePassword.h"
#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/SamrObjects.h"
#include "platform/netapi/samba/UserAccess.h"

#include <algorithm>
#include <optional>

namespace platform::samba {

namespace {

using netapi::NameKind;
using netapi::Situation;

constexpr uint32_t MaximumAllowed = 0x02000000;
constexpr uint32_t AcbNormal = 0x10;
constexpr uint32_t FirstOrdinaryRid = 1000;

NetStatus checkNewUser(uint32_t level, const UserInfo3 &info, uint32_t *parmErr)
{
    const NameKind kind = isMachineAccount(info.flags) ? NameKind::Computer : NameKind::User;
    if (const NetStatus bad = netapi::checkAccountName(info.name, kind))
        return bad;
    if (info.priv != priv::User)
        return invalidParameter(parmErr, UserPrivParm);
    if (!hasOneAccountType(info.flags))
        return invalidParameter(parmErr, UserFlagsParm);
    if (level == 3 && info.primaryGroupId != DomainUsersRid)
        return invalidParameter(parmErr, UserPrimaryGroupParm);
    return status::Success;
}

// A new account is created with its type alone ([MS-SAMR] 3.1.5.4.4: one of
// ACB_NORMAL, ACB_WSTRUST, ACB_SVRTRUST, ACB_DOMTRUST), then written whole.
uint32_t createdType(uint32_t flags)
{
    const uint32_t acb = acbFromUf(flags & uf::AccountTypeMask);
    return acb ? acb : AcbNormal;
}

NetStatus addStatus(uint32_t ntStatus)
{
    if (ntStatus == nt::PasswordRestriction)
        return netapi::statusFor(Situation::PasswordPolicy);
    return toNetStatus(ntStatus, Context::User);
}

// Creates the account and writes it; when the write fails the RID of the half
// made account goes to orphan, to be deleted on a fresh connection.
NetStatus createUser(SamrSession &session, uint32_t level, const UserInfo3 &info,
                     uint32_t &orphan)
{
    if (const NetStatus taken = nameFree(session, info.name))
        return taken;
    Frame frame;
    const lsa_String name = lsaString(info.name);
    ObjectHandle user(session);
    uint32_t granted = 0, rid = 0;
    samr_CreateUser2 create{};
    create.in.domain_handle = session.domain(Domain::Account);
    create.in.account_name = const_cast<lsa_String *>(&name);
    create.in.acct_flags = createdType(info.flags);
    create.in.access_mask = MaximumAllowed;
    create.out.user_handle = user.out();
    create.out.access_granted = &granted;
    create.out.rid = &rid;
    if (const uint32_t st = session.samr(NDR_SAMR_CREATEUSER2, create, frame)) {
        user.forget();
        return addStatus(st);
    }
    UserWrite write;
    buildUserWrite(info, level, nullptr, frame, write);
    if (const uint32_t st = writeUser(session, user, write, &info.password)) {
        orphan = rid;
        return addStatus(st);
    }
    return status::Success;
}

NetStatus deleteByRid(SamrSession &session, uint32_t rid)
{
    ObjectHandle user(session);
    if (const uint32_t st = openUser(session, rid, user))
        return toNetStatus(st, Context::User);
    Frame frame;
    samr_DeleteUser remove{};
    remove.in.user_handle = user.get();
    remove.out.user_handle = user.get();
    const uint32_t st = session.samr(NDR_SAMR_DELETEUSER, remove, frame);
    if (st == nt::Ok)
        user.forget();
    return toNetStatus(st, Context::User);
}

NetStatus renameUser(SamrSession &session, ObjectHandle &user, const std::string &oldName,
                     const std::string &newName)
{
    if (const NetStatus bad = renameAllowed(session, oldName, newName, NameKind::User))
        return bad;
    samr_UserInfo info{};
    info.info7.account_name = lsaString(newName);
    samr_SetUserInfo2 set{};
    set.in.user_handle = user.get();
    set.in.level = UserAccountNameInformation;
    set.in.info = &info;
    Frame frame;
    const uint32_t st = session.samr(NDR_SAMR_SETUSERINFO2, set, frame);
    if (st != nt::Ok)
        session.reconnectAfterUse();
    return toNetStatus(st, Context::User);
}

// A new primary group must be one the user belongs to.
bool isMemberOf(SamrSession &session, ObjectHandle &user, uint32_t groupRid)
{
    std::vector<uint32_t> groups;
    if (globalGroupsOf(session, user, groups) != nt::Ok)
        return false;
    return std::find(groups.begin(), groups.end(), groupRid) != groups.end();
}

NetStatus changeUser(SamrSession &session, ObjectHandle &user, uint32_t level,
                     const UserInfo3 &info, uint32_t *parmErr)
{
    UserInfo3 current;
    if (const uint32_t st = readUser(session, user, 3, current))
        return toNetStatus(st, Context::User);
    // "User cannot change password" lives in the account's security
    // descriptor, which SAMR has no bit for and Samba's AD DC does not let
    // SetSecurity write: the caller writes it over LDAP, or says it cannot.
    current.flags = (current.flags & ~uf::PasswdCantChange) | (info.flags & uf::PasswdCantChange);
    if (level == 3 && info.primaryGroupId != current.primaryGroupId
        && !isMemberOf(session, user, info.primaryGroupId))
        return invalidParameter(parmErr, UserPrimaryGroupParm);
    Frame frame;
    UserWrite write;
    buildUserWrite(info, level, &current, frame, write);
    const std::string *password = info.password.empty() ? nullptr : &info.password;
    return addStatus(writeUser(session, user, write, password));
}

// After a lost reply: whether the new account is there as asked (its type,
// enabled state, full name and comment; a created account stays disabled
// until its one write). A half-made one goes to orphan, to be removed.
Outcome userAdded(SamrSession &session, const UserInfo3 &info, uint32_t &orphan)
{
    orphan = 0;
    uint32_t rid = 0;
    const NetStatus st = findUser(session, info.name, rid);
    if (st != status::Success)
        return presence(st, status::UserNotFound, true);
    ObjectHandle user(session);
    UserInfo3 read;
    if (openUser(session, rid, user) != nt::Ok || readUser(session, user, 3, read) != nt::Ok)
        return Outcome::Unknown;
    const uint32_t asked = uf::AccountDisable | uf::AccountTypeMask;
    const bool enabledAsAsked = !(info.flags & uf::AccountDisable);
    const bool written = ((read.flags ^ info.flags) & asked) == 0 && read.fullName == info.fullName
        && read.comment == info.comment
        && (enabledAsAsked || !info.fullName.empty() || !info.comment.empty());
    if (written)
        return Outcome::Done;
    orphan = rid;
    return Outcome::NotDone;
}

} // namespace

NetStatus SambaNetworkManagement::NetUserAdd(const std::string &server, uint32_t level,
                                             const UserInfo3 &info, uint32_t *parmErr)
{
    if (!levelOffered(level, {1, 3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    if (const NetStatus bad = checkNewUser(level, info, parmErr))
        return bad;
    // "User cannot change password" is written over LDAP after the account
    // exists; where that cannot be done the account is not made at all.
    const bool cannotChange = info.flags & uf::PasswdCantChange;
    if (cannotChange && !m_ldap->usable(server))
        return status::NotSupported;
    uint32_t orphan = 0;
    NetStatus result = m_connections->write(
        server, [&](SamrSession &session) { return createUser(session, level, info, orphan); },
        [&](SamrSession &session) { return userAdded(session, info, orphan); });
    if (result == status::Success && cannotChange) {
        result = writeCannotChangePassword(*m_ldap, server, info.name, true);
        if (result != status::Success) {
            m_connections->run(server, [&](SamrSession &session) {
                uint32_t rid = 0;
                const NetStatus found = findUser(session, info.name, rid);
                return found ? found : deleteByRid(session, rid);
            });
        }
    }
    if (orphan != 0) {
        // All or nothing: the account whose write failed goes again.
        m_connections->run(server, [&](SamrSession &session) {
            return deleteByRid(session, orphan);
        });
    }
    m_display->forget(server);
    return result;
}

NetStatus SambaNetworkManagement::NetUserDel(const std::string &server,
                                             const std::string &userName)
{
    if (const NetStatus st = ready())
        return st;
    m_display->forget(server);
    auto remove = [&](SamrSession &session) {
        uint32_t rid = 0;
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        if (rid < FirstOrdinaryRid)
            return netapi::statusFor(Situation::BuiltInAccount);
        return deleteByRid(session, rid);
    };
    return m_connections->write(server, remove, [&](SamrSession &session) {
        uint32_t rid = 0;
        return presence(findUser(session, userName, rid), status::UserNotFound, false);
    });
}

NetStatus SambaNetworkManagement::NetUserGetInfo(const std::string &server,
                                                 const std::string &userName, uint32_t level,
                                                 UserInfo3 &info)
{
    if (!levelOffered(level, {0, 1, 3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    const NetStatus result = m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        ObjectHandle user(session);
        if (const uint32_t st = openUser(session, rid, user))
            return toNetStatus(st, Context::User);
        return toNetStatus(readUser(session, user, level, info), Context::User);
    });
    if (result == status::Success && level != 0
        && readCannotChangePassword(*m_ldap, server, info.name).value_or(false))
        info.flags |= uf::PasswdCantChange;
    return result;
}

NetStatus SambaNetworkManagement::NetUserSetInfo(const std::string &server,
                                                 const std::string &userName, uint32_t level,
                                                 const UserInfo3 &info, uint32_t *parmErr)
{
    if (!levelOffered(level, {0, 1, 3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    if (level != 0 && !hasOneAccountType(info.flags))
        return invalidParameter(parmErr, UserFlagsParm);
    // "User cannot change password" is read and written over LDAP; where
    // that cannot be done, asking for it is refused before anything changes.
    const bool wanted = level != 0 && (info.flags & uf::PasswdCantChange);
    if (wanted && !m_ldap->usable(server))
        return status::NotSupported;
    m_display->forget(server);
    uint32_t changed = 0;
    auto change = [&](SamrSession &session) {
        if (const NetStatus st = findUser(session, userName, changed))
            return st;
        ObjectHandle user(session);
        if (const uint32_t st = openUser(session, changed, user))
            return toNetStatus(st, Context::User);
        if (level == 0)
            return renameUser(session, user, userName, info.name);
        return changeUser(session, user, level, info, parmErr);
    };
    // A rename is read back: the account now answers to the new name. The
    // other levels are not (a password cannot be read), so a lost reply
    // leaves the transport's failure.
    const NetStatus result = m_connections->write(server, change, [&](SamrSession &session) {
        uint32_t rid = 0;
        if (level != 0 || findUser(session, info.name, rid) != status::Success)
            return Outcome::Unknown;
        return rid == changed ? Outcome::Done : Outcome::NotDone;
    });
    if (result != status::Success || level == 0)
        return result;
    const std::optional<bool> current = readCannotChangePassword(*m_ldap, server, userName);
    if (current == wanted || (!current && !wanted))
        return result;
    return writeCannotChangePassword(*m_ldap, server, userName, wanted);
}

} // namespace platform::samba
