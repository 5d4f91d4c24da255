#include "ProgressStep.h"

#include <cmath>

namespace {

// Round half to even, whatever rounding mode the process was left in.
int32_t roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return int32_t(floor + 1);
    if (fraction < 0.5)
        return int32_t(floor);
    return std::fmod(floor, 2.0) == 0.0 ? int32_t(floor) : int32_t(floor + 1);
}

} // namespace

int32_t Progress_Step(int32_t maximum, int domainEntries, bool twoAccounts)
{
    const int entries = domainEntries > 0 ? domainEntries : 1;
    int32_t step = roundHalfEven(double(maximum) / entries);
    if (twoAccounts)
        step = roundHalfEven(step / 2.0);
    return step;
}
