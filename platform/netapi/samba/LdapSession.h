// One LDAP connection to a domain controller: the rootDSE read anonymously,
// then a SASL GSSAPI bind with a security layer (Samba's AD DC refuses plain
// simple binds on ldap://), paged subtree searches and single-attribute
// replaces. The socket is connected here and the DC's DNS name given to
// libldap as the URL, with SASL's host canonicalisation off, so the service
// principal is ldap/<the DC's DNS name> whatever the address resolved to.
#pragma once

#include <gssapi/gssapi.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

typedef struct ldap LDAP;

namespace platform::samba {

struct LdapEntry {
    std::string dn;
    std::map<std::string, std::vector<std::string>> values; // lower-case attribute names
    // The first value of the attribute, or "".
    const std::string &first(const std::string &attribute) const;
};

// Results of libldap (LDAP_SUCCESS = 0, LDAP_SERVER_DOWN = -1, ...).
namespace ldaprc {
inline constexpr int Success = 0;
inline constexpr int Unavailable = 52;
inline constexpr int InsufficientAccess = 50;
inline constexpr int ServerDown = -1;
inline constexpr int NotActiveDirectory = -1000; // ours: the rootDSE names no AD DC
} // namespace ldaprc

class LdapSession {
public:
    // Connects to the host (within timeoutMs) and reads its rootDSE: null and
    // why when nothing answers there.
    static std::unique_ptr<LdapSession> connect(const std::string &host, int timeoutMs,
                                                std::string &why);
    ~LdapSession();
    LdapSession(const LdapSession &) = delete;
    LdapSession &operator=(const LdapSession &) = delete;

    // The rootDSE's supportedCapabilities names Active Directory (also AD LDS,
    // which has no domain accounts and no defaultNamingContext).
    bool isActiveDirectory() const { return m_activeDirectory && !m_baseDn.empty(); }
    const std::string &realm() const { return m_realm; }         // from ldapServiceName
    const std::string &address() const { return m_address; }     // the connected IP
    const std::string &baseDn() const { return m_baseDn; }

    // SASL GSSAPI bind; credential: a logon's, or none for the ticket cache.
    int bind(gss_cred_id_t credential, std::string &why);
    // A paged subtree search from the domain's root; daclOnly asks for the
    // security descriptor's DACL alone (LDAP_SERVER_SD_FLAGS_OID).
    int search(const std::string &filter, const std::vector<std::string> &attributes,
               bool daclOnly, std::vector<LdapEntry> &entries, std::string &why);
    int replace(const std::string &dn, const std::string &attribute, const std::string &value,
                bool daclOnly, std::string &why);

private:
    LdapSession() = default;
    bool open(int fd, const std::string &dnsName, std::string &why);
    int readRootDse(int timeoutMs, std::string &why);

    LDAP *m_ld = nullptr;
    std::string m_dnsName;
    std::string m_address;
    std::string m_realm;
    std::string m_baseDn;
    bool m_activeDirectory = false;
    gss_cred_id_t m_credential = GSS_C_NO_CREDENTIAL;
    bool m_credentialGiven = false;

    friend int ldapInteract(LDAP *, unsigned, void *, void *);
};

// RFC 4515 escaping of a value put into a filter.
std::string ldapFilterValue(const std::string &value);

} // namespace platform::samba
