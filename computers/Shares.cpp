#include "Shares.h"

#include "directory/NetStrings.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

constexpr uint32_t NamesLevel = 1;
constexpr uint32_t FullLevel = 2;
constexpr uint32_t AsMuchAsNeeded = 0xFFFFFFFF;

} // namespace

QString Share_TypeWord(uint32_t type)
{
    switch (type) {
    case platform::stype::DiskTree:
        return QStringLiteral("DISK");
    case platform::stype::PrintQ:
        return QStringLiteral("PRINTQ");
    case platform::stype::Device:
        return QStringLiteral("COMM");
    case platform::stype::Ipc:
        return QStringLiteral("IPC");
    default:
        return QStringLiteral("SPECIAL");
    }
}

int32_t Enum_Shares(QStringList &names, const QString &server)
{
    std::vector<platform::ShareInfo2> shares;
    uint32_t read = 0;
    uint32_t total = 0;
    uint32_t resume = 0;
    const platform::NetStatus status = platform::net().NetShareEnum(
        To_NetStr(server), NamesLevel, shares, AsMuchAsNeeded, read, total, resume);
    if (status == platform::status::Success) {
        for (const platform::ShareInfo2 &share : shares)
            names.append(QString::fromStdString(share.netname));
    }
    return int32_t(names.size());
}

int32_t Get_ShareInfo(const QString &share, QVariantList &values, const QString &server)
{
    auto &net = platform::net();
    platform::ShareInfo2 info;
    platform::NetStatus status =
        net.NetShareGetInfo(To_NetStr(server), To_NetStr(share), FullLevel, info);
    const bool full = status == platform::status::Success;
    if (status == platform::status::AccessDenied)
        status = net.NetShareGetInfo(To_NetStr(server), To_NetStr(share), NamesLevel, info);
    if (status != platform::status::Success)
        return int32_t(status);
    values << QString::fromStdString(info.netname) << Share_TypeWord(info.type)
           << QString::fromStdString(info.remark);
    if (full)
        values << int32_t(info.permissions) << int32_t(info.maxUses)
               << int32_t(info.currentUses) << QString::fromStdString(info.path)
               << QString::fromStdString(info.passwd);
    else
        values << -1 << -1 << -1 << QString() << QString();
    return int32_t(status);
}
