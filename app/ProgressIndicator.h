// What the shared progress bar offers to the code that is not a window: the
// user-interface layer supplies the bar itself.
#pragma once

#include <cstdint>

class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void setValue(int32_t value) = 0;
    virtual int32_t value() const = 0;
    virtual void setMax(int32_t max) = 0;
    virtual int32_t max() const = 0;
};
