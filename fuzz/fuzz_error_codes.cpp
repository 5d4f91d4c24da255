// libFuzzer target of the errcodes.ini reader: any file's contents give, for
// the keys it holds and one it does not, a value no longer than the buffer
// and on one line, or the default.
#include "platform/linux/ProfileReader.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int BufferChars = 500; // as Get_ErrorText reads it

void check(const QByteArray &contents, const QString &key)
{
    const QString fallback = QStringLiteral("<default>");
    const QString value = platform::profileStringIn(contents, QStringLiteral("Errors Codes"),
                                                    key, fallback, BufferChars);
    if (value.size() > BufferChars - 1 || value.contains(u'\n'))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    check(contents, QStringLiteral("1326"));
    // The first keys the file names, so that matches are reached, not only
    // misses (a few: each lookup reads the whole file again).
    int keys = 0;
    for (const QByteArray &line : contents.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && ++keys <= 4)
            check(contents, QString::fromUtf8(line.left(equals)).trimmed());
    }
    return 0;
}
