#include "platform/netapi/samba/SamrObjects.h"

#include "platform/netapi/samba/NtStatus.h"

#include <algorithm>

namespace platform::samba {

namespace {

constexpr uint32_t MaximumAllowed = 0x02000000;
constexpr size_t LookupBatch = 1000; // [MS-SAMR] 3.1.5.11.2: at most 1000 RIDs a call

uint32_t lookupOne(SamrSession &session, Domain domain, const std::string &name, Found &found)
{
    Frame frame;
    lsa_String wanted = lsaString(name);
    samr_Ids rids{}, types{};
    samr_LookupNames lookup{};
    lookup.in.domain_handle = session.domain(domain);
    lookup.in.num_names = 1;
    lookup.in.names = &wanted;
    lookup.out.rids = &rids;
    lookup.out.types = &types;
    const uint32_t st = session.samr(NDR_SAMR_LOOKUPNAMES, lookup, frame);
    if (st != nt::Ok)
        return st;
    if (rids.count < 1 || types.count < 1 || types.ids[0] == sidtype::Unknown)
        return nt::NoneMapped;
    found.domain = domain;
    found.rid = rids.ids[0];
    found.type = types.ids[0];
    return nt::Ok;
}

uint32_t openObject(SamrSession &session, policy_handle *domain, uint32_t opnum, uint32_t rid,
                    ObjectHandle &handle)
{
    Frame frame;
    uint32_t st = nt::Ok;
    if (opnum == NDR_SAMR_OPENUSER) {
        samr_OpenUser open{};
        open.in.domain_handle = domain;
        open.in.access_mask = MaximumAllowed;
        open.in.rid = rid;
        open.out.user_handle = handle.out();
        st = session.samr(opnum, open, frame);
    } else if (opnum == NDR_SAMR_OPENGROUP) {
        samr_OpenGroup open{};
        open.in.domain_handle = domain;
        open.in.access_mask = MaximumAllowed;
        open.in.rid = rid;
        open.out.group_handle = handle.out();
        st = session.samr(opnum, open, frame);
    } else {
        samr_OpenAlias open{};
        open.in.domain_handle = domain;
        open.in.access_mask = MaximumAllowed;
        open.in.rid = rid;
        open.out.alias_handle = handle.out();
        st = session.samr(opnum, open, frame);
    }
    if (st != nt::Ok)
        handle.forget();
    return st;
}

} // namespace

uint32_t lookupName(SamrSession &session, const std::string &name, bool alsoBuiltin,
                    Found &found)
{
    const uint32_t st = lookupOne(session, Domain::Account, name, found);
    if (st != nt::NoneMapped || !alsoBuiltin)
        return st;
    return lookupOne(session, Domain::Builtin, name, found);
}

uint32_t lookupInDomain(SamrSession &session, Domain domain, const std::string &name,
                        Found &found)
{
    return lookupOne(session, domain, name, found);
}

uint32_t lookupRids(SamrSession &session, Domain domain, const std::vector<uint32_t> &rids,
                    std::vector<std::string> &names, std::vector<uint32_t> &types)
{
    names.assign(rids.size(), std::string());
    types.assign(rids.size(), sidtype::Unknown);
    for (size_t start = 0; start < rids.size(); start += LookupBatch) {
        const size_t count = std::min(LookupBatch, rids.size() - start);
        Frame frame;
        std::vector<uint32_t> batch(rids.begin() + long(start),
                                    rids.begin() + long(start + count));
        lsa_Strings found{};
        samr_Ids kinds{};
        samr_LookupRids lookup{};
        lookup.in.domain_handle = session.domain(domain);
        lookup.in.num_rids = uint32_t(count);
        lookup.in.rids = batch.data();
        lookup.out.names = &found;
        lookup.out.types = &kinds;
        const uint32_t st = session.samr(NDR_SAMR_LOOKUPRIDS, lookup, frame);
        if (st == nt::NoneMapped)
            continue;
        if (st != nt::Ok && st != nt::SomeNotMapped)
            return st;
        for (size_t i = 0; i < count && i < found.count && i < kinds.count; ++i) {
            names[start + i] = lsaText(found.names[i]);
            types[start + i] = kinds.ids[i];
        }
    }
    return nt::Ok;
}

uint32_t openUser(SamrSession &session, uint32_t rid, ObjectHandle &handle)
{
    return openObject(session, session.domain(Domain::Account), NDR_SAMR_OPENUSER, rid, handle);
}

uint32_t openGroup(SamrSession &session, uint32_t rid, ObjectHandle &handle)
{
    return openObject(session, session.domain(Domain::Account), NDR_SAMR_OPENGROUP, rid,
                      handle);
}

uint32_t openAlias(SamrSession &session, Domain domain, uint32_t rid, ObjectHandle &handle)
{
    return openObject(session, session.domain(domain), NDR_SAMR_OPENALIAS, rid, handle);
}

dom_sid sidOf(const dom_sid &domainSid, uint32_t rid)
{
    dom_sid sid = domainSid;
    if (sid.num_auths < 15)
        sid.sub_auths[sid.num_auths++] = rid;
    return sid;
}

bool sameSid(const dom_sid &a, const dom_sid &b)
{
    if (a.sid_rev_num != b.sid_rev_num || a.num_auths != b.num_auths)
        return false;
    if (!std::equal(a.id_auth, a.id_auth + 6, b.id_auth))
        return false;
    return std::equal(a.sub_auths, a.sub_auths + a.num_auths, b.sub_auths);
}

bool inDomain(const dom_sid &sid, const dom_sid &domainSid, uint32_t &rid)
{
    if (sid.num_auths != domainSid.num_auths + 1)
        return false;
    dom_sid prefix = sid;
    prefix.num_auths = domainSid.num_auths;
    if (!sameSid(prefix, domainSid))
        return false;
    rid = sid.sub_auths[sid.num_auths - 1];
    return true;
}

std::string sidText(const dom_sid &sid)
{
    uint64_t authority = 0;
    for (int i = 0; i < 6; ++i)
        authority = (authority << 8) | sid.id_auth[i];
    std::string text = "S-" + std::to_string(sid.sid_rev_num) + "-" + std::to_string(authority);
    for (int i = 0; i < sid.num_auths; ++i)
        text += "-" + std::to_string(sid.sub_auths[i]);
    return text;
}

std::string lsaText(const lsa_String &text)
{
    return text.string ? std::string(text.string) : std::string();
}

lsa_String lsaString(const std::string &text)
{
    lsa_String out{};
    out.string = text.c_str();
    return out;
}

} // namespace platform::samba
