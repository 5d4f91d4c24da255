#include "tests/netapi/SuiteSupport.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QString>

namespace netapi_tests {

namespace {

const char Bulk[] = "vntbulk";

bool isLeftover(const std::string &name)
{
    const std::string lower = QString::fromStdString(name).toLower().toStdString();
    return lower.rfind(NamePrefix, 0) == 0 && lower.rfind(Bulk, 0) != 0;
}

void removeUsers(NetapiTarget &target, uint32_t level)
{
    bool ok = false;
    for (const std::string &name : displayNames(target.net(), target.controller(), level, ok)) {
        if (isLeftover(name))
            target.net().NetUserDel(target.controller(), name);
    }
}

} // namespace

std::string uniqueName(const std::string &stem, int length)
{
    static const char Alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = NamePrefix + stem;
    while (int(name.size()) < length)
        name += Alphabet[QRandomGenerator::global()->bounded(int(sizeof(Alphabet) - 1))];
    return name;
}

bool notApplicable(NetapiTarget &target, Need need)
{
    const std::string reason = target.notApplicable(need);
    if (reason.empty())
        return false;
    qInfo().noquote() << QString::fromStdString("not applicable to " + target.name() + ": "
                                                + reason);
    return true;
}

void removeLeftovers(NetapiTarget &target)
{
    removeUsers(target, 1);
    removeUsers(target, 2);
    for (bool local : {false, true}) {
        bool ok = false;
        for (const std::string &name : groupNames(target.net(), target.controller(), local, ok)) {
            if (!isLeftover(name))
                continue;
            if (local)
                target.net().NetLocalGroupDel(target.controller(), name);
            else
                target.net().NetGroupDel(target.controller(), name);
        }
    }
}

std::vector<platform::NetDisplayRecord> displayRecords(platform::NetworkManagement &net,
                                                       const std::string &server,
                                                       uint32_t level, bool &ok)
{
    std::vector<platform::NetDisplayRecord> all;
    uint32_t index = 0;
    platform::NetStatus status = platform::status::MoreData;
    ok = true;
    while (status == platform::status::MoreData) {
        std::vector<platform::NetDisplayRecord> records;
        uint32_t returned = 0;
        status = net.NetQueryDisplayInformation(server, level, index, 1000, 128000, returned,
                                                records);
        if (status != platform::status::Success && status != platform::status::MoreData) {
            ok = false;
            break;
        }
        all.insert(all.end(), records.begin(), records.end());
        if (!records.empty())
            index = records.back().nextIndex;
    }
    return all;
}

std::vector<std::string> displayNames(platform::NetworkManagement &net,
                                      const std::string &server, uint32_t level, bool &ok)
{
    std::vector<std::string> names;
    for (const platform::NetDisplayRecord &record : displayRecords(net, server, level, ok))
        names.push_back(record.name);
    return names;
}

std::vector<std::string> groupNames(platform::NetworkManagement &net, const std::string &server,
                                    bool local, bool &ok)
{
    std::vector<std::string> names;
    uint32_t resume = 0;
    platform::NetStatus status = platform::status::MoreData;
    ok = true;
    while (status == platform::status::MoreData) {
        std::vector<platform::GroupInfo1> groups;
        uint32_t read = 0;
        uint32_t total = 0;
        status = local ? net.NetLocalGroupEnum(server, 0, groups, 64000, read, total, resume)
                       : net.NetGroupEnum(server, 0, groups, 64000, read, total, resume);
        if (status != platform::status::Success && status != platform::status::MoreData) {
            ok = false;
            break;
        }
        for (const platform::GroupInfo1 &group : groups)
            names.push_back(group.name);
    }
    return names;
}

bool contains(const std::vector<std::string> &names, const std::string &name)
{
    for (const std::string &one : names) {
        if (one == name)
            return true;
    }
    return false;
}

std::string upper(const std::string &text)
{
    return QString::fromStdString(text).toUpper().toStdString();
}

} // namespace netapi_tests
