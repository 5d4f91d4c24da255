#include "UniquenessSearch.h"

#include "AccountRead.h"
#include "DirectoryResult.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "platform/netapi/Statuses.h"

namespace {

constexpr int32_t NoSuchAlias = 1376; // ERROR_NO_SUCH_ALIAS

bool notFound(int32_t status, int32_t kind, bool localGroup)
{
    namespace st = platform::status;
    if (kind != account_kind::Group)
        return status == st::UserNotFound;
    return status == st::GroupNotFound || (localGroup && status == NoSuchAlias);
}

} // namespace

NameLookup Classify_Lookup(int32_t status, int32_t kind, bool localGroup)
{
    if (status == directory_result::Success)
        return NameLookup::Taken;
    if (notFound(status, kind, localGroup))
        return NameLookup::Free;
    if (status == directory_result::NoController || status == platform::status::BadNetPath)
        return NameLookup::Unreachable;
    return NameLookup::Failed;
}

DomainSearch Search_Domains(const QString &name, int32_t kind, bool localGroup,
                            const QStringList &entries, const std::function<bool()> &answered)
{
    DomainSearch search;
    for (const QString &entry : entries) {
        QString asked = name;
        search.status = Check_Account(asked, entry == MyComputer ? QString() : entry, kind,
                                      localGroup);
        search.outcome = Classify_Lookup(search.status, kind, localGroup);
        if (search.outcome == NameLookup::Unreachable || search.outcome == NameLookup::Failed) {
            search.entry = entry;
            return search;
        }
        search.stopped = answered && !answered();
        if (search.stopped)
            return search;
        if (search.outcome == NameLookup::Taken) {
            search.entry = entry;
            return search;
        }
    }
    return search;
}

QString Search_FailureText(const QString &entry, NameLookup outcome, int32_t status)
{
    if (outcome == NameLookup::Unreachable)
        return entry + QStringLiteral(" domain controller is down.  This function requires "
                                      "that all trusted domains are active.");
    return entry + QStringLiteral(": ") + Get_ErrorText(status);
}
