// The encrypted password buffers of SamrSetInformationUser2 ([MS-SAMR]
// 2.2.6.21 SAMPR_ENCRYPTED_USER_PASSWORD_NEW, 3.2.2.2): 512 bytes that end
// with the UTF-16LE password, its byte length, and a 16-byte clear salt; RC4
// under MD5(salt + session key).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform::samba {

// False when the password does not fit (more than 256 UTF-16 characters).
bool encryptPasswordEx(const std::string &utf8Password, const uint8_t sessionKey[16],
                       std::array<uint8_t, 532> &out);

// RC4, in place.
void rc4(const uint8_t *key, size_t keyLength, uint8_t *data, size_t length);

} // namespace platform::samba
