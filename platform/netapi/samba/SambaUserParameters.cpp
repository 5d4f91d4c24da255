// A user's userParameters value over SAMR, user information level 20
// ([MS-SAMR] 2.2.6.9 SAMPR_USER_PARAMETERS_INFORMATION): the value byte for
// byte, which libnetapi cuts at its first NUL and never writes.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/SamrObjects.h"
#include "platform/netapi/samba/UserAccess.h"

#include <cstring>

namespace platform::samba {

namespace {

constexpr size_t MaxValueBytes = 65534;

// An odd length would leave a transaction open on a Samba DC, and an empty
// value is ignored there: both are refused before anything is sent.
bool acceptableValue(const std::vector<uint8_t> &value)
{
    return !value.empty() && value.size() % 2 == 0 && value.size() <= MaxValueBytes;
}

uint32_t queryParameters(SamrSession &session, ObjectHandle &user, std::vector<uint8_t> &value)
{
    Frame frame;
    samr_UserInfo *result = nullptr;
    samr_QueryUserInfo query{};
    query.in.user_handle = user.get();
    query.in.level = UserParametersInformation;
    query.out.info = &result;
    if (const uint32_t st = session.samr(NDR_SAMR_QUERYUSERINFO, query, frame))
        return st;
    const lsa_BinaryString &blob = result->info20.parameters;
    const auto *bytes = reinterpret_cast<const uint8_t *>(blob.array);
    value.assign(bytes, bytes ? bytes + blob.length : bytes);
    return nt::Ok;
}

uint32_t setParameters(SamrSession &session, ObjectHandle &user,
                       const std::vector<uint8_t> &value)
{
    Frame frame;
    auto *units = static_cast<uint16_t *>(talloc_size(frame, value.size()));
    std::memcpy(units, value.data(), value.size());
    samr_UserInfo info{};
    info.info20.parameters.array = units;
    info.info20.parameters.length = info.info20.parameters.size = uint16_t(value.size());
    samr_SetUserInfo2 set{};
    set.in.user_handle = user.get();
    set.in.level = UserParametersInformation;
    set.in.info = &info;
    const uint32_t st = session.samr(NDR_SAMR_SETUSERINFO2, set, frame);
    if (st != nt::Ok)
        session.reconnectAfterUse();
    return st;
}

} // namespace

NetStatus SambaNetworkManagement::UserParametersGet(const std::string &server,
                                                    const std::string &userName,
                                                    std::vector<uint8_t> &value)
{
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        ObjectHandle user(session);
        if (const uint32_t st = openUser(session, rid, user))
            return toNetStatus(st, Context::User);
        return toNetStatus(queryParameters(session, user, value), Context::User);
    });
}

NetStatus SambaNetworkManagement::UserParametersSet(const std::string &server,
                                                    const std::string &userName,
                                                    const std::vector<uint8_t> &value)
{
    if (const NetStatus st = ready())
        return st;
    if (!acceptableValue(value))
        return status::InvalidParameter;
    return m_connections->run(server, [&](SamrSession &session) {
        uint32_t rid = 0;
        if (const NetStatus st = findUser(session, userName, rid))
            return st;
        ObjectHandle user(session);
        if (const uint32_t st = openUser(session, rid, user))
            return toNetStatus(st, Context::User);
        return toNetStatus(setParameters(session, user, value), Context::User);
    });
}

} // namespace platform::samba
