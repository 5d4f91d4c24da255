#include "OsVersion.h"

#include "AppContext.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

namespace {

constexpr int32_t NtFamily = 2;
constexpr int32_t Win9xFamily = 1;

QString labelFor(const platform::OsVersionRecord &version)
{
    if (version.platformId == NtFamily) {
        if (version.major == 5 && version.minor == 0)
            return QStringLiteral("2000");
        if (version.major == 5 && version.minor == 1)
            return QStringLiteral("XP");
        return QStringLiteral("NT");
    }
    if (version.platformId == Win9xFamily) {
        switch (version.minor) {
        case 0: return QStringLiteral("95");
        case 10: return QStringLiteral("98");
        case 90: return QStringLiteral("ME");
        default: return QStringLiteral("WIN9X");
        }
    }
    return QStringLiteral("WIN32");
}

} // namespace

QString Get_OSVersion()
{
    // All-ones fields before the query: a failed query leaves platform id -1.
    platform::OsVersionRecord version;
    version.size = 148;
    version.major = version.minor = version.build = version.platformId = -1;
    version.servicePack = QString(128, u' ');
    platform::system().queryVersion(version);
    appContext().OsVersion = version;
    return labelFor(version);
}
