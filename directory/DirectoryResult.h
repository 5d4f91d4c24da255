// The directory result code every operation of this layer returns: 0 success,
// a positive netapi32 status, or one of the layer's own negative codes.
#pragma once

#include <cstdint>

namespace directory_result {
inline constexpr int32_t Success = 0;
// An unknown command or account kind, an argument a command needs that is
// absent or of the wrong sort.
inline constexpr int32_t Failure = -1;
// No domain controller could be found for the domain named in Server.
inline constexpr int32_t NoController = -9;
} // namespace directory_result

// The account kinds of the create, read, write and delete operations.
namespace account_kind {
inline constexpr int32_t User = 0;
inline constexpr int32_t Computer = 1;
inline constexpr int32_t Group = 2;
// Get_AccountInfo only: the machine itself, asked for its server information.
inline constexpr int32_t Machine = 5;
} // namespace account_kind
