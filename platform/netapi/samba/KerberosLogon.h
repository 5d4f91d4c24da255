// Kerberos for the LDAP connections. GSSAPI (called by Cyrus SASL inside
// libldap) builds its own MIT Kerberos contexts from KRB5_CONFIG, so a small
// private krb5.conf, holding no secret, is put in front of it: where each
// realm's KDC is, and no host-name canonicalisation (the service principal
// must be ldap/<the DC's DNS name>, never a reverse-resolved name). A password
// logon happens in this process, into a MEMORY credential cache that no other
// process can see and that ends with this one.
#pragma once

#include <gssapi/gssapi.h>

#include <memory>
#include <string>

namespace platform::samba::kerberos {

// Puts the private file in front of KRB5_CONFIG (the user's own file is
// still read after it). Once, at start-up: setenv is not thread-safe.
void prepareConfig();
// Writes realm -> KDC into the private file; false when it cannot be written.
bool addRealm(const std::string &realm, const std::string &kdc);

// A GSS credential for the initiator, from a password logon.
class Credential {
public:
    // user@realm logs on with the password: null and why when refused.
    static std::unique_ptr<Credential> logon(const std::string &user, const std::string &realm,
                                             const std::string &password, std::string &why);
    ~Credential();
    Credential(const Credential &) = delete;
    Credential &operator=(const Credential &) = delete;
    gss_cred_id_t gss() const { return m_gss; }

private:
    Credential() = default;
    struct Kerberos;
    std::unique_ptr<Kerberos> m_krb;
    gss_cred_id_t m_gss = GSS_C_NO_CREDENTIAL;
};

} // namespace platform::samba::kerberos
