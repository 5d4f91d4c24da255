#include "Platform.h"

namespace platform {

namespace {
Families g_families;
}

Families &current() { return g_families; }

void install(const Families &families) { g_families = families; }

} // namespace platform
