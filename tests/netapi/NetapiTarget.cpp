// The targets this build knows. A back end adds its own here: a class
// deriving NetapiTarget, chosen by its VARNEL_TEST_TARGET value and configured
// by its own variables (domain, controller, credentials).
#include "tests/netapi/NetapiTarget.h"

#include "tests/netapi/EmbeddedTarget.h"
#ifdef VARNEL_HAVE_SAMBA
#include "tests/netapi/SambaTarget.h"
#endif

#include <QByteArray>

namespace netapi_tests {

std::unique_ptr<NetapiTarget> makeNetapiTarget(std::string &error)
{
    const QByteArray chosen = qgetenv("VARNEL_TEST_TARGET");
    if (chosen.isEmpty() || chosen == "embedded") {
        auto target = std::make_unique<EmbeddedTarget>();
        if (!target->isReady(error))
            return nullptr;
        return target;
    }
#ifdef VARNEL_HAVE_SAMBA
    if (chosen == "samba") {
        auto target = std::make_unique<SambaTarget>();
        if (!target->isReady(error))
            return nullptr;
        return target;
    }
#endif
    error = "VARNEL_TEST_TARGET names no target this build knows: " + chosen.toStdString();
    return nullptr;
}

int runTargetHelper(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == EmbeddedOpenHelperSwitch)
        return runEmbeddedOpenHelper(argv[2]);
    return -1;
}

} // namespace netapi_tests
