#include "GroupStripping.h"

#include "app/AppContext.h"
#include "directory/DirectoryResult.h"
#include "directory/GroupMembership.h"
#include "platform/netapi/Statuses.h"

#include <QStringList>

namespace {

constexpr int32_t ElementNotFound = 1168; // ERROR_NOT_FOUND

// The groups of `user`; false with `status` set when the listing failed (an
// empty answer is a failure only when the service said so).
bool listGroups(const QString &server, const QString &user, bool local, QStringList &groups,
                int32_t &status)
{
    if (Get_UserGroups(server, user, groups, local) == 0 && appContext().LastNetStatus != 0) {
        status = appContext().LastNetStatus;
        return false;
    }
    return true;
}

// A removal that finds nothing to remove: the primary group, which holds the
// account through the account's own primary-group id rather than its member
// list ([MS-SAMR] 3.1.5.8.2), or a local group reached only through a group.
// Services word the first differently: "primary group", "not in the group",
// or (Samba's AD DC) "element not found".
bool nothingToRemove(int32_t status, bool local)
{
    if (local)
        return status == platform::status::MemberNotInAlias;
    return status == platform::status::MembersPrimaryGroup ||
           status == platform::status::UserNotInGroup || status == ElementNotFound;
}

int32_t removeFrom(const QString &server, const QString &user, bool local)
{
    QStringList groups;
    int32_t status = directory_result::Success;
    if (!listGroups(server, user, local, groups, status))
        return status;
    for (const QString &group : std::as_const(groups)) {
        status = Delete_GroupMember(user, server, group, local);
        if (status != directory_result::Success && !nothingToRemove(status, local))
            return status;
    }
    return directory_result::Success;
}

} // namespace

int32_t Remove_UserGroups(const QString &user, const QString &server)
{
    // Global groups first: the local groups reached through them then drop
    // out of the second listing.
    if (const int32_t status = removeFrom(server, user, false))
        return status;
    return removeFrom(server, user, true);
}
