#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

namespace platform::embedded {

EmbeddedNetworkManagement::EmbeddedNetworkManagement(const std::string &path, Clock clock)
    : m_store(path, std::move(clock))
{
}

} // namespace platform::embedded
