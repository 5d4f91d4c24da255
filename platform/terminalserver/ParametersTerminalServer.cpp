#include "platform/terminalserver/ParametersTerminalServer.h"

#include "platform/NetworkManagement.h"
#include "platform/Platform.h"
#include "platform/terminalserver/UserConfigClasses.h"

namespace platform {

namespace {

bool readValue(const QString &server, const QString &user, tsts::UserParameters &parameters)
{
    std::vector<uint8_t> raw;
    if (net().UserParametersGet(server.toStdString(), user.toStdString(), raw)
        != status::Success)
        return false;
    parameters = tsts::UserParameters::decode(raw);
    return true;
}

QByteArray toBuffer(int configClass, const tsts::ConfigValue &value)
{
    if (tsts::isTextClass(configClass))
        return QByteArray(value.text.c_str(), qsizetype(value.text.size() + 1));
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value.number >> (8 * i));
    return bytes;
}

bool fromBuffer(int configClass, const QByteArray &buffer, tsts::ConfigValue &value)
{
    if (tsts::isTextClass(configClass)) {
        const qsizetype end = buffer.indexOf('\0');
        value.text = buffer.left(end < 0 ? buffer.size() : end).toStdString();
        return true;
    }
    if (buffer.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
        value.number |= uint32_t(uint8_t(buffer[i])) << (8 * i);
    return true;
}

} // namespace

bool ParametersTerminalServer::queryUserConfig(const QString &server, const QString &user,
                                               int configClass, QByteArray &buffer)
{
    tsts::UserParameters parameters;
    tsts::ConfigValue value;
    if (!readValue(server, user, parameters)
        || !tsts::queryClass(parameters, configClass, value))
        return false;
    buffer = toBuffer(configClass, value);
    return true;
}

bool ParametersTerminalServer::setUserConfig(const QString &server, const QString &user,
                                             int configClass, const QByteArray &buffer)
{
    tsts::UserParameters parameters;
    tsts::ConfigValue value;
    if (!fromBuffer(configClass, buffer, value) || !readValue(server, user, parameters)
        || !tsts::setClass(parameters, configClass, value))
        return false;
    return net().UserParametersSet(server.toStdString(), user.toStdString(),
                                   parameters.encode()) == status::Success;
}

} // namespace platform
