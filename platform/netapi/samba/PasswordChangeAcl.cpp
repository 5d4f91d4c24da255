#include "platform/netapi/samba/PasswordChangeAcl.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace platform::samba {

namespace {

constexpr size_t HeaderSize = 20;     // SECURITY_DESCRIPTOR, self-relative
constexpr size_t AclHeaderSize = 8;
constexpr size_t AceHeaderSize = 4;
constexpr uint16_t SelfRelative = 0x8000;
constexpr uint16_t DaclPresent = 0x0004;
constexpr uint16_t KeptControl = 0x1000 | 0x0400 | 0x0100; // DACL protected/auto-inh./req.
constexpr uint8_t AclRevisionDs = 4;  // needed for object ACEs
constexpr uint8_t AllowedObject = 5;
constexpr uint8_t DeniedObject = 6;
constexpr uint8_t Denied = 1;
constexpr uint8_t InheritedAce = 0x10;
constexpr uint32_t ControlAccess = 0x100; // ADS_RIGHT_DS_CONTROL_ACCESS
constexpr uint32_t ObjectTypePresent = 1;
constexpr uint32_t InheritedObjectTypePresent = 2;

// ab721a53-1e2f-11d0-9819-00aa0040529b, as stored (first three fields LE).
constexpr uint8_t ChangePasswordRight[16] = {0x53, 0x1a, 0x72, 0xab, 0x2f, 0x1e, 0xd0, 0x11,
                                             0x98, 0x19, 0x00, 0xaa, 0x00, 0x40, 0x52, 0x9b};
constexpr uint8_t Everyone[12] = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};  // S-1-1-0
constexpr uint8_t Self[12] = {1, 1, 0, 0, 0, 0, 0, 5, 10, 0, 0, 0};     // S-1-5-10

uint16_t get16(const std::string &b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

uint32_t get32(const std::string &b, size_t at)
{
    return uint32_t(get16(b, at)) | uint32_t(get16(b, at + 2)) << 16;
}

void put16(std::string &b, size_t at, uint16_t v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char(v >> 8);
}

void put32(std::string &b, size_t at, uint32_t v)
{
    put16(b, at, uint16_t(v & 0xffff));
    put16(b, at + 2, uint16_t(v >> 16));
}

struct Dacl {
    uint16_t control = 0;
    bool present = false;
    std::vector<std::string> aces;
};

// The DACL's ACEs, each whole; false when a size or offset leaves the buffer.
bool parse(const std::string &sd, Dacl &dacl)
{
    if (sd.size() < HeaderSize || sd[0] != 1)
        return false;
    dacl.control = get16(sd, 2);
    const uint32_t offset = get32(sd, 16);
    if (!(dacl.control & DaclPresent) || offset == 0)
        return true; // no DACL: nothing denied
    dacl.present = true;
    if (offset < HeaderSize || sd.size() - AclHeaderSize < offset)
        return false;
    const uint16_t aclSize = get16(sd, offset + 2);
    const uint16_t count = get16(sd, offset + 4);
    if (aclSize < AclHeaderSize || sd.size() - offset < aclSize)
        return false;
    size_t at = offset + AclHeaderSize;
    const size_t end = offset + aclSize;
    for (uint16_t i = 0; i < count; ++i) {
        if (end - at < AceHeaderSize)
            return false;
        const uint16_t size = get16(sd, at + 2);
        if (size < AceHeaderSize || end - at < size)
            return false;
        dacl.aces.push_back(sd.substr(at, size));
        at += size;
    }
    return true;
}

// The trustee when the ACE is an object ACE for the change-password right
// with control access; null otherwise.
const char *changePasswordTrustee(const std::string &ace)
{
    const uint8_t type = uint8_t(ace[0]);
    if ((type != AllowedObject && type != DeniedObject) || ace.size() < 12)
        return nullptr;
    const uint32_t flags = get32(ace, 8);
    if (!(get32(ace, 4) & ControlAccess) || !(flags & ObjectTypePresent) || ace.size() < 28
        || std::memcmp(ace.data() + 12, ChangePasswordRight, 16) != 0)
        return nullptr;
    const size_t sid = 28 + ((flags & InheritedObjectTypePresent) ? 16 : 0);
    if (ace.size() < sid + sizeof Everyone)
        return nullptr;
    for (const uint8_t *trustee : {Everyone, Self}) {
        if (std::memcmp(ace.data() + sid, trustee, sizeof Everyone) == 0)
            return reinterpret_cast<const char *>(trustee);
    }
    return nullptr;
}

bool isExplicit(const std::string &ace)
{
    return !(uint8_t(ace[1]) & InheritedAce);
}

bool isOurs(const std::string &ace)
{
    return isExplicit(ace) && changePasswordTrustee(ace) != nullptr;
}

std::string objectAce(uint8_t type, const uint8_t (&trustee)[12])
{
    std::string ace(40, '\0');
    ace[0] = char(type);
    put16(ace, 2, 40);
    put32(ace, 4, ControlAccess);
    put32(ace, 8, ObjectTypePresent);
    std::memcpy(ace.data() + 12, ChangePasswordRight, 16);
    std::memcpy(ace.data() + 28, trustee, 12);
    return ace;
}

bool isExplicitDeny(const std::string &ace)
{
    const uint8_t type = uint8_t(ace[0]);
    return isExplicit(ace) && (type == Denied || type == DeniedObject);
}

std::string build(const Dacl &dacl)
{
    size_t aclSize = AclHeaderSize;
    for (const std::string &ace : dacl.aces)
        aclSize += ace.size();
    std::string sd(HeaderSize + AclHeaderSize, '\0');
    sd[0] = 1;
    put16(sd, 2, uint16_t(SelfRelative | DaclPresent | (dacl.control & KeptControl)));
    put32(sd, 16, HeaderSize);
    sd[HeaderSize] = char(AclRevisionDs);
    put16(sd, HeaderSize + 2, uint16_t(aclSize));
    put16(sd, HeaderSize + 4, uint16_t(dacl.aces.size()));
    for (const std::string &ace : dacl.aces)
        sd += ace;
    return sd;
}

} // namespace

std::optional<bool> cannotChangePassword(const std::string &descriptor)
{
    Dacl dacl;
    if (!parse(descriptor, dacl))
        return std::nullopt;
    for (const std::string &ace : dacl.aces) {
        if (uint8_t(ace[0]) == DeniedObject && isOurs(ace))
            return true;
    }
    return false;
}

std::optional<std::string> withCannotChangePassword(const std::string &descriptor, bool set)
{
    // Without a DACL (none sent, or not ours to read) a new one would hold
    // only these two ACEs and take every other right away: never written.
    Dacl dacl;
    if (!parse(descriptor, dacl) || !dacl.present)
        return std::nullopt;
    std::vector<std::string> kept;
    for (std::string &ace : dacl.aces) {
        if (!isOurs(ace))
            kept.push_back(std::move(ace));
    }
    const uint8_t type = set ? DeniedObject : AllowedObject;
    const std::string ours[2] = {objectAce(type, Everyone), objectAce(type, Self)};
    // Canonical order: explicit denies, explicit allows, inherited ACEs.
    size_t at = 0;
    if (!set) {
        while (at < kept.size() && isExplicitDeny(kept[at]))
            ++at;
    }
    kept.insert(kept.begin() + long(at), std::begin(ours), std::end(ours));
    if (kept.size() > 0xFFFF)
        return std::nullopt;
    dacl.aces = std::move(kept);
    const std::string out = build(dacl);
    if (out.size() - HeaderSize > 0xFFFF)
        return std::nullopt;
    return out;
}

} // namespace platform::samba
