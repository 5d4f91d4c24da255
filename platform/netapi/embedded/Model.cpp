#include "platform/netapi/embedded/Model.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/embedded/Store.h"

#include <QString>

namespace platform::embedded {

namespace {

constexpr const char *MachineColumns =
    "SELECT id, name, domain_id, sam_id, role, type, version_major, version_minor, "
    "comment, reachable, is_local, share_level2_denied FROM machines ";

void readMachine(const Statement &row, MachineRow &machine)
{
    machine.id = row.integer(0);
    machine.name = row.text(1);
    machine.domainId = row.integer(2);
    machine.samId = row.integer(3);
    machine.role = Role(row.integer(4));
    machine.type = uint32_t(row.integer(5));
    machine.versionMajor = uint32_t(row.integer(6));
    machine.versionMinor = uint32_t(row.integer(7));
    machine.comment = row.text(8);
    machine.reachable = row.integer(9) != 0;
    machine.local = row.integer(10) != 0;
    machine.shareLevel2Denied = row.integer(11) != 0;
}

bool selectMachine(Database &db, const std::string &where, const std::string &value,
                   MachineRow &machine)
{
    const std::string sql = std::string(MachineColumns) + where;
    Statement query = db.prepare(sql.c_str());
    if (!value.empty())
        query.bind(1, value);
    if (!query.step())
        return false;
    readMachine(query, machine);
    return true;
}

std::string withoutBackslashes(const std::string &server)
{
    return server.rfind("\\\\", 0) == 0 ? server.substr(2) : server;
}

} // namespace

std::string upperName(const std::string &utf8)
{
    return QString::fromStdString(utf8).toUpper().toStdString();
}

bool findMachine(Database &db, const std::string &name, MachineRow &machine)
{
    return selectMachine(db, "WHERE upper_name = ?", upperName(name), machine);
}

bool localMachine(Database &db, MachineRow &machine)
{
    return selectMachine(db, "WHERE is_local = 1", {}, machine);
}

NetStatus resolveMachine(Store &store, const std::string &server, MachineRow &machine)
{
    if (!store.isOpen())
        return status::OpenFailed;
    // "\\" with no name after it names no machine; only "" is this one.
    if (!server.empty() && withoutBackslashes(server).empty())
        return status::BadNetPath;
    const std::string name = withoutBackslashes(server);
    const bool found = name.empty() ? localMachine(store.db(), machine)
                                    : findMachine(store.db(), name, machine);
    return found && machine.reachable ? status::Success : status::BadNetPath;
}

NetStatus checkWritable(const MachineRow &machine)
{
    return machine.role == Role::Backup ? netapi::statusFor(netapi::Situation::WriteAtBackup)
                                        : status::Success;
}

NetStatus resolveWritableMachine(Store &store, const std::string &server, MachineRow &machine)
{
    if (const NetStatus status = resolveMachine(store, server, machine))
        return status;
    return checkWritable(machine);
}

bool loadSam(Database &db, int64_t id, SamRow &sam)
{
    Statement query = db.prepare(
        "SELECT id, name, min_password_length, password_complexity FROM sams WHERE id = ?");
    query.bind(1, id);
    if (!query.step())
        return false;
    sam.id = query.integer(0);
    sam.name = query.text(1);
    sam.policy.minLength = int(query.integer(2));
    sam.policy.complexity = query.integer(3) != 0;
    return true;
}

bool findSamByName(Database &db, const std::string &name, SamRow &sam)
{
    DomainRow domain;
    if (findDomain(db, name, domain))
        return loadSam(db, domain.samId, sam);
    MachineRow machine;
    if (findMachine(db, name, machine) && machine.role == Role::Member)
        return loadSam(db, machine.samId, sam);
    return false;
}

bool loadDomain(Database &db, int64_t id, DomainRow &domain)
{
    Statement query = db.prepare("SELECT id, name, sam_id FROM domains WHERE id = ?");
    query.bind(1, id);
    if (!query.step())
        return false;
    domain = {query.integer(0), query.text(1), query.integer(2)};
    return true;
}

bool findDomain(Database &db, const std::string &name, DomainRow &domain)
{
    Statement query = db.prepare("SELECT id, name, sam_id FROM domains WHERE upper_name = ?");
    query.bind(1, upperName(name));
    if (!query.step())
        return false;
    domain = {query.integer(0), query.text(1), query.integer(2)};
    return true;
}

bool primaryController(Database &db, int64_t domainId, MachineRow &machine)
{
    return selectMachine(db, "WHERE role = 1 AND domain_id = " + std::to_string(domainId), {},
                         machine);
}

bool domainKnownTo(Database &db, int64_t domainId, int64_t otherDomainId)
{
    if (domainId == otherDomainId)
        return true;
    Statement query =
        db.prepare("SELECT 1 FROM trusts WHERE trusting_id = ? AND trusted_id = ?");
    query.bind(1, domainId).bind(2, otherDomainId);
    return query.step();
}

NameOwner nameOwner(Database &db, int64_t samId, const std::string &upper)
{
    Statement account =
        db.prepare("SELECT 1 FROM accounts WHERE sam_id = ? AND upper_name = ?");
    account.bind(1, samId).bind(2, upper);
    if (account.step())
        return NameOwner::User;
    Statement group =
        db.prepare("SELECT local FROM groups WHERE sam_id = ? AND upper_name = ?");
    group.bind(1, samId).bind(2, upper);
    if (group.step())
        return group.integer(0) ? NameOwner::LocalGroup : NameOwner::Group;
    return NameOwner::None;
}

NetStatus nameTakenStatus(NameOwner owner)
{
    using netapi::Situation;
    switch (owner) {
    case NameOwner::User:
        return netapi::statusFor(Situation::NameTakenByUser);
    case NameOwner::Group:
        return netapi::statusFor(Situation::NameTakenByGroup);
    case NameOwner::LocalGroup:
        return netapi::statusFor(Situation::NameTakenByLocalGroup);
    case NameOwner::None:
        break;
    }
    return status::Success;
}

bool allocateRid(Database &db, int64_t samId, uint32_t &rid)
{
    Statement query = db.prepare(
        "UPDATE sams SET next_rid = next_rid + 1 WHERE id = ? RETURNING next_rid - 1");
    query.bind(1, samId);
    if (!query.step())
        return false;
    rid = uint32_t(query.integer(0));
    return true;
}

namespace {
constexpr int64_t DisplayMarksKept = 1024;
} // namespace

bool markDeleted(Database &db, DisplayTable table, int64_t id, const std::string &upper)
{
    Statement insert = db.prepare(
        "INSERT OR REPLACE INTO display_marks (table_kind, id, upper_name) VALUES (?, ?, ?)");
    insert.bind(1, int64_t(table)).bind(2, id).bind(3, upper);
    // A listing resumes from a recent index; a controller does not remember
    // every row ever deleted, and neither does this table: the oldest marks go.
    Statement prune = db.prepare(
        "DELETE FROM display_marks WHERE rowid <= (SELECT MAX(rowid) FROM display_marks) - ?");
    prune.bind(1, DisplayMarksKept);
    return insert.run() && prune.run();
}

} // namespace platform::embedded
