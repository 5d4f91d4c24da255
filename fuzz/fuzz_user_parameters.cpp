// libFuzzer target of the userParameters decoder: any bytes decode without
// reading past their end, encode back to themselves, and a change either
// succeeds and reads back, or leaves the value exactly as it was.
#include "platform/terminalserver/UserConfigClasses.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace platform::tsts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<uint8_t> raw(data, data + size);
    UserParameters parameters = UserParameters::decode(raw);
    if (parameters.encode() != raw)
        std::abort();
    ConfigValue value;
    for (int configClass = FirstConfigClass; configClass <= LastConfigClass; ++configClass)
        queryClass(parameters, configClass, value);
    // The first byte picks a class and the second a value to write.
    const int configClass = size > 0 ? data[0] % (LastConfigClass + 1) : 0;
    const ConfigValue wanted{size > 1 ? uint32_t(data[1] % 3) : 0, "x:"};
    if (!setClass(parameters, configClass, wanted)) {
        if (parameters.encode() != raw)
            std::abort();
        return 0;
    }
    const UserParameters reread = UserParameters::decode(parameters.encode());
    ConfigValue back;
    if (!queryClass(reread, configClass, back))
        std::abort();
    if (isTextClass(configClass) ? back.text != wanted.text : back.number != wanted.number)
        std::abort();
    return 0;
}
