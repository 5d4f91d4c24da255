// Small checks at the start of the embedded calls.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/NameRules.h"

#include <initializer_list>

namespace platform::embedded {

// The parm_err indexes of lmaccess.h (USER_*_PARMNUM).
inline constexpr uint32_t UserNameParm = 1;
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

} // namespace platform::embedded
