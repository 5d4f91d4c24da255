#include "platform/netapi/samba/DisplayCache.h"

#include "platform/netapi/samba/Connections.h"

#include <QString>

#include <algorithm>

namespace platform::samba {

namespace {

std::string key(const std::string &server)
{
    return QString::fromStdString(serverHost(server)).toUpper().toStdString();
}

} // namespace

const std::vector<NetDisplayRecord> *DisplayCache::find(const std::string &server,
                                                        uint32_t level) const
{
    const auto found = m_lists.find({key(server), level});
    return found == m_lists.end() ? nullptr : &found->second;
}

const std::vector<NetDisplayRecord> &DisplayCache::store(const std::string &server,
                                                         uint32_t level,
                                                         std::vector<NetDisplayRecord> records)
{
    std::vector<std::pair<QString, NetDisplayRecord>> keyed;
    keyed.reserve(records.size());
    for (NetDisplayRecord &record : records)
        keyed.emplace_back(QString::fromStdString(record.name).toUpper(), std::move(record));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<NetDisplayRecord> &list = m_lists[{key(server), level}];
    list.clear();
    list.reserve(keyed.size());
    for (auto &entry : keyed) {
        entry.second.nextIndex = uint32_t(list.size() + 1);
        list.push_back(std::move(entry.second));
    }
    return list;
}

void DisplayCache::forget(const std::string &server)
{
    const std::string host = key(server);
    for (auto it = m_lists.begin(); it != m_lists.end();) {
        if (it->first.first == host)
            it = m_lists.erase(it);
        else
            ++it;
    }
}

} // namespace platform::samba
