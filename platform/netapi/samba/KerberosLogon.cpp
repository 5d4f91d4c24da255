#include "platform/netapi/samba/KerberosLogon.h"

#include <gssapi/gssapi_krb5.h>
#include <krb5/krb5.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <unistd.h>

namespace platform::samba::kerberos {

namespace {

// The private folder (mode 0700, made by mkdtemp) and its file; both go when
// the process ends normally.
class PrivateConfig {
public:
    ~PrivateConfig()
    {
        if (m_folder.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    bool prepare()
    {
        std::lock_guard lock(m_mutex);
        if (!m_folder.empty())
            return true;
        const char *runtime = std::getenv("XDG_RUNTIME_DIR");
        std::string pattern = std::string(runtime && *runtime ? runtime : "/tmp")
            + "/varnel-krb5-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return false;
        m_folder = pattern;
        m_file = m_folder + "/krb5.conf";
        if (!write())
            return false;
        const char *previous = std::getenv("KRB5_CONFIG");
        const std::string rest = previous && *previous ? previous : "/etc/krb5.conf";
        ::setenv("KRB5_CONFIG", (m_file + ":" + rest).c_str(), 1);
        return true;
    }

    bool add(const std::string &realm, const std::string &kdc)
    {
        std::lock_guard lock(m_mutex);
        if (m_folder.empty())
            return false;
        const auto known = m_realms.find(realm);
        if (known != m_realms.end() && known->second == kdc)
            return true;
        m_realms[realm] = kdc;
        return write();
    }

private:
    // Written whole to a new file and renamed over the old one, so a reader
    // never sees half of it.
    bool write()
    {
        const std::string next = m_file + ".new";
        {
            std::ofstream out(next, std::ios::trunc);
            out << "[libdefaults]\n"
                   " rdns = false\n"
                   " dns_canonicalize_hostname = false\n"
                   " udp_preference_limit = 1\n"
                   "[realms]\n";
            for (const auto &[realm, kdc] : m_realms)
                out << " " << realm << " = {\n  kdc = " << kdc << "\n }\n";
            if (!out.flush())
                return false;
        }
        return std::rename(next.c_str(), m_file.c_str()) == 0;
    }

    std::mutex m_mutex;
    std::string m_folder;
    std::string m_file;
    std::map<std::string, std::string> m_realms;
};

PrivateConfig &privateConfig()
{
    static PrivateConfig config;
    return config;
}

std::string krbText(krb5_context ctx, krb5_error_code code)
{
    const char *text = krb5_get_error_message(ctx, code);
    std::string out = text ? text : "Kerberos error";
    krb5_free_error_message(ctx, text);
    return out;
}

} // namespace

struct Credential::Kerberos {
    krb5_context ctx = nullptr;
    krb5_ccache cache = nullptr;
    krb5_principal me = nullptr;

    ~Kerberos()
    {
        if (me)
            krb5_free_principal(ctx, me);
        if (cache)
            krb5_cc_destroy(ctx, cache);
        if (ctx)
            krb5_free_context(ctx);
    }
};

void prepareConfig()
{
    if (!privateConfig().prepare())
        std::fprintf(stderr, "varnel: samba: no private Kerberos configuration could be made\n");
}

bool addRealm(const std::string &realm, const std::string &kdc)
{
    return privateConfig().add(realm, kdc);
}

std::unique_ptr<Credential> Credential::logon(const std::string &user, const std::string &realm,
                                              const std::string &password, std::string &why)
{
    std::unique_ptr<Credential> credential(new Credential);
    credential->m_krb = std::make_unique<Kerberos>();
    Kerberos &k = *credential->m_krb;
    krb5_error_code code = krb5_init_context(&k.ctx);
    if (code) {
        why = "Kerberos cannot start";
        return nullptr;
    }
    const std::string name = user + "@" + realm;
    code = krb5_parse_name(k.ctx, name.c_str(), &k.me);
    if (!code)
        code = krb5_cc_new_unique(k.ctx, "MEMORY", nullptr, &k.cache);
    if (!code)
        code = krb5_cc_initialize(k.ctx, k.cache, k.me);
    krb5_creds creds{};
    if (!code) {
        code = krb5_get_init_creds_password(k.ctx, &creds, k.me, password.c_str(), nullptr,
                                            nullptr, 0, nullptr, nullptr);
        if (!code) {
            code = krb5_cc_store_cred(k.ctx, k.cache, &creds);
            krb5_free_cred_contents(k.ctx, &creds);
        }
    }
    if (code) {
        why = "Kerberos logon of " + name + ": " + krbText(k.ctx, code);
        return nullptr;
    }
    OM_uint32 minor = 0;
    if (gss_krb5_import_cred(&minor, k.cache, nullptr, nullptr, &credential->m_gss)
        != GSS_S_COMPLETE) {
        why = "the Kerberos ticket cannot be handed to GSSAPI";
        return nullptr;
    }
    return credential;
}

Credential::~Credential()
{
    OM_uint32 minor = 0;
    if (m_gss != GSS_C_NO_CREDENTIAL)
        gss_release_cred(&minor, &m_gss);
}

} // namespace platform::samba::kerberos
