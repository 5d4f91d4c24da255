// Paging of listings the back end assembles itself: the records after a
// resume handle, in key order, cut by the byte rule of BufferRules.h.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/BufferRules.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace platform::samba {

template <typename Record>
using KeyedRows = std::vector<std::pair<uint32_t, Record>>;

// Rows must be sorted by key; the handle becomes the key of the last row
// returned.
template <typename Record, typename Bytes>
NetStatus pageRows(const KeyedRows<Record> &rows, Bytes bytes, uint32_t prefMaxLen,
                   std::vector<Record> &buffer, uint32_t &entriesRead, uint32_t &totalEntries,
                   uint32_t &resumeHandle)
{
    buffer.clear();
    netapi::PageBudget budget(prefMaxLen);
    uint32_t remaining = 0;
    uint32_t lastKey = resumeHandle;
    bool full = false;
    for (const auto &[key, record] : rows) {
        if (key <= resumeHandle)
            continue;
        ++remaining;
        if (full || !budget.admit(bytes(record))) {
            full = true;
            continue;
        }
        buffer.push_back(record);
        lastKey = key;
    }
    resumeHandle = lastKey;
    entriesRead = uint32_t(buffer.size());
    totalEntries = remaining;
    return entriesRead < remaining ? status::MoreData : status::Success;
}

// A listing without a resume handle: what fits, MoreData when not all did.
template <typename Record, typename Bytes>
NetStatus pageAll(const std::vector<Record> &records, Bytes bytes, uint32_t prefMaxLen,
                  std::vector<Record> &buffer, uint32_t &entriesRead, uint32_t &totalEntries)
{
    buffer.clear();
    netapi::PageBudget budget(prefMaxLen);
    for (const Record &record : records) {
        if (!budget.admit(bytes(record)))
            break;
        buffer.push_back(record);
    }
    entriesRead = uint32_t(buffer.size());
    totalEntries = uint32_t(records.size());
    return entriesRead < totalEntries ? status::MoreData : status::Success;
}

} // namespace platform::samba
