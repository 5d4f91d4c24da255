// libFuzzer target of the account search's work-file reader: any file gives
// at most the limit of entries, each trimmed, not blank and on one line.
#include "accountlist/WorkFile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte sets how many entries the list already holds of a small
    // limit, so that both "stops at the limit" and "reads to the end" are met.
    constexpr int Limit = 64;
    const int alreadyHeld = size > 0 ? data[0] % (Limit + 8) : 0;
    QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer input(&contents);
    input.open(QIODevice::ReadOnly | QIODevice::Text);
    QStringList items;
    for (int i = 0; i < alreadyHeld; ++i)
        items.append(QStringLiteral("HELD"));
    Collect_WorkLines(input, items, Limit);
    if (items.size() > qMax(Limit, alreadyHeld))
        std::abort();
    for (qsizetype i = alreadyHeld; i < items.size(); ++i) {
        const QString &item = items.at(i);
        if (item.isEmpty() || item != item.trimmed() || item.contains(u'\n'))
            std::abort();
    }
    return 0;
}
