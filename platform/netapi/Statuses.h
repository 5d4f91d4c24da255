// The statuses the network-management calls answer with: netapi32's own numbers
// (Win32 errors and LAN Manager NERR_ codes from lmerr.h). The names drop the
// ERROR_ / NERR_ prefixes so that this header can stand beside <lm.h>, whose
// macros of the same names would otherwise clash.
#pragma once

#include <cstdint>

namespace platform {

using NetStatus = int32_t;

namespace status {
inline constexpr NetStatus Success = 0;                // NERR_Success
inline constexpr NetStatus AccessDenied = 5;           // ERROR_ACCESS_DENIED
inline constexpr NetStatus NotEnoughMemory = 8;        // ERROR_NOT_ENOUGH_MEMORY
inline constexpr NetStatus NotSupported = 50;          // ERROR_NOT_SUPPORTED
inline constexpr NetStatus BadNetPath = 53;            // ERROR_BAD_NETPATH
inline constexpr NetStatus InvalidParameter = 87;      // ERROR_INVALID_PARAMETER
inline constexpr NetStatus OpenFailed = 110;           // ERROR_OPEN_FAILED
inline constexpr NetStatus InvalidName = 123;          // ERROR_INVALID_NAME
inline constexpr NetStatus InvalidLevel = 124;         // ERROR_INVALID_LEVEL
inline constexpr NetStatus MoreData = 234;             // ERROR_MORE_DATA
inline constexpr NetStatus NoSuchDomain = 1355;        // ERROR_NO_SUCH_DOMAIN
inline constexpr NetStatus SpecialAccount = 1371;      // ERROR_SPECIAL_ACCOUNT
inline constexpr NetStatus MembersPrimaryGroup = 1374; // ERROR_MEMBERS_PRIMARY_GROUP
inline constexpr NetStatus MemberNotInAlias = 1377;    // ERROR_MEMBER_NOT_IN_ALIAS
inline constexpr NetStatus MemberInAlias = 1378;       // ERROR_MEMBER_IN_ALIAS
inline constexpr NetStatus AliasExists = 1379;         // ERROR_ALIAS_EXISTS
inline constexpr NetStatus NoSuchMember = 1387;        // ERROR_NO_SUCH_MEMBER
inline constexpr NetStatus InvalidMember = 1388;       // ERROR_INVALID_MEMBER
inline constexpr NetStatus NoBrowserServersFound = 6118; // ERROR_NO_BROWSER_SERVERS_FOUND

inline constexpr NetStatus InternalError = 2140;       // NERR_InternalError
inline constexpr NetStatus InvalidComputer = 2351;     // NERR_InvalidComputer
inline constexpr NetStatus BadUsername = 2202;         // NERR_BadUsername
inline constexpr NetStatus GroupNotFound = 2220;       // NERR_GroupNotFound
inline constexpr NetStatus UserNotFound = 2221;        // NERR_UserNotFound
inline constexpr NetStatus GroupExists = 2223;         // NERR_GroupExists
inline constexpr NetStatus UserExists = 2224;          // NERR_UserExists
inline constexpr NetStatus NotPrimary = 2226;          // NERR_NotPrimary
inline constexpr NetStatus SpeGroupOp = 2234;          // NERR_SpeGroupOp
inline constexpr NetStatus UserInGroup = 2236;         // NERR_UserInGroup
inline constexpr NetStatus UserNotInGroup = 2237;      // NERR_UserNotInGroup
inline constexpr NetStatus PasswordTooShort = 2245;    // NERR_PasswordTooShort
inline constexpr NetStatus NetNameNotFound = 2310;     // NERR_NetNameNotFound
inline constexpr NetStatus DCNotFound = 2453;          // NERR_DCNotFound
} // namespace status

} // namespace platform
