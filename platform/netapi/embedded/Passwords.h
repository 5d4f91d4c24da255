// Passwords are kept only as salted PBKDF2-HMAC-SHA256 digests (RFC 8018,
// through Qt's QPasswordDigestor), stored as
// "pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>", so the cost
// can be raised later without touching old entries.
//
// The directory is the program's own stand-in for a domain's database: no
// logon is ever checked against it, and the add-user path must stay fast
// enough to create thousands of accounts, so the iteration count is moderate.
#pragma once

#include <string>

namespace platform::embedded {

std::string hashPassword(const std::string &password);
bool verifyPassword(const std::string &password, const std::string &stored);

struct PasswordPolicy {
    int minLength = 0;
    bool complexity = false;
};

// Whether the password satisfies the policy. Complexity is the usual rule: at
// least six characters, three of upper case, lower case, digits and other
// characters, and not the account name itself within it.
bool meetsPolicy(const std::string &password, const std::string &accountName,
                 const PasswordPolicy &policy);

} // namespace platform::embedded
