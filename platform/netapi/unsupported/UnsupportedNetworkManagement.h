// A network-management back end that answers ERROR_NOT_SUPPORTED to every call:
// the program still starts, and the identity functions yield empty strings.
#pragma once

#include "platform/NetworkManagement.h"

namespace platform {

class UnsupportedNetworkManagement : public NetworkManagement {
public:
    NetStatus NetWkstaUserGetInfo(const std::string &, WkstaUserInfo1 &) override
    {
        return status::NotSupported;
    }
    NetStatus NetWkstaGetInfo(const std::string &, WkstaInfo102 &) override
    {
        return status::NotSupported;
    }
    NetStatus NetGetDCName(const std::string &, const std::string &, std::string &) override
    {
        return status::NotSupported;
    }
    NetStatus NetEnumerateTrustedDomains(const std::string &, std::string &) override
    {
        return status::NotSupported;
    }
    bool hasLocalAccountDatabase() override { return false; }
};

} // namespace platform
