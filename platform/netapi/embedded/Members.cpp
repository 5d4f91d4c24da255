#include "platform/netapi/embedded/Members.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/Groups.h"
#include "platform/netapi/embedded/Model.h"

#include <vector>

namespace platform::embedded {

namespace {

using netapi::Situation;
using netapi::statusFor;

// The databases a qualifier may name from this machine.
bool samVisible(Database &db, const MachineRow &machine, const SamRow &sam)
{
    if (sam.id == machine.samId)
        return true;
    Statement query = db.prepare("SELECT id FROM domains WHERE sam_id = ?");
    query.bind(1, sam.id);
    return query.step() && domainKnownTo(db, machine.domainId, query.integer(0));
}

std::vector<int64_t> candidateSams(Database &db, const MachineRow &machine,
                                   const std::string &qualifier)
{
    if (!qualifier.empty()) {
        SamRow sam;
        if (findSamByName(db, qualifier, sam) && samVisible(db, machine, sam))
            return {sam.id};
        return {};
    }
    std::vector<int64_t> sams{machine.samId};
    DomainRow domain;
    if (loadDomain(db, machine.domainId, domain) && domain.samId != machine.samId)
        sams.push_back(domain.samId);
    return sams;
}

} // namespace

NetStatus resolveMember(Database &db, const MachineRow &machine, const std::string &member,
                        MemberRef &ref)
{
    const size_t slash = member.find('\\');
    const std::string qualifier = slash == std::string::npos ? "" : member.substr(0, slash);
    const std::string name = slash == std::string::npos ? member : member.substr(slash + 1);
    if (slash != std::string::npos && qualifier.empty())
        return statusFor(Situation::UnknownMember);
    for (int64_t samId : candidateSams(db, machine, qualifier)) {
        AccountRow account;
        if (findAccount(db, samId, name, account)) {
            ref = {account.id, 0};
            return status::Success;
        }
        GroupRow group;
        if (findGroup(db, samId, name, false, group)) {
            ref = {0, group.id};
            return status::Success;
        }
        if (findGroup(db, samId, name, true, group))
            return statusFor(Situation::MemberOfWrongKind);
    }
    return statusFor(Situation::UnknownMember);
}

} // namespace platform::embedded
