// The display information of NetQueryDisplayInformation, kept per server and
// level between the calls of one walk: netapi32 hands it out in chunks in the
// order of the upper-cased names, and a Samba AD DC gives it unsorted, so the
// whole list is read at the first call of a walk (index 0) and the later calls
// are served from it.
#pragma once

#include "platform/NetworkManagement.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace platform::samba {

class DisplayCache {
public:
    // The stored list, or null.
    const std::vector<NetDisplayRecord> *find(const std::string &server, uint32_t level) const;
    // Sorts and numbers the records (nextIndex = position + 1), then keeps them.
    const std::vector<NetDisplayRecord> &store(const std::string &server, uint32_t level,
                                               std::vector<NetDisplayRecord> records);
    void forget(const std::string &server);

private:
    std::map<std::pair<std::string, uint32_t>, std::vector<NetDisplayRecord>> m_lists;
};

} // namespace platform::samba
