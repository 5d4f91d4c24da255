#include "platform/netapi/samba/LdapListing.h"

#include "platform/netapi/Flags.h"
#include "platform/netapi/samba/UserRecord.h"

#include "platform/netapi/samba/Connections.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace platform::samba {

namespace {

constexpr char UsersFilter[] = "(sAMAccountType=805306368)";    // SAM_NORMAL_USER_ACCOUNT
constexpr char MachinesFilter[] = "(sAMAccountType=805306369)"; // SAM_MACHINE_ACCOUNT

} // namespace

ListingPath listingPath()
{
    const QByteArray chosen = qgetenv("VARNEL_SAMBA_LISTING").toLower();
    if (chosen == "samr")
        return ListingPath::Samr;
    if (chosen == "ldap")
        return ListingPath::Ldap;
    return ListingPath::Automatic;
}

uint32_t displayFlagsFromControl(uint32_t userAccountControl)
{
    // The UF_ bits are userAccountControl's own ([MS-ADTS] 2.2.16); only the
    // ones SAMR can carry are shown, as NetUserGetInfo shows them.
    return ufFromAcb(acbFromUf(userAccountControl)) | uf::Script;
}

uint32_t ridOfSid(const std::string &sid)
{
    // Revision, sub-authority count, 6-byte authority, then the sub-authorities.
    if (sid.size() < 12 || sid[0] != 1 || sid.size() != 8 + 4 * size_t(uint8_t(sid[1])))
        return 0;
    const auto *last = reinterpret_cast<const uint8_t *>(sid.data() + sid.size() - 4);
    return uint32_t(last[0]) | uint32_t(last[1]) << 8 | uint32_t(last[2]) << 16
        | uint32_t(last[3]) << 24;
}

int readDisplayAccounts(LdapSession &session, uint32_t level,
                        std::vector<NetDisplayRecord> &records, std::string &why)
{
    std::vector<LdapEntry> entries;
    const int rc = session.search(level == 1 ? UsersFilter : MachinesFilter,
                                  {"sAMAccountName", "displayName", "description",
                                   "userAccountControl", "objectSid"},
                                  false, entries, why);
    records.clear();
    if (rc != ldaprc::Success)
        return rc;
    records.reserve(entries.size());
    for (const LdapEntry &entry : entries) {
        NetDisplayRecord r;
        r.name = entry.first("sAMAccountName");
        if (level == 1)
            r.fullName = entry.first("displayName");
        r.comment = entry.first("description");
        r.flags = displayFlagsFromControl(
            uint32_t(std::strtoul(entry.first("userAccountControl").c_str(), nullptr, 10)));
        r.id = ridOfSid(entry.first("objectSid"));
        if (!r.name.empty())
            records.push_back(std::move(r));
    }
    return ldaprc::Success;
}

bool listOverLdap(LdapConnections &ldap, const std::string &server, uint32_t level,
                  std::vector<NetDisplayRecord> &records, NetStatus &status)
{
    const ListingPath path = listingPath();
    if ((level != 1 && level != 2) || path == ListingPath::Samr)
        return false;
    std::string why;
    const int rc = ldap.run(server, [&](LdapSession &session) {
        return readDisplayAccounts(session, level, records, why);
    });
    if (rc == ldaprc::Success) {
        status = status::Success;
        return true;
    }
    if (!why.empty())
        std::fprintf(stderr, "varnel: samba: \\%s: %s\n", serverHost(server).c_str(),
                     why.c_str());
    status = status::BadNetPath;
    return path == ListingPath::Ldap;
}

} // namespace platform::samba
