#include "platform/netapi/samba/LdapSession.h"

#include <ldap.h>
#include <openldap.h>
#include <sasl/sasl.h>

#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::samba {

namespace {

constexpr int LdapPort = 389;
constexpr int OperationTimeoutSecs = 60;
constexpr int PageSize = 1000; // a Windows DC's default MaxPageSize
constexpr char ActiveDirectoryCapability[] = "1.2.840.113556.1.4.800";
constexpr char SdFlagsControl[] = "1.2.840.113556.1.4.801";
// BER SEQUENCE { INTEGER 4 }: DACL_SECURITY_INFORMATION ([MS-ADTS] 3.1.1.3.4.1.11).
constexpr char DaclOnlyValue[] = {0x30, 0x03, 0x02, 0x01, 0x04};

std::string lower(const std::string &text)
{
    return QString::fromStdString(text).toLower().toStdString();
}

// A TCP socket connected within the time, its peer's numeric address and
// the host's canonical name; -1 when no address answers.
int connectTo(const std::string &host, int timeoutMs, std::string &address,
              std::string &canonical)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(LdapPort).c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo *a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            continue;
        int error = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (error == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            socklen_t size = sizeof error;
            error = ::poll(&p, 1, timeoutMs) == 1
                    && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0
                ? error
                : ETIMEDOUT;
        }
        char numeric[NI_MAXHOST] = {};
        if (error == 0
            && ::getnameinfo(a->ai_addr, a->ai_addrlen, numeric, sizeof numeric, nullptr, 0,
                             NI_NUMERICHOST) == 0
            && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
            address = numeric;
            canonical = found->ai_canonname ? found->ai_canonname : host;
        } else {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    return fd;
}

std::string resultText(LDAP *ld, int rc)
{
    std::string text = ldap_err2string(rc);
    char *diagnostic = nullptr;
    if (ld && ldap_get_option(ld, LDAP_OPT_DIAGNOSTIC_MESSAGE, &diagnostic) == LDAP_OPT_SUCCESS
        && diagnostic) {
        if (*diagnostic)
            text += std::string(": ") + diagnostic;
        ldap_memfree(diagnostic);
    }
    return text + " (" + std::to_string(rc) + ")";
}

struct Controls {
    LDAPControl *sdFlags = nullptr;
    LDAPControl *paging = nullptr;
    LDAPControl *list[3] = {};
    ~Controls()
    {
        if (sdFlags)
            ldap_control_free(sdFlags);
        if (paging)
            ldap_control_free(paging);
    }
    LDAPControl **make(LDAP *ld, bool daclOnly, berval *cookie, bool paged)
    {
        int n = 0;
        if (daclOnly) {
            berval value{sizeof DaclOnlyValue, const_cast<char *>(DaclOnlyValue)};
            if (!sdFlags && ldap_control_create(SdFlagsControl, 1, &value, 1, &sdFlags) == 0)
                list[n++] = sdFlags;
        }
        if (paged) {
            if (paging)
                ldap_control_free(paging);
            paging = nullptr;
            if (ldap_create_page_control(ld, PageSize, cookie, 1, &paging) == 0)
                list[n++] = paging;
        }
        list[n] = nullptr;
        return list;
    }
};

void collect(LDAP *ld, LDAPMessage *result, std::vector<LdapEntry> &entries)
{
    for (LDAPMessage *m = ldap_first_entry(ld, result); m; m = ldap_next_entry(ld, m)) {
        LdapEntry entry;
        if (char *dn = ldap_get_dn(ld, m)) {
            entry.dn = dn;
            ldap_memfree(dn);
        }
        BerElement *ber = nullptr;
        for (char *a = ldap_first_attribute(ld, m, &ber); a; a = ldap_next_attribute(ld, m, ber)) {
            std::vector<std::string> &values = entry.values[lower(a)];
            if (berval **vals = ldap_get_values_len(ld, m, a)) {
                for (berval **v = vals; *v; ++v)
                    values.emplace_back((*v)->bv_val, (*v)->bv_len);
                ldap_value_free_len(vals);
            }
            ldap_memfree(a);
        }
        if (ber)
            ber_free(ber, 0);
        entries.push_back(std::move(entry));
    }
}

// The cookie of the paged-results response control, or null at the end.
berval *nextCookie(LDAP *ld, LDAPMessage *result)
{
    LDAPControl **returned = nullptr;
    int rc = 0;
    if (ldap_parse_result(ld, result, &rc, nullptr, nullptr, nullptr, &returned, 0) != 0)
        return nullptr;
    berval *cookie = nullptr;
    ber_int_t estimate = 0;
    berval value{};
    LDAPControl *page = ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, returned, nullptr);
    if (page && ldap_parse_pageresponse_control(ld, page, &estimate, &value) == 0) {
        if (value.bv_len)
            cookie = ber_bvdup(&value);
        ber_memfree(value.bv_val);
    }
    ldap_controls_free(returned);
    return cookie;
}

} // namespace

// libldap asks here for what SASL wants to know. The GSSAPI plugin calls it
// once, after its SASL context exists and before it reads the credential:
// the only moment a credential can be handed to it.
int ldapInteract(LDAP *ld, unsigned, void *defaults, void *in)
{
    auto *session = static_cast<LdapSession *>(defaults);
    if (session->m_credential != GSS_C_NO_CREDENTIAL && !session->m_credentialGiven)
        session->m_credentialGiven
            = ldap_set_option(ld, LDAP_OPT_X_SASL_GSS_CREDS, session->m_credential)
            == LDAP_OPT_SUCCESS;
    for (auto *item = static_cast<sasl_interact_t *>(in); item->id != SASL_CB_LIST_END;
         ++item) {
        item->result = "";
        item->len = 0;
    }
    return LDAP_SUCCESS;
}

const std::string &LdapEntry::first(const std::string &attribute) const
{
    static const std::string none;
    const auto found = values.find(lower(attribute));
    return found == values.end() || found->second.empty() ? none : found->second.front();
}

std::unique_ptr<LdapSession> LdapSession::connect(const std::string &host, int timeoutMs,
                                                  std::string &why)
{
    std::unique_ptr<LdapSession> session(new LdapSession);
    std::string canonical;
    const int fd = connectTo(host, timeoutMs, session->m_address, canonical);
    if (fd < 0) {
        why = "no LDAP server answers on " + host + " (port 389)";
        return nullptr;
    }
    if (!session->open(fd, canonical, why))
        return nullptr;
    // A DC whose processes hang still has its port accepted by the kernel:
    // the first read is bounded like the connect, not by the search limit.
    if (session->readRootDse(timeoutMs, why) != LDAP_SUCCESS)
        return nullptr;
    // The bind's service principal comes from the URL: it must be the DC's
    // own DNS name. A name resolved otherwise means a second connection.
    const std::string dnsName = session->m_dnsName;
    if (!session->isActiveDirectory() || session->m_dnsName == lower(canonical))
        return session;
    ldap_unbind_ext(session->m_ld, nullptr, nullptr);
    session->m_ld = nullptr;
    std::string address, unused;
    const int again = connectTo(session->m_address, timeoutMs, address, unused);
    if (again < 0 || !session->open(again, dnsName, why)) {
        why = "the LDAP server " + host + " does not answer again";
        return nullptr;
    }
    return session;
}

LdapSession::~LdapSession()
{
    if (m_ld)
        ldap_unbind_ext(m_ld, nullptr, nullptr);
}

bool LdapSession::open(int fd, const std::string &dnsName, std::string &why)
{
    const std::string url = "ldap://" + dnsName;
    if (ldap_init_fd(fd, LDAP_PROTO_TCP, url.c_str(), &m_ld) != LDAP_SUCCESS) {
        ::close(fd);
        why = "libldap cannot use the connection";
        return false;
    }
    const int version = LDAP_VERSION3;
    timeval timeout{OperationTimeoutSecs, 0};
    ldap_set_option(m_ld, LDAP_OPT_PROTOCOL_VERSION, &version);
    ldap_set_option(m_ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    ldap_set_option(m_ld, LDAP_OPT_X_SASL_NOCANON, LDAP_OPT_ON);
    ldap_set_option(m_ld, LDAP_OPT_TIMEOUT, &timeout);
    ldap_set_option(m_ld, LDAP_OPT_NETWORK_TIMEOUT, &timeout);
    return true;
}

int LdapSession::readRootDse(int timeoutMs, std::string &why)
{
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    char *attributes[] = {const_cast<char *>("dnsHostName"),
                          const_cast<char *>("ldapServiceName"),
                          const_cast<char *>("defaultNamingContext"),
                          const_cast<char *>("supportedCapabilities"), nullptr};
    LDAPMessage *result = nullptr;
    const int rc = ldap_search_ext_s(m_ld, "", LDAP_SCOPE_BASE, "(objectClass=*)", attributes,
                                     0, nullptr, nullptr, &limit, LDAP_NO_LIMIT, &result);
    std::vector<LdapEntry> entries;
    if (rc == LDAP_SUCCESS)
        collect(m_ld, result, entries);
    ldap_msgfree(result);
    if (rc != LDAP_SUCCESS || entries.empty()) {
        why = "the rootDSE cannot be read: " + resultText(m_ld, rc);
        return rc ? rc : LDAP_NO_SUCH_OBJECT;
    }
    const LdapEntry &root = entries.front();
    m_dnsName = lower(root.first("dnsHostName"));
    const std::string service = root.first("ldapServiceName"); // dom:host$@REALM
    m_realm = QString::fromStdString(service.substr(service.rfind('@') + 1)).toUpper()
                  .toStdString();
    m_baseDn = root.first("defaultNamingContext");
    const auto capabilities = root.values.find("supportedcapabilities");
    if (capabilities != root.values.end()) {
        for (const std::string &oid : capabilities->second)
            m_activeDirectory = m_activeDirectory || oid == ActiveDirectoryCapability;
    }
    if (service.find('@') == std::string::npos || m_dnsName.empty())
        m_activeDirectory = false;
    return LDAP_SUCCESS;
}

int LdapSession::bind(gss_cred_id_t credential, std::string &why)
{
    m_credential = credential;
    m_credentialGiven = false;
    const int rc = ldap_sasl_interactive_bind_s(m_ld, nullptr, "GSSAPI", nullptr, nullptr,
                                                LDAP_SASL_QUIET, ldapInteract, this);
    m_credential = GSS_C_NO_CREDENTIAL;
    if (rc != LDAP_SUCCESS)
        why = "the LDAP bind to " + m_dnsName + " failed: " + resultText(m_ld, rc);
    return rc;
}

int LdapSession::search(const std::string &filter, const std::vector<std::string> &attributes,
                        bool daclOnly, std::vector<LdapEntry> &entries, std::string &why)
{
    std::vector<char *> names;
    for (const std::string &a : attributes)
        names.push_back(const_cast<char *>(a.c_str()));
    names.push_back(nullptr);
    // Samba answers a search without paging in a fraction of the time a paged
    // one takes; a DC that limits its answers (Windows: MaxPageSize) says so
    // with sizeLimitExceeded, and the search is then made page by page.
    bool paged = false;
    berval *cookie = nullptr;
    Controls controls;
    int rc = LDAP_SUCCESS;
    entries.clear();
    for (;;) {
        LDAPMessage *result = nullptr;
        rc = ldap_search_ext_s(m_ld, m_baseDn.c_str(), LDAP_SCOPE_SUBTREE, filter.c_str(),
                               names.data(), 0, controls.make(m_ld, daclOnly, cookie, paged),
                               nullptr, nullptr, LDAP_NO_LIMIT, &result);
        ber_bvfree(cookie);
        cookie = nullptr;
        const bool limited = rc == LDAP_SIZELIMIT_EXCEEDED && !paged;
        if (rc == LDAP_SUCCESS) {
            collect(m_ld, result, entries);
            cookie = paged ? nextCookie(m_ld, result) : nullptr;
        }
        ldap_msgfree(result);
        if (limited) {
            entries.clear();
            paged = true;
        } else if (rc != LDAP_SUCCESS || !cookie) {
            break;
        }
    }
    if (rc != LDAP_SUCCESS)
        why = "the LDAP search on " + m_dnsName + " failed: " + resultText(m_ld, rc);
    return rc;
}

int LdapSession::replace(const std::string &dn, const std::string &attribute,
                         const std::string &value, bool daclOnly, std::string &why)
{
    berval data{value.size(), const_cast<char *>(value.data())};
    berval *values[] = {&data, nullptr};
    LDAPMod mod{};
    mod.mod_op = LDAP_MOD_REPLACE | LDAP_MOD_BVALUES;
    mod.mod_type = const_cast<char *>(attribute.c_str());
    mod.mod_bvalues = values;
    LDAPMod *mods[] = {&mod, nullptr};
    Controls controls;
    const int rc = ldap_modify_ext_s(m_ld, dn.c_str(), mods,
                                     controls.make(m_ld, daclOnly, nullptr, false), nullptr);
    if (rc != LDAP_SUCCESS)
        why = "the LDAP change of " + dn + " failed: " + resultText(m_ld, rc);
    return rc;
}

std::string ldapFilterValue(const std::string &value)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (const char c : value) {
        if (c == '*' || c == '(' || c == ')' || c == '\\' || c == '\0') {
            out += '\\';
            out += hex[uint8_t(c) >> 4];
            out += hex[uint8_t(c) & 15];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace platform::samba
