// Bits and special values of netapi32's records (lmaccess.h, lmserver.h,
// lmshare.h), under names that do not clash with <lm.h>'s macros.
#pragma once

#include <cstdint>

namespace platform {

// usri*_flags (UF_*)
namespace uf {
inline constexpr uint32_t Script = 0x0001;
inline constexpr uint32_t AccountDisable = 0x0002;
inline constexpr uint32_t HomedirRequired = 0x0008;
inline constexpr uint32_t Lockout = 0x0010;
inline constexpr uint32_t PasswdNotReqd = 0x0020;
inline constexpr uint32_t PasswdCantChange = 0x0040;
inline constexpr uint32_t TempDuplicateAccount = 0x0100;
inline constexpr uint32_t NormalAccount = 0x0200;
inline constexpr uint32_t InterdomainTrustAccount = 0x0800;
inline constexpr uint32_t WorkstationTrustAccount = 0x1000;
inline constexpr uint32_t ServerTrustAccount = 0x2000;
inline constexpr uint32_t DontExpirePasswd = 0x10000;
inline constexpr uint32_t PasswordExpired = 0x800000; // read only
inline constexpr uint32_t AccountTypeMask = TempDuplicateAccount | NormalAccount
    | InterdomainTrustAccount | WorkstationTrustAccount | ServerTrustAccount;
} // namespace uf

// usri*_priv (USER_PRIV_*)
namespace priv {
inline constexpr uint32_t Guest = 0;
inline constexpr uint32_t User = 1;
inline constexpr uint32_t Admin = 2;
} // namespace priv

// usri3_auth_flags (AF_OP_*)
namespace af {
inline constexpr uint32_t OpPrint = 0x1;
inline constexpr uint32_t OpComm = 0x2;
inline constexpr uint32_t OpServer = 0x4;
inline constexpr uint32_t OpAccounts = 0x8;
} // namespace af

// sv*_type and NetServerEnum's servertype (SV_TYPE_*)
namespace svtype {
inline constexpr uint32_t Workstation = 0x00000001;
inline constexpr uint32_t Server = 0x00000002;
inline constexpr uint32_t SqlServer = 0x00000004;
inline constexpr uint32_t DomainCtrl = 0x00000008;
inline constexpr uint32_t DomainBakCtrl = 0x00000010;
inline constexpr uint32_t Nt = 0x00001000;
inline constexpr uint32_t ServerNt = 0x00008000;
inline constexpr uint32_t PrimaryDomain = 0x00000400;
inline constexpr uint32_t DomainEnum = 0x80000000;
inline constexpr uint32_t All = 0xFFFFFFFF;
} // namespace svtype

// shi*_type (STYPE_*)
namespace stype {
inline constexpr uint32_t DiskTree = 0;
inline constexpr uint32_t PrintQ = 1;
inline constexpr uint32_t Device = 2;
inline constexpr uint32_t Ipc = 3;
inline constexpr uint32_t Special = 0x80000000;
} // namespace stype

inline constexpr uint32_t PlatformIdNt = 500;          // PLATFORM_ID_NT
inline constexpr uint32_t MaxPreferredLength = 0xFFFFFFFF; // MAX_PREFERRED_LENGTH
inline constexpr uint32_t TimeqForever = 0xFFFFFFFF;   // TIMEQ_FOREVER (never expires)
inline constexpr uint32_t UserMaxStorageUnlimited = 0xFFFFFFFF;
inline constexpr uint32_t UnitsPerWeekHours = 168;     // UNITS_PER_WEEK in hours
inline constexpr uint32_t LgIncludeIndirect = 0x1;     // LG_INCLUDE_INDIRECT
inline constexpr uint32_t DomainUsersRid = 513;        // DOMAIN_GROUP_RID_USERS ("None" off DCs)

// The most entries one NetQueryDisplayInformation call returns, whatever the
// caller asks (as Windows 2000 and later do).
inline constexpr uint32_t DisplayEntriesPerCall = 100;

} // namespace platform
