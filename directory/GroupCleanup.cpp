#include "GroupCleanup.h"

#include "DirectoryResult.h"
#include "GroupMembership.h"
#include "NetStrings.h"
#include "ServerResolution.h"
#include "app/AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

using platform::NetStatus;
namespace status = platform::status;

constexpr int32_t ElementNotFound = 1168; // ERROR_NOT_FOUND
constexpr int32_t AlreadyMember = 1320;   // ERROR_MEMBER_IN_GROUP (Samba's AD DC)
constexpr uint32_t GroupDisplayLevel = 3;
constexpr uint32_t UserLevel = 3;

// The groups of `user`; false with `result` set when the listing failed (an
// empty answer is a failure only when the service said so).
bool listGroups(const QString &server, const QString &user, bool local, QStringList &groups,
                int32_t &result)
{
    if (Get_UserGroups(server, user, groups, local) == 0 && appContext().LastNetStatus != 0) {
        result = appContext().LastNetStatus;
        return false;
    }
    return true;
}

// A removal that finds nothing to remove: a local group reached only through
// a group, or one the account has already left. Services word it
// differently: "not in the group", or (Samba's AD DC) "element not found".
bool nothingToRemove(int32_t result)
{
    return result == status::MemberNotInAlias || result == status::UserNotInGroup
        || result == ElementNotFound || result == status::MembersPrimaryGroup;
}

bool alreadyIn(int32_t result)
{
    return result == status::UserInGroup || result == AlreadyMember
        || result == status::MemberInAlias;
}

// The name of the global group with RID 513 ("Domain Users"; "None" off a
// controller): its name may be translated, its RID never is.
QString domainUsersGroup(const std::string &server)
{
    std::vector<platform::NetDisplayRecord> records;
    uint32_t index = 0;
    for (;;) {
        uint32_t returned = 0;
        const NetStatus result = platform::net().NetQueryDisplayInformation(
            server, GroupDisplayLevel, index, platform::DisplayEntriesPerCall,
            platform::MaxPreferredLength, returned, records);
        if (result != status::Success && result != status::MoreData)
            return {};
        for (const auto &record : records) {
            if (record.id == platform::DomainUsersRid)
                return Get_StrFromPtr(record.name);
        }
        if (result == status::Success || records.empty())
            return {};
        index = records.back().nextIndex;
    }
}

int32_t makePrimaryDomainUsers(const QString &user, const std::string &server,
                               const QString &usersGroup)
{
    const int32_t added = Add_GroupMember(user, QString::fromStdString(server), usersGroup,
                                          false);
    if (added != status::Success && !alreadyIn(added))
        return added;
    auto &net = platform::net();
    platform::UserInfo3 info;
    if (const NetStatus read = net.NetUserGetInfo(server, To_NetStr(user), UserLevel, info))
        return read;
    if (info.primaryGroupId == platform::DomainUsersRid)
        return status::Success;
    info.primaryGroupId = platform::DomainUsersRid;
    return net.NetUserSetInfo(server, To_NetStr(user), UserLevel, info, nullptr);
}

// Removes `member` from each group `member` is listed in at `server` but
// `keep`; the first refusal's status, or 0.
int32_t leaveGroups(const QString &server, const QString &member, bool local,
                    const QString &keep = {})
{
    QStringList groups;
    int32_t result = status::Success;
    if (!listGroups(server, member, local, groups, result))
        return result;
    for (const QString &group : std::as_const(groups)) {
        if (!keep.isEmpty() && group.compare(keep, Qt::CaseInsensitive) == 0)
            continue;
        result = Delete_GroupMember(member, server, group, local);
        if (result != status::Success && !nothingToRemove(result))
            return result;
    }
    return status::Success;
}

// The listed domains other than the account's own (whose controller is
// `server`) that still hold `domain`\`user` after their local groups were
// asked to let it go.
void leaveOtherDomains(const QString &user, const QString &server, const QString &domain,
                       QStringList &keptBy)
{
    const QString member = domain + u'\\' + user;
    for (const QString &other : std::as_const(appContext().DomainList)) {
        if (other.startsWith(QStringLiteral("\\\\"))
            || other.compare(domain, Qt::CaseInsensitive) == 0)
            continue;
        const QString controller = Get_DCName(other, {});
        if (controller.isEmpty() || controller.compare(server, Qt::CaseInsensitive) == 0)
            continue;
        if (leaveGroups(controller, member, true) != status::Success)
            keptBy.append(other);
    }
}

} // namespace

int32_t Clean_UserGroups(const QString &user, const QString &server, const QString &domain,
                         QStringList &keptBy)
{
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;
    const QString controller = QString::fromStdString(resolved);
    // A machine without a group 513 has no primary group to change.
    const QString usersGroup = domainUsersGroup(resolved);
    if (!usersGroup.isEmpty()) {
        if (const int32_t result = makePrimaryDomainUsers(user, resolved, usersGroup))
            return result;
    }
    // Global groups first: the local groups reached through them then drop
    // out of the second listing.
    if (const int32_t result = leaveGroups(controller, user, false, usersGroup))
        return result;
    if (const int32_t result = leaveGroups(controller, user, true))
        return result;
    if (!domain.isEmpty() && !domain.startsWith(QStringLiteral("\\\\")))
        leaveOtherDomains(user, controller, domain, keptBy);
    return status::Success;
}
