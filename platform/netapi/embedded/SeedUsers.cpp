// Bulk users for benchmarks and demonstrations: one transaction, statements
// prepared once, one password digest for the whole batch.
#include "platform/netapi/NameRules.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Passwords.h"
#include "platform/netapi/embedded/Seed.h"
#include "platform/netapi/embedded/Store.h"

namespace platform::embedded {

namespace {

constexpr int Digits = 7;

std::string bulkName(const std::string &prefix, int number)
{
    std::string digits = std::to_string(number);
    return prefix + std::string(digits.size() < Digits ? Digits - digits.size() : 0, '0')
        + digits;
}

bool nameFree(Statement &account, Statement &group, int64_t samId, const std::string &upper)
{
    account.reset();
    account.bind(1, samId).bind(2, upper);
    group.reset();
    group.bind(1, samId).bind(2, upper);
    return !account.step() && !group.step();
}

struct BulkStatements {
    explicit BulkStatements(Database &db)
        : accountTaken(db.prepare("SELECT 1 FROM accounts WHERE sam_id = ? AND upper_name = ?")),
          groupTaken(db.prepare("SELECT 1 FROM groups WHERE sam_id = ? AND upper_name = ?")),
          insert(db.prepare("INSERT INTO accounts (sam_id, rid, name, upper_name, password_hash, "
                            "password_set, flags) VALUES (?, ?, ?, ?, ?, ?, 513)")),
          join(db.prepare("INSERT INTO group_members (group_id, account_id) "
                          "SELECT id, ? FROM groups WHERE sam_id = ? AND local = 0 AND rid = 513"))
    {
    }
    Statement accountTaken;
    Statement groupTaken;
    Statement insert;
    Statement join;
};

bool insertUser(Database &db, BulkStatements &s, int64_t samId, const std::string &name,
                const std::string &hash, uint32_t now)
{
    uint32_t rid = 0;
    if (!allocateRid(db, samId, rid))
        return false;
    s.insert.reset();
    s.insert.bind(1, samId).bind(2, int64_t(rid)).bind(3, name).bind(4, upperName(name));
    s.insert.bind(5, hash).bind(6, int64_t(now));
    if (!s.insert.run())
        return false;
    s.join.reset();
    s.join.bind(1, db.lastInsertId()).bind(2, samId);
    return s.join.run();
}

} // namespace

NetStatus seedUsers(Store &store, const std::string &domain, int count,
                    const std::string &prefix, int &added)
{
    added = 0;
    if (!store.isOpen())
        return status::OpenFailed;
    if (const NetStatus bad =
            netapi::checkAccountName(bulkName(prefix, 1), netapi::NameKind::User))
        return bad;
    Database &db = store.db();
    DomainRow target;
    if (!findDomain(db, domain, target))
        return status::NoSuchDomain;
    const std::string hash = hashPassword(SeedPassword);
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    BulkStatements statements(db);
    int inserted = 0;
    for (int number = 1; inserted < count; ++number) {
        const std::string name = bulkName(prefix, number);
        if (name.size() > size_t(netapi::MaxUserNameLength))
            return status::BadUsername;
        if (!nameFree(statements.accountTaken, statements.groupTaken, target.samId,
                      upperName(name)))
            continue;
        if (!insertUser(db, statements, target.samId, name, hash, store.now()))
            return status::InternalError;
        ++inserted;
    }
    if (!transaction.commit())
        return status::InternalError;
    added = inserted;
    return status::Success;
}

} // namespace platform::embedded
