// The NTSTATUS values the back end tells apart, and how a SAMR or LSA status
// becomes the status a netapi32 caller expects from the call that met it.
#pragma once

#include "platform/netapi/Statuses.h"

#include <cstdint>

namespace platform::samba {

namespace nt {
inline constexpr uint32_t Ok = 0;
inline constexpr uint32_t MoreEntries = 0x00000105;
inline constexpr uint32_t SomeNotMapped = 0x00000107;
inline constexpr uint32_t InvalidParameter = 0xC000000D;
inline constexpr uint32_t NoMemory = 0xC0000017;
inline constexpr uint32_t AccessDenied = 0xC0000022;
inline constexpr uint32_t ObjectNameNotFound = 0xC0000034;
inline constexpr uint32_t InvalidAccountName = 0xC0000062;
inline constexpr uint32_t UserExists = 0xC0000063;
inline constexpr uint32_t NoSuchUser = 0xC0000064;
inline constexpr uint32_t GroupExists = 0xC0000065;
inline constexpr uint32_t NoSuchGroup = 0xC0000066;
inline constexpr uint32_t MemberInGroup = 0xC0000067;
inline constexpr uint32_t MemberNotInGroup = 0xC0000068;
inline constexpr uint32_t LastAdmin = 0xC0000069;
inline constexpr uint32_t WrongPassword = 0xC000006A;
inline constexpr uint32_t PasswordRestriction = 0xC000006C;
inline constexpr uint32_t LogonFailure = 0xC000006D;
inline constexpr uint32_t NoneMapped = 0xC0000073;
inline constexpr uint32_t NoSuchDomain = 0xC00000DF;
inline constexpr uint32_t InternalDbCorruption = 0xC00000E4;
inline constexpr uint32_t SpecialAccount = 0xC0000124;
inline constexpr uint32_t SpecialGroup = 0xC0000125;
inline constexpr uint32_t SpecialAlias = 0xC0000126;
inline constexpr uint32_t MembersPrimaryGroup = 0xC0000127;
inline constexpr uint32_t NoSuchAlias = 0xC0000151;
inline constexpr uint32_t MemberNotInAlias = 0xC0000152;
inline constexpr uint32_t MemberInAlias = 0xC0000153;
inline constexpr uint32_t AliasExists = 0xC0000154;
inline constexpr uint32_t NoSuchMember = 0xC000017A;
inline constexpr uint32_t InvalidMember = 0xC000017B;
inline constexpr uint32_t AccountLockedOut = 0xC0000234;
inline constexpr uint32_t ContextMismatch = 0xC0030005;
} // namespace nt

// What a call was doing when a status came back, for the statuses whose
// netapi32 counterpart depends on it.
enum class Context {
    User,          // NetUser*: a missing name is NERR_UserNotFound
    Group,         // NetGroup*: NERR_GroupNotFound
    GroupMember,   // NetGroupAddUser / DelUser
    LocalGroup,    // NetLocalGroup* on the group itself
    AliasMember,   // NetLocalGroupAddMembers / DelMembers
    Other,
};

// The netapi32 status for an NTSTATUS met in `context`.
NetStatus toNetStatus(uint32_t ntStatus, Context context);

// Whether a status says the connection itself is gone (so the call may be
// tried again on a new one).
bool isConnectionLost(uint32_t ntStatus);

} // namespace platform::samba
