#include "platform/netapi/BufferRules.h"

#include <QString>

namespace platform::netapi {

namespace {

constexpr uint32_t Slot = 4; // one number or one string pointer in a 32-bit record

uint32_t withPointer(const std::string &utf8)
{
    return Slot + utf16Bytes(utf8);
}

} // namespace

uint32_t utf16Bytes(const std::string &utf8)
{
    return uint32_t(QString::fromStdString(utf8).size() + 1) * 2;
}

uint32_t displayRecordBytes(const NetDisplayRecord &record, uint32_t level)
{
    // NET_DISPLAY_USER: name, comment, flags, full name, user id, next index.
    // NET_DISPLAY_MACHINE and NET_DISPLAY_GROUP: name, comment, two numbers
    // and the next index.
    uint32_t bytes = withPointer(record.name) + withPointer(record.comment) + 3 * Slot;
    if (level == 1)
        bytes += withPointer(record.fullName);
    return bytes;
}

uint32_t groupInfoBytes(const GroupInfo1 &info, uint32_t level)
{
    return withPointer(info.name) + (level >= 1 ? withPointer(info.comment) : 0);
}

uint32_t nameRecordBytes(const std::string &name)
{
    return withPointer(name);
}

uint32_t serverInfoBytes(const ServerInfo101 &info, uint32_t level)
{
    uint32_t bytes = Slot + withPointer(info.name);
    if (level >= 101)
        bytes += 3 * Slot + withPointer(info.comment);
    return bytes;
}

uint32_t shareInfoBytes(const ShareInfo2 &info, uint32_t level)
{
    uint32_t bytes = withPointer(info.netname);
    if (level >= 1)
        bytes += Slot + withPointer(info.remark);
    if (level >= 2)
        bytes += 3 * Slot + withPointer(info.path) + withPointer(info.passwd);
    return bytes;
}

bool PageBudget::admit(uint32_t bytes)
{
    if (m_first) {
        m_first = false;
        m_left = m_left > bytes ? m_left - bytes : 0;
        return true;
    }
    if (bytes > m_left)
        return false;
    m_left -= bytes;
    return true;
}

} // namespace platform::netapi
