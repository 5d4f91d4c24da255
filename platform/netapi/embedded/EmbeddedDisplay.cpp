// NetQueryDisplayInformation: users (level 1), machines (level 2) and global
// groups (level 3) in order of the upper-cased name, read one chunk per call
// from the name index. An entry's next index is its row id: the next call
// resumes after that row's name, or after the name it had when it was deleted.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/BufferRules.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Model.h"

#include <algorithm>

namespace platform::embedded {

namespace {

constexpr uint32_t GroupAttributes = 7; // SE_GROUP_MANDATORY | ENABLED_BY_DEFAULT | ENABLED

DisplayTable tableOf(uint32_t level)
{
    return level == 3 ? DisplayTable::Groups : DisplayTable::Accounts;
}

// The upper-cased name the listing resumes after; false for an index that
// never named a row.
bool resumeAfter(Database &db, uint32_t level, uint32_t index, std::string &upper)
{
    if (index == 0) {
        upper.clear();
        return true;
    }
    Statement row = db.prepare(level == 3 ? "SELECT upper_name FROM groups WHERE id = ?"
                                          : "SELECT upper_name FROM accounts WHERE id = ?");
    row.bind(1, int64_t(index));
    if (row.step()) {
        upper = row.text(0);
        return true;
    }
    Statement mark =
        db.prepare("SELECT upper_name FROM display_marks WHERE table_kind = ? AND id = ?");
    mark.bind(1, int64_t(tableOf(level))).bind(2, int64_t(index));
    if (!mark.step())
        return false;
    upper = mark.text(0);
    return true;
}

Statement chunkQuery(Database &db, uint32_t level, int64_t samId, const std::string &after,
                     uint32_t limit)
{
    Statement query = db.prepare(
        level == 3
            ? "SELECT id, name, comment, 0, '', rid FROM groups "
              "WHERE sam_id = ? AND local = 0 AND upper_name > ? ORDER BY upper_name LIMIT ?"
            : "SELECT id, name, comment, flags | (locked * 16), full_name, rid FROM accounts "
              "WHERE sam_id = ? AND machine = ? AND upper_name > ? "
              "ORDER BY upper_name LIMIT ?");
    if (level == 3) {
        query.bind(1, samId).bind(2, after).bind(3, int64_t(limit));
    } else {
        query.bind(1, samId).bind(2, int64_t(level == 2)).bind(3, after);
        query.bind(4, int64_t(limit));
    }
    return query;
}

NetDisplayRecord readRecord(const Statement &row, uint32_t level)
{
    NetDisplayRecord record;
    record.nextIndex = uint32_t(row.integer(0));
    record.name = row.text(1);
    record.comment = row.text(2);
    record.flags = uint32_t(row.integer(3));
    record.fullName = level == 1 ? row.text(4) : std::string();
    record.id = uint32_t(row.integer(5));
    record.attributes = level == 3 ? GroupAttributes : 0;
    return record;
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetQueryDisplayInformation(
    const std::string &server, uint32_t level, uint32_t index, uint32_t entriesRequested,
    uint32_t prefMaxLen, uint32_t &returnedEntryCount, std::vector<NetDisplayRecord> &buffer)
{
    buffer.clear();
    returnedEntryCount = 0;
    if (!levelOffered(level, {1, 2, 3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    std::string after;
    if (!resumeAfter(db, level, index, after))
        return status::Success;
    const uint32_t wanted = std::clamp<uint32_t>(entriesRequested, 1, DisplayEntriesPerCall);
    // One row more than wanted tells whether more remain.
    Statement query = chunkQuery(db, level, machine.samId, after, wanted + 1);
    netapi::PageBudget budget(prefMaxLen);
    bool more = false;
    while (query.step()) {
        NetDisplayRecord record = readRecord(query, level);
        if (buffer.size() == wanted || !budget.admit(netapi::displayRecordBytes(record, level))) {
            more = true;
            break;
        }
        buffer.push_back(std::move(record));
    }
    if (query.failed())
        return status::InternalError;
    returnedEntryCount = uint32_t(buffer.size());
    return more ? status::MoreData : status::Success;
}

} // namespace platform::embedded
