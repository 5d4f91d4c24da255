#include "platform/netapi/samba/UserRecord.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace platform::samba {

namespace {

struct FlagPair {
    uint32_t uf;
    uint32_t acb;
};

// The pairs of [MS-SAMR] 3.1.5.14.2 (userAccountControl / ACB mapping).
constexpr FlagPair FlagPairs[] = {
    {uf::AccountDisable, 0x00000001},      {uf::HomedirRequired, 0x00000002},
    {uf::PasswdNotReqd, 0x00000004},       {uf::TempDuplicateAccount, 0x00000008},
    {uf::NormalAccount, 0x00000010},       {0x00020000, 0x00000020},  // MNS logon
    {uf::InterdomainTrustAccount, 0x00000040},
    {uf::WorkstationTrustAccount, 0x00000080},
    {uf::ServerTrustAccount, 0x00000100},  {uf::DontExpirePasswd, 0x00000200},
    {uf::Lockout, 0x00000400},             {0x00000080, 0x00000800},  // encrypted text pw
    {0x00040000, 0x00001000},  // smart card required
    {0x00080000, 0x00002000},  // trusted for delegation
    {0x00100000, 0x00004000},  // not delegated
    {0x00200000, 0x00008000},  // DES keys only
    {0x00400000, 0x00010000},  // no Kerberos pre-authentication
    {uf::PasswordExpired, 0x00020000},
    {0x01000000, 0x00040000},  // trusted to authenticate for delegation
    {0x02000000, 0x00080000},  // no authorisation data
    {0x04000000, 0x00100000},  // partial secrets (read-only DC)
};

constexpr uint64_t NtUnixEpoch = 116444736000000000ULL; // 1970-01-01 in NTTIME
constexpr uint64_t NtNever = 0x7FFFFFFFFFFFFFFFULL;
constexpr size_t LogonHoursBytes = 21;

std::string text(const lsa_String &value)
{
    return value.string ? std::string(value.string) : std::string();
}

// userParameters is a counted run of UTF-16LE characters.
std::string parameters(const lsa_BinaryString &blob)
{
    if (!blob.array || blob.length < 2)
        return std::string();
    const auto *units = reinterpret_cast<const char16_t *>(blob.array);
    return QString::fromUtf16(units, blob.length / 2).toStdString();
}

std::vector<uint8_t> hours(const samr_LogonHours &sam)
{
    if (!sam.bits || sam.units_per_week != 168)
        return {};
    std::vector<uint8_t> bits(sam.bits, sam.bits + LogonHoursBytes);
    const bool anyHour =
        std::all_of(bits.begin(), bits.end(), [](uint8_t b) { return b == 0xFF; });
    return anyHour ? std::vector<uint8_t>() : bits;
}

bool sameHours(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b)
{
    auto normal = [](const std::vector<uint8_t> &h) {
        return h.size() == LogonHoursBytes ? h : std::vector<uint8_t>(LogonHoursBytes, 0xFF);
    };
    return normal(a) == normal(b);
}

uint64_t expiry(uint32_t acctExpires)
{
    return acctExpires == TimeqForever ? NtNever : ntFromUnix(acctExpires);
}

// Sets one string field when it is new or changed.
void putString(const std::string &wanted, const std::string *current, uint32_t field,
               lsa_String &target, uint32_t &present)
{
    if (current ? wanted == *current : wanted.empty())
        return;
    target.string = wanted.c_str();
    present |= field;
}

// The account flags a write carries: the UF bits the caller may set, and the
// lock-out bit only ever cleared ([MS-SAMR] 3.1.5.6.4.1: ACB_AUTOLOCK may only
// be reset).
uint32_t writableAcb(uint32_t flags, bool currentlyLocked)
{
    uint32_t acb = acbFromUf(flags & ~(uf::Lockout | uf::PasswordExpired));
    if (currentlyLocked && (flags & uf::Lockout))
        acb |= 0x400;
    return acb;
}

void putLevel3(const UserInfo3 &w, const UserInfo3 *c, TALLOC_CTX *mem, samr_UserInfo21 &i,
               uint32_t &p)
{
    putString(w.fullName, c ? &c->fullName : nullptr, SAMR_FIELD_FULL_NAME, i.full_name, p);
    putString(w.usrComment, c ? &c->usrComment : nullptr, SAMR_FIELD_COMMENT, i.comment, p);
    putString(w.workstations, c ? &c->workstations : nullptr, SAMR_FIELD_WORKSTATIONS,
              i.workstations, p);
    putString(w.profile, c ? &c->profile : nullptr, SAMR_FIELD_PROFILE_PATH, i.profile_path, p);
    putString(w.homeDirDrive, c ? &c->homeDirDrive : nullptr, SAMR_FIELD_HOME_DRIVE,
              i.home_drive, p);
    // A Samba DC cannot clear userParameters through SAMR (an empty blob is
    // ignored), so only a non-empty value is ever sent.
    if (!w.parms.empty() && (!c || w.parms != c->parms)) {
        const QString units = QString::fromStdString(w.parms);
        const size_t bytes = size_t(units.size()) * 2;
        auto *copy = static_cast<uint16_t *>(talloc_size(mem, bytes));
        std::memcpy(copy, units.utf16(), bytes);
        i.parameters.array = copy;
        i.parameters.length = i.parameters.size = uint16_t(bytes);
        p |= SAMR_FIELD_PARAMETERS;
    }
    if (c ? w.acctExpires != c->acctExpires : w.acctExpires != TimeqForever) {
        i.acct_expiry = expiry(w.acctExpires);
        p |= SAMR_FIELD_ACCT_EXPIRY;
    }
    if (c ? !sameHours(w.logonHours, c->logonHours) : !sameHours(w.logonHours, {})) {
        auto *bits = static_cast<uint8_t *>(talloc_size(mem, LogonHoursBytes));
        std::memset(bits, 0xFF, LogonHoursBytes);
        if (w.logonHours.size() == LogonHoursBytes)
            std::memcpy(bits, w.logonHours.data(), LogonHoursBytes);
        i.logon_hours.units_per_week = 168;
        i.logon_hours.bits = bits;
        p |= SAMR_FIELD_LOGON_HOURS;
    }
    if (c ? w.countryCode != c->countryCode : w.countryCode != 0) {
        i.country_code = uint16_t(w.countryCode);
        p |= SAMR_FIELD_COUNTRY_CODE;
    }
    if (c ? w.codePage != c->codePage : w.codePage != 0) {
        i.code_page = uint16_t(w.codePage);
        p |= SAMR_FIELD_CODE_PAGE;
    }
    if (c && w.primaryGroupId != c->primaryGroupId) {
        i.primary_gid = w.primaryGroupId;
        p |= SAMR_FIELD_PRIMARY_GID;
    }
    const bool expired = w.passwordExpired != 0;
    if (c ? expired != (c->passwordExpired != 0) : expired) {
        i.password_expired = expired ? 1 : 0;
        p |= SAMR_FIELD_EXPIRED_FLAG;
    }
}

} // namespace

uint32_t ufFromAcb(uint32_t acb)
{
    uint32_t out = 0;
    for (const FlagPair &pair : FlagPairs) {
        if (acb & pair.acb)
            out |= pair.uf;
    }
    return out;
}

uint32_t acbFromUf(uint32_t flags)
{
    uint32_t out = 0;
    for (const FlagPair &pair : FlagPairs) {
        if (flags & pair.uf)
            out |= pair.acb;
    }
    return out;
}

uint32_t unixFromNt(uint64_t ntTime)
{
    if (ntTime == 0 || ntTime <= NtUnixEpoch)
        return 0;
    const uint64_t seconds = (ntTime - NtUnixEpoch) / 10000000ULL;
    return seconds >= TimeqForever ? TimeqForever - 1 : uint32_t(seconds);
}

uint64_t ntFromUnix(uint32_t seconds)
{
    return NtUnixEpoch + uint64_t(seconds) * 10000000ULL;
}

void toUserInfo(const samr_UserInfo21 &sam, uint32_t level, uint32_t privilege, uint32_t now,
                UserInfo3 &info)
{
    info = UserInfo3();
    info.name = text(sam.account_name);
    if (level == 0)
        return;
    const uint32_t changed = unixFromNt(sam.last_password_change);
    info.passwordAge = now > changed ? now - changed : 0;
    info.priv = privilege;
    info.homeDir = text(sam.home_directory);
    info.comment = text(sam.description);
    // netapi32 always reports UF_SCRIPT; SAMR has no bit for it.
    info.flags = ufFromAcb(sam.acct_flags) | uf::Script
        | (sam.password_expired ? uf::PasswordExpired : 0);
    info.scriptPath = text(sam.logon_script);
    if (level == 1)
        return;
    info.fullName = text(sam.full_name);
    info.usrComment = text(sam.comment);
    info.parms = parameters(sam.parameters);
    info.workstations = text(sam.workstations);
    info.lastLogon = unixFromNt(sam.last_logon);
    info.lastLogoff = sam.last_logoff >= NtNever ? 0 : unixFromNt(sam.last_logoff);
    info.acctExpires = sam.acct_expiry == 0 || sam.acct_expiry >= NtNever
        ? TimeqForever : unixFromNt(sam.acct_expiry);
    info.maxStorage = UserMaxStorageUnlimited;
    info.unitsPerWeek = sam.logon_hours.units_per_week ? sam.logon_hours.units_per_week
                                                       : UnitsPerWeekHours;
    info.logonHours = hours(sam.logon_hours);
    info.badPwCount = sam.bad_password_count;
    info.numLogons = sam.logon_count;
    info.logonServer = "\\\\*";
    info.countryCode = sam.country_code;
    info.codePage = sam.code_page;
    info.userId = sam.rid;
    info.primaryGroupId = sam.primary_gid;
    info.profile = text(sam.profile_path);
    info.homeDirDrive = text(sam.home_drive);
    info.passwordExpired = sam.password_expired ? 1 : 0;
}

void buildUserWrite(const UserInfo3 &wanted, uint32_t level, const UserInfo3 *current,
                    TALLOC_CTX *mem, UserWrite &write)
{
    samr_UserInfo21 &i = write.info;
    uint32_t &p = i.fields_present;
    const UserInfo3 *c = current;
    putString(wanted.homeDir, c ? &c->homeDir : nullptr, SAMR_FIELD_HOME_DIRECTORY,
              i.home_directory, p);
    putString(wanted.comment, c ? &c->comment : nullptr, SAMR_FIELD_DESCRIPTION, i.description,
              p);
    putString(wanted.scriptPath, c ? &c->scriptPath : nullptr, SAMR_FIELD_LOGON_SCRIPT,
              i.logon_script, p);
    const bool locked = c && (c->flags & uf::Lockout);
    const uint32_t acb = writableAcb(wanted.flags, locked);
    const uint32_t currentAcb = c ? writableAcb(c->flags, locked) : 0;
    if (!c || acb != currentAcb) {
        i.acct_flags = acb;
        p |= SAMR_FIELD_ACCT_FLAGS;
    }
    if (level == 3)
        putLevel3(wanted, c, mem, i, p);
}

} // namespace platform::samba
