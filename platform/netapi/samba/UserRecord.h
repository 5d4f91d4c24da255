// A user account as SAMR holds it (USER_ALL_INFORMATION, [MS-SAMR] 2.2.6.6)
// and as netapi32 shows it (USER_INFO_0/1/3): account flags, times, logon
// hours and the parameters blob translated both ways.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/SambaHeaders.h"

#include <cstdint>
#include <string>

namespace platform::samba {

// UF_* (lmaccess.h) and ACB_* ([MS-SAMR] 2.2.1.12) for the same account property.
uint32_t ufFromAcb(uint32_t acb);
uint32_t acbFromUf(uint32_t uf);

// NTTIME (100 ns since 1601) and netapi32's seconds since 1970.
uint32_t unixFromNt(uint64_t ntTime);
uint64_t ntFromUnix(uint32_t seconds);

// Fills a USER_INFO_n of `level` from SAMR's record. now: seconds since 1970.
void toUserInfo(const samr_UserInfo21 &sam, uint32_t level, uint32_t privilege, uint32_t now,
                UserInfo3 &info);

// A write of the fields of `wanted` (level 1 or 3) that differ from
// `current` (null: a new account, so every field that is not the default).
// Strings and the parameters blob point into `wanted` or into `mem`; every
// field marked present has a value (a NULL string there would leave the DC
// in an open transaction).
struct UserWrite {
    samr_UserInfo21 info{};
    bool empty() const { return info.fields_present == 0; }
};
void buildUserWrite(const UserInfo3 &wanted, uint32_t level, const UserInfo3 *current,
                    TALLOC_CTX *mem, UserWrite &write);

} // namespace platform::samba
