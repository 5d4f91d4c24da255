#include "UserConfig.h"

#include "platform/Platform.h"
#include "platform/TerminalServer.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int32_t, 6> TextClasses{0, 1, 13, 15, 16, 17};

bool isText(int32_t configClass)
{
    return std::find(TextClasses.begin(), TextClasses.end(), configClass) != TextClasses.end();
}

QByteArray littleEndian(int32_t number)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(uint32_t(number) >> (8 * i));
    return bytes;
}

int32_t fromLittleEndian(const QByteArray &bytes)
{
    uint32_t number = 0;
    for (int i = 0; i < 4; ++i)
        number |= uint32_t(uint8_t(bytes[i])) << (8 * i);
    return int32_t(number);
}

} // namespace

int32_t Query_UserConfig(const QString &server, const QString &user, int32_t configClass,
                         QString &value)
{
    QByteArray buffer;
    if (!platform::terminalServer().queryUserConfig(server, user, configClass, buffer)
        || buffer.isEmpty())
        return -1;
    if (isText(configClass)) {
        const qsizetype end = buffer.indexOf('\0');
        value = QString::fromUtf8(buffer.left(end < 0 ? buffer.size() : end));
        return 0;
    }
    if (buffer.size() < 4)
        return -1;
    value = QString::number(fromLittleEndian(buffer));
    return 0;
}

int32_t Set_UserConfig(const QString &server, const QString &user, int32_t configClass,
                       const QString &value)
{
    QByteArray buffer;
    if (isText(configClass)) {
        buffer = value.toUtf8();
    } else {
        bool isNumber = false;
        const int32_t number = value.trimmed().toInt(&isNumber);
        if (!isNumber)
            return -1;
        buffer = littleEndian(number);
    }
    return platform::terminalServer().setUserConfig(server, user, configClass, buffer) ? 0 : -1;
}
