// libFuzzer target of the security-descriptor reader behind "user cannot
// change password": any bytes from the wire are read without going past
// their end; a descriptor that reads can be set and cleared, and each result
// reads back as what was written.
#include "platform/netapi/samba/PasswordChangeAcl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace platform::samba;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string sd(reinterpret_cast<const char *>(data), size);
    const std::optional<bool> state = cannotChangePassword(sd);
    const auto set = withCannotChangePassword(sd, true);
    const auto cleared = withCannotChangePassword(sd, false);
    // A descriptor that does not read is never rewritten (one that reads may
    // still be refused: no DACL, or no room for the two ACEs in an ACL).
    if (!state && (set || cleared))
        std::abort();
    if (set && cannotChangePassword(*set) != std::optional<bool>(true))
        std::abort();
    if (cleared && cannotChangePassword(*cleared) != std::optional<bool>(false))
        std::abort();
    return 0;
}
