#include "platform/netapi/samba/NetApiLibrary.h"

#include "platform/netapi/samba/NetApiHeaders.h"

namespace platform::samba::libnetapi {

namespace {

libnetapi_ctx *g_context = nullptr;

std::string text(const char *value)
{
    return value ? std::string(value) : std::string();
}

} // namespace

NetStatus start(const Settings &settings, std::string &problem)
{
    // The context is the process's one; a later start only changes the
    // credentials it uses.
    if (!g_context) {
        set_dyn_CONFIGFILE(settings.config.path.c_str());
        libnetapi_ctx *context = nullptr;
        if (const NET_API_STATUS st = libnetapi_init(&context)) {
            problem = "libnetapi cannot load the client smb.conf " + settings.config.path;
            return NetStatus(st);
        }
        libnetapi_set_debuglevel(context, "0");
        g_context = context;
    }
    libnetapi_ctx *context = g_context;
    const Login &login = settings.login;
    if (login.kerberos) {
        // A password given (empty) keeps libnetapi from asking for one on the
        // terminal; the ticket is what authenticates.
        libnetapi_set_password(context, "");
        libnetapi_set_use_kerberos(context);
        libnetapi_set_use_ccache(context);
    } else {
        libnetapi_set_username(context, login.user.c_str());
        libnetapi_set_password(context, login.password.c_str());
        libnetapi_set_workgroup(context, login.domain.c_str());
    }
    return status::Success;
}

NetStatus locatePrimary(const std::string &domain, std::string &dcName, std::string &flatDomain)
{
    DOMAIN_CONTROLLER_INFO *info = nullptr;
    const NET_API_STATUS st = DsGetDcName(nullptr, domain.c_str(), nullptr, nullptr,
                                          DS_PDC_REQUIRED | DS_RETURN_FLAT_NAME, &info);
    if (st == 0 && info) {
        dcName = text(info->domain_controller_name);
        flatDomain = text(info->domain_name);
    }
    if (info)
        NetApiBufferFree(info);
    return NetStatus(st);
}

} // namespace platform::samba::libnetapi
