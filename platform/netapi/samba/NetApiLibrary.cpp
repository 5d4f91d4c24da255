#include "platform/netapi/samba/NetApiLibrary.h"

#include "platform/netapi/samba/NetApiHeaders.h"

namespace platform::samba::libnetapi {

namespace {

// libnetapi.idl's WKSTA_INFO_100, which netapi.h does not declare.
struct WkstaInfo100 {
    uint32_t platformId;
    const char *computerName;
    const char *langroup;
    uint32_t versionMajor;
    uint32_t versionMinor;
};

libnetapi_ctx *g_context = nullptr;

std::string text(const char *value)
{
    return value ? std::string(value) : std::string();
}

std::string withoutSlashes(const std::string &name)
{
    size_t start = 0;
    while (start < name.size() && name[start] == '\\')
        ++start;
    return name.substr(start);
}

// One output buffer, freed however the call ends. libnetapi appends to the
// buffer it is given, so it must start out null every time.
class Buffer {
public:
    ~Buffer()
    {
        if (m_data)
            NetApiBufferFree(m_data);
    }
    uint8_t **out() { return &m_data; }
    template <typename T>
    T *as() const { return reinterpret_cast<T *>(m_data); }

private:
    uint8_t *m_data = nullptr;
};

ShareInfo2 toShare(const uint8_t *record, uint32_t level)
{
    ShareInfo2 share;
    if (level == 0) {
        share.netname = text(reinterpret_cast<const SHARE_INFO_0 *>(record)->shi0_netname);
    } else if (level == 1) {
        const auto *one = reinterpret_cast<const SHARE_INFO_1 *>(record);
        share.netname = text(one->shi1_netname);
        share.type = one->shi1_type;
        share.remark = text(one->shi1_remark);
    } else {
        const auto *two = reinterpret_cast<const SHARE_INFO_2 *>(record);
        share.netname = text(two->shi2_netname);
        share.type = two->shi2_type;
        share.remark = text(two->shi2_remark);
        share.permissions = two->shi2_permissions;
        share.maxUses = two->shi2_max_uses;
        share.currentUses = two->shi2_current_uses;
        share.path = text(two->shi2_path);
        share.passwd = text(two->shi2_passwd);
    }
    return share;
}

size_t shareRecordSize(uint32_t level)
{
    return level == 0 ? sizeof(SHARE_INFO_0)
                      : level == 1 ? sizeof(SHARE_INFO_1) : sizeof(SHARE_INFO_2);
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

NetStatus getDCName(const std::string &server, const std::string &domain, std::string &dcName)
{
    Buffer buffer;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = NetGetDCName(host.c_str(), domain.empty() ? nullptr
                                                                        : domain.c_str(),
                                           buffer.out());
    if (st == 0)
        dcName = text(buffer.as<const char>());
    return NetStatus(st);
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

NetStatus locatePrimaryAt(const std::string &server, const std::string &domain,
                          std::string &dcName)
{
    DOMAIN_CONTROLLER_INFO *info = nullptr;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = DsGetDcName(host.c_str(), domain.c_str(), nullptr, nullptr,
                                          DS_PDC_REQUIRED | DS_RETURN_FLAT_NAME, &info);
    if (st == 0 && info)
        dcName = text(info->domain_controller_name);
    if (info)
        NetApiBufferFree(info);
    return NetStatus(st);
}

NetStatus serverInfo(const std::string &server, ServerInfo101 &info)
{
    Buffer buffer;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = NetServerGetInfo(host.c_str(), 101, buffer.out());
    if (st != 0)
        return NetStatus(st);
    const auto *record = buffer.as<SERVER_INFO_101>();
    info.platformId = record->sv101_platform_id;
    info.name = withoutSlashes(text(record->sv101_name));
    info.versionMajor = record->sv101_version_major;
    info.versionMinor = record->sv101_version_minor;
    info.type = record->sv101_type;
    info.comment = text(record->sv101_comment);
    return status::Success;
}

NetStatus shareEnum(const std::string &server, uint32_t level, std::vector<ShareInfo2> &shares)
{
    shares.clear();
    Buffer buffer;
    uint32_t read = 0, total = 0, resume = 0;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = NetShareEnum(host.c_str(), level, buffer.out(),
                                           MaxPreferredLength, &read, &total, &resume);
    if (st != 0 && st != status::MoreData)
        return NetStatus(st);
    const uint8_t *records = buffer.as<uint8_t>();
    for (uint32_t i = 0; records && i < read; ++i)
        shares.push_back(toShare(records + i * shareRecordSize(level), level));
    return status::Success;
}

NetStatus shareInfo(const std::string &server, const std::string &share, uint32_t level,
                    ShareInfo2 &info)
{
    Buffer buffer;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = NetShareGetInfo(host.c_str(), share.c_str(), level, buffer.out());
    if (st == 0)
        info = toShare(buffer.as<uint8_t>(), level);
    return NetStatus(st);
}

NetStatus workstationInfo(const std::string &server, WkstaInfo102 &info)
{
    Buffer buffer;
    const std::string host = withoutSlashes(server);
    const NET_API_STATUS st = NetWkstaGetInfo(host.c_str(), 100, buffer.out());
    if (st != 0)
        return NetStatus(st);
    const auto *record = buffer.as<WkstaInfo100>();
    info.platformId = int32_t(record->platformId);
    info.computerName = text(record->computerName);
    info.langroup = text(record->langroup);
    info.versionMajor = int32_t(record->versionMajor);
    info.versionMinor = int32_t(record->versionMinor);
    return status::Success;
}

} // namespace platform::samba::libnetapi
