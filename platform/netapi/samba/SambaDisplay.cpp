// NetQueryDisplayInformation: users (level 1), machines (level 2) and global
// groups (level 3) in chunks, in the order of the upper-cased names. The DC's
// display information ([MS-SAMR] 3.1.5.3.3) is read whole at the start of a
// walk and handed out from the back end's copy. On an Active Directory DC the
// users and machines come from one LDAP search instead (LdapListing.h).
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/samba/LdapListing.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/SamrObjects.h"
#include "platform/netapi/samba/UserRecord.h"

#include <algorithm>

namespace platform::samba {

namespace {

constexpr uint32_t GroupAttributes = 7; // SE_GROUP_MANDATORY | ENABLED_BY_DEFAULT | ENABLED
constexpr uint32_t DisplayBatch = 10000;
constexpr uint32_t MachineTypes = uf::WorkstationTrustAccount | uf::ServerTrustAccount;

// A Samba AD DC sends no account flags with the display information (only
// ACB_NORMAL at most): the listing's level then says what the account is.
uint32_t displayFlags(uint32_t acb, uint32_t level)
{
    uint32_t flags = ufFromAcb(acb) | uf::Script;
    if (level == 2 && !(flags & MachineTypes))
        flags = (flags & ~uf::AccountTypeMask) | uf::WorkstationTrustAccount;
    if (level == 1 && !(flags & uf::AccountTypeMask))
        flags |= uf::NormalAccount;
    return flags;
}

void appendChunk(const samr_DispInfo &info, uint32_t level,
                 std::vector<NetDisplayRecord> &records)
{
    if (level == 1) {
        for (uint32_t i = 0; i < info.info1.count; ++i) {
            const samr_DispEntryGeneral &e = info.info1.entries[i];
            NetDisplayRecord r;
            r.name = lsaText(e.account_name);
            r.comment = lsaText(e.description);
            r.fullName = lsaText(e.full_name);
            r.flags = displayFlags(e.acct_flags, level);
            r.id = e.rid;
            records.push_back(std::move(r));
        }
    } else if (level == 2) {
        for (uint32_t i = 0; i < info.info2.count; ++i) {
            const samr_DispEntryFull &e = info.info2.entries[i];
            NetDisplayRecord r;
            r.name = lsaText(e.account_name);
            r.comment = lsaText(e.description);
            r.flags = displayFlags(e.acct_flags, level);
            r.id = e.rid;
            records.push_back(std::move(r));
        }
    } else {
        for (uint32_t i = 0; i < info.info3.count; ++i) {
            const samr_DispEntryFullGroup &e = info.info3.entries[i];
            NetDisplayRecord r;
            r.name = lsaText(e.account_name);
            r.comment = lsaText(e.description);
            r.id = e.rid;
            r.attributes = GroupAttributes;
            records.push_back(std::move(r));
        }
    }
}

uint32_t chunkCount(const samr_DispInfo &info, uint32_t level)
{
    return level == 1 ? info.info1.count : level == 2 ? info.info2.count : info.info3.count;
}

uint32_t readAll(SamrSession &session, uint32_t level, std::vector<NetDisplayRecord> &records)
{
    records.clear();
    for (uint32_t start = 0;;) {
        Frame frame;
        uint32_t total = 0, returned = 0;
        samr_DispInfo info{};
        samr_QueryDisplayInfo query{};
        query.in.domain_handle = session.domain(Domain::Account);
        query.in.level = uint16_t(level);
        query.in.start_idx = start;
        query.in.max_entries = DisplayBatch;
        query.in.buf_size = 0x7FFFFFFF;
        query.out.total_size = &total;
        query.out.returned_size = &returned;
        query.out.info = &info;
        const uint32_t st = session.samr(NDR_SAMR_QUERYDISPLAYINFO, query, frame);
        if (st != nt::Ok && st != nt::MoreEntries)
            return st;
        appendChunk(info, level, records);
        const uint32_t count = chunkCount(info, level);
        start += count;
        if (st == nt::Ok || count == 0)
            return nt::Ok;
    }
}

} // namespace

NetStatus SambaNetworkManagement::NetQueryDisplayInformation(
    const std::string &server, uint32_t level, uint32_t index, uint32_t entriesRequested,
    uint32_t prefMaxLen, uint32_t &returnedEntryCount, std::vector<NetDisplayRecord> &buffer)
{
    buffer.clear();
    returnedEntryCount = 0;
    if (!levelOffered(level, {1, 2, 3}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    const std::vector<NetDisplayRecord> *list = index == 0 ? nullptr
                                                           : m_display->find(server, level);
    if (!list) {
        std::vector<NetDisplayRecord> records;
        NetStatus st = status::Success;
        if (!listOverLdap(*m_ldap, server, level, records, st)) {
            st = m_connections->run(server, [&](SamrSession &session) {
                return toNetStatus(readAll(session, level, records), Context::Other);
            });
        }
        if (st != status::Success)
            return st;
        list = &m_display->store(server, level, std::move(records));
    }
    const uint32_t wanted = std::clamp<uint32_t>(entriesRequested, 1, DisplayEntriesPerCall);
    netapi::PageBudget budget(prefMaxLen);
    bool more = false;
    for (size_t at = index; at < list->size(); ++at) {
        const NetDisplayRecord &record = (*list)[at];
        if (buffer.size() == wanted
            || !budget.admit(netapi::displayRecordBytes(record, level))) {
            more = true;
            break;
        }
        buffer.push_back(record);
    }
    returnedEntryCount = uint32_t(buffer.size());
    return more ? status::MoreData : status::Success;
}

} // namespace platform::samba
