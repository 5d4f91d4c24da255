#include "platform/netapi/samba/LsaNames.h"

#include "platform/netapi/samba/NtStatus.h"

#include <algorithm>

namespace platform::samba {

namespace {

constexpr size_t Batch = 1000; // [MS-LSAT] 3.1.4.8/3.1.4.11: at most 1000 a call
constexpr uint32_t NoMoreEntries = 0x8000001A;

uint32_t lookupBatch(SamrSession &session, policy_handle *policy, const dom_sid *sids,
                     size_t count, SidName *out)
{
    Frame frame;
    std::vector<lsa_SidPtr> pointers(count);
    for (size_t i = 0; i < count; ++i)
        pointers[i].sid = const_cast<dom_sid *>(&sids[i]);
    lsa_SidArray array{uint32_t(count), pointers.data()};
    lsa_TransNameArray2 names{};
    lsa_RefDomainList *domains = nullptr;
    uint32_t mapped = 0;
    lsa_LookupSids2 lookup{};
    lookup.in.handle = policy;
    lookup.in.sids = &array;
    lookup.in.level = LSA_LOOKUP_NAMES_ALL;
    lookup.in.lookup_options = LSA_LOOKUP_OPTION_SEARCH_ISOLATED_NAMES;
    lookup.in.client_revision = LSA_CLIENT_REVISION_2;
    lookup.in.names = &names;
    lookup.in.count = &mapped;
    lookup.out.names = &names;
    lookup.out.count = &mapped;
    lookup.out.domains = &domains;
    const uint32_t st = session.lsa("lsa_LookupSids2", lookup, frame);
    if (st == nt::NoneMapped)
        return nt::Ok;
    if (st != nt::Ok && st != nt::SomeNotMapped)
        return st;
    for (size_t i = 0; i < count && i < names.count; ++i) {
        const lsa_TranslatedName2 &name = names.names[i];
        out[i].type = uint32_t(name.sid_type);
        out[i].name = lsaText(name.name);
        if (domains && name.sid_index < domains->count) {
            const lsa_StringLarge &domain = domains->domains[name.sid_index].name;
            out[i].domain = domain.string ? domain.string : "";
        }
    }
    return nt::Ok;
}

uint32_t sidsBatch(SamrSession &session, policy_handle *policy, const std::string *names,
                   size_t count, dom_sid *sids, uint32_t *types)
{
    Frame frame;
    std::vector<lsa_String> wanted(count);
    for (size_t i = 0; i < count; ++i)
        wanted[i] = lsaString(names[i]);
    lsa_TransSidArray3 found{};
    lsa_RefDomainList *domains = nullptr;
    uint32_t mapped = 0;
    lsa_LookupNames3 lookup{};
    lookup.in.handle = policy;
    lookup.in.num_names = uint32_t(count);
    lookup.in.names = wanted.data();
    lookup.in.level = LSA_LOOKUP_NAMES_ALL;
    lookup.in.lookup_options = LSA_LOOKUP_OPTION_SEARCH_ISOLATED_NAMES;
    lookup.in.client_revision = LSA_CLIENT_REVISION_2;
    lookup.in.sids = &found;
    lookup.in.count = &mapped;
    lookup.out.sids = &found;
    lookup.out.count = &mapped;
    lookup.out.domains = &domains;
    const uint32_t st = session.lsa("lsa_LookupNames3", lookup, frame);
    if (st == nt::NoneMapped)
        return nt::Ok;
    if (st != nt::Ok && st != nt::SomeNotMapped)
        return st;
    for (size_t i = 0; i < count && i < found.count; ++i) {
        if (!found.sids[i].sid || found.sids[i].sid_type == SID_NAME_UNKNOWN)
            continue;
        sids[i] = *found.sids[i].sid;
        types[i] = uint32_t(found.sids[i].sid_type);
    }
    return nt::Ok;
}

} // namespace

uint32_t namesOfSids(SamrSession &session, const std::vector<dom_sid> &sids,
                     std::vector<SidName> &names)
{
    names.assign(sids.size(), SidName());
    uint32_t st = nt::Ok;
    policy_handle *policy = session.lsaPolicy(st);
    if (!policy)
        return st;
    for (size_t start = 0; start < sids.size(); start += Batch) {
        const size_t count = std::min(Batch, sids.size() - start);
        if (const uint32_t failed = lookupBatch(session, policy, sids.data() + start, count,
                                                names.data() + start))
            return failed;
    }
    return nt::Ok;
}

uint32_t sidsOfNames(SamrSession &session, const std::vector<std::string> &names,
                     std::vector<dom_sid> &sids, std::vector<uint32_t> &types)
{
    sids.assign(names.size(), dom_sid{});
    types.assign(names.size(), sidtype::Unknown);
    uint32_t st = nt::Ok;
    policy_handle *policy = session.lsaPolicy(st);
    if (!policy)
        return st;
    for (size_t start = 0; start < names.size(); start += Batch) {
        const size_t count = std::min(Batch, names.size() - start);
        if (const uint32_t failed = sidsBatch(session, policy, names.data() + start, count,
                                              sids.data() + start, types.data() + start))
            return failed;
    }
    return nt::Ok;
}

uint32_t trustedDomains(SamrSession &session, std::vector<std::string> &names)
{
    names.clear();
    uint32_t st = nt::Ok;
    policy_handle *policy = session.lsaPolicy(st);
    if (!policy)
        return st;
    uint32_t resume = 0;
    for (;;) {
        Frame frame;
        lsa_DomainList domains{};
        lsa_EnumTrustDom enumerate{};
        enumerate.in.handle = policy;
        enumerate.in.max_size = 0xFFFF;
        enumerate.in.resume_handle = &resume;
        enumerate.out.resume_handle = &resume;
        enumerate.out.domains = &domains;
        st = session.lsa("lsa_EnumTrustDom", enumerate, frame);
        if (st == NoMoreEntries)
            return nt::Ok;
        if (st != nt::Ok && st != nt::MoreEntries)
            return st;
        for (uint32_t i = 0; i < domains.count; ++i) {
            const lsa_StringLarge &name = domains.domains[i].name;
            if (name.string)
                names.emplace_back(name.string);
        }
        if (st == nt::Ok || domains.count == 0)
            return nt::Ok;
    }
}

} // namespace platform::samba
