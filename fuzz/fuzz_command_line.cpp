// libFuzzer target of the command-line parser: any line parses without
// reading outside itself, and a request it returns holds values cut from the
// line (trimmed domain, a criteria that lost at most one trailing "*").
#include "app/CommandLine.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    HasSwitch(line, QStringLiteral("/NOLOG"));
    const auto request = ParseAccountListRequest(line);
    if (!request)
        return 0;
    if (request->domain != request->domain.trimmed() || !line.contains(request->domain))
        std::abort();
    const QString written = request->criteria + (request->wildcard ? u"*"_qs : QString());
    if (!line.contains(written))
        std::abort();
    return 0;
}
