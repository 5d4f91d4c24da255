// The checks netapi32 makes before a call reaches the directory: the levels a
// call offers and the parm_err index of a refused field (USER_*_PARMNUM,
// lmaccess.h).
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/NameRules.h"

#include <bit>
#include <initializer_list>

namespace platform::samba {

inline constexpr uint32_t UserPrivParm = 5;
inline constexpr uint32_t UserFlagsParm = 8;
inline constexpr uint32_t UserPrimaryGroupParm = 51;

inline bool levelOffered(uint32_t level, std::initializer_list<uint32_t> offered)
{
    for (uint32_t one : offered) {
        if (one == level)
            return true;
    }
    return false;
}

inline NetStatus unknownLevel()
{
    return netapi::statusFor(netapi::Situation::UnknownLevel);
}

inline NetStatus invalidParameter(uint32_t *parmErr, uint32_t parm)
{
    if (parmErr)
        *parmErr = parm;
    return status::InvalidParameter;
}

inline bool isMachineAccount(uint32_t flags)
{
    return (flags & (uf::WorkstationTrustAccount | uf::ServerTrustAccount)) != 0;
}

inline bool hasOneAccountType(uint32_t flags)
{
    return std::popcount(flags & uf::AccountTypeMask) == 1;
}

} // namespace platform::samba
