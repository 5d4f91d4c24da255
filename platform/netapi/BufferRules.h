// How much of a result fits in one call: netapi32 counts, for each entry, its
// fixed record as a 32-bit build lays it out (4 bytes per number and per string
// pointer) plus each string as UTF-16 with its NUL. A call returns entries
// while their sum stays within the preferred maximum length, and always at
// least one. Back ends that page their own data use these, so the byte rule is
// the same everywhere.
#pragma once

#include "platform/NetworkManagement.h"

#include <cstdint>
#include <string>

namespace platform::netapi {

// The UTF-16 bytes of a string with its NUL.
uint32_t utf16Bytes(const std::string &utf8);

uint32_t displayRecordBytes(const NetDisplayRecord &record, uint32_t level);
uint32_t groupInfoBytes(const GroupInfo1 &info, uint32_t level);
// GROUP_USERS_INFO_0, LOCALGROUP_USERS_INFO_0, LOCALGROUP_MEMBERS_INFO_3.
uint32_t nameRecordBytes(const std::string &name);
uint32_t serverInfoBytes(const ServerInfo101 &info, uint32_t level);
uint32_t shareInfoBytes(const ShareInfo2 &info, uint32_t level);

// Admits entries one by one while they fit in the preferred maximum length.
class PageBudget {
public:
    explicit PageBudget(uint32_t prefMaxLen) : m_left(prefMaxLen) {}
    // True when an entry of `bytes` still fits; the first entry always does.
    bool admit(uint32_t bytes);

private:
    uint64_t m_left;
    bool m_first = true;
};

} // namespace platform::netapi
