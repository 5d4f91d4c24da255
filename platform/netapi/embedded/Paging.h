// The paging every group, member, server and share listing shares: rows after
// a resume handle in key order, cut by the byte rule, with the count of what
// remains.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/embedded/Database.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace platform::embedded {

// One row of a paged listing: its key (the resume handle after it) and the
// record it gives.
template <typename Record>
struct PagedRow {
    int64_t key = 0;
    Record record;
};

// How many rows after the resume handle can fit in prefMaxLen at most (the
// smallest record takes 6 bytes); -1: no limit worth asking SQLite for.
inline int64_t rowLimit(uint32_t prefMaxLen)
{
    const int64_t most = int64_t(prefMaxLen) / 6 + 1;
    return most > 10000000 ? -1 : most;
}

// Fills one page from the rows after the resume handle, ordered by key (read
// with rowLimit), of `remaining` in all: as many as fit in prefMaxLen (at
// least one); the handle moves to the last one taken. MoreData when some are
// left.
template <typename Record>
NetStatus fillPage(const std::vector<PagedRow<Record>> &rows, uint32_t remaining,
                   const std::function<uint32_t(const Record &)> &bytes, uint32_t prefMaxLen,
                   std::vector<Record> &buffer, uint32_t &entriesRead,
                   uint32_t &totalEntries, uint32_t &resumeHandle)
{
    buffer.clear();
    netapi::PageBudget budget(prefMaxLen);
    for (const PagedRow<Record> &row : rows) {
        if (!budget.admit(bytes(row.record)))
            break;
        buffer.push_back(row.record);
        resumeHandle = uint32_t(row.key);
    }
    entriesRead = uint32_t(buffer.size());
    totalEntries = remaining;
    return buffer.size() < remaining ? status::MoreData : status::Success;
}

// Runs one page of a listing. countSql: "SELECT COUNT(*) ... WHERE <filter>
// AND key > ?"; rowsSql: "SELECT key, ... WHERE <filter> AND key > ? ORDER BY
// key LIMIT ?". bindFilter binds the filter's `filterParams` parameters; the
// resume handle and the limit follow them. read turns a row (key in column 0)
// into a record.
template <typename Record>
NetStatus pageQuery(Database &db, const char *countSql, const char *rowsSql,
                    const std::function<void(Statement &)> &bindFilter, int filterParams,
                    const std::function<Record(const Statement &)> &read,
                    const std::function<uint32_t(const Record &)> &bytes, uint32_t prefMaxLen,
                    std::vector<Record> &buffer, uint32_t &entriesRead,
                    uint32_t &totalEntries, uint32_t &resumeHandle)
{
    Statement count = db.prepare(countSql);
    bindFilter(count);
    count.bind(filterParams + 1, int64_t(resumeHandle));
    if (!count.step())
        return status::InternalError;
    const uint32_t remaining = uint32_t(count.integer(0));
    Statement query = db.prepare(rowsSql);
    bindFilter(query);
    query.bind(filterParams + 1, int64_t(resumeHandle));
    query.bind(filterParams + 2, rowLimit(prefMaxLen));
    std::vector<PagedRow<Record>> rows;
    while (query.step())
        rows.push_back({query.integer(0), read(query)});
    if (query.failed())
        return status::InternalError;
    return fillPage(rows, remaining, bytes, prefMaxLen, buffer, entriesRead, totalEntries,
                    resumeHandle);
}

} // namespace platform::embedded
