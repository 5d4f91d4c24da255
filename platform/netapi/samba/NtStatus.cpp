#include "platform/netapi/samba/NtStatus.h"

#include "platform/netapi/samba/SambaRpc.h"

namespace platform::samba {

namespace {

NetStatus notFound(Context context)
{
    switch (context) {
    case Context::User:
        return status::UserNotFound;
    case Context::Group:
    case Context::LocalGroup:
        return status::GroupNotFound;
    case Context::GroupMember:
        return status::UserNotFound;
    case Context::AliasMember:
        return status::NoSuchMember;
    case Context::Other:
        break;
    }
    return 1332; // ERROR_NONE_MAPPED
}

} // namespace

NetStatus toNetStatus(uint32_t ntStatus, Context context)
{
    switch (ntStatus) {
    case nt::Ok:
        return status::Success;
    case nt::NoneMapped:
    case nt::NoSuchUser:
    case nt::NoSuchGroup:
    case nt::NoSuchAlias:
        return notFound(context);
    case nt::UserExists:
        return status::UserExists;
    case nt::GroupExists:
        return status::GroupExists;
    case nt::AliasExists:
        return status::AliasExists;
    // Samba's AD DC answers GROUP statuses for aliases; Windows and the NT4-style
    // DC answer ALIAS ones. The call decides which netapi32 expects.
    case nt::MemberInGroup:
    case nt::MemberInAlias:
        return context == Context::AliasMember ? status::MemberInAlias : status::UserInGroup;
    case nt::MemberNotInGroup:
    case nt::MemberNotInAlias:
        return context == Context::AliasMember ? status::MemberNotInAlias
                                               : status::UserNotInGroup;
    case nt::PasswordRestriction:
        return status::PasswordTooShort;
    case nt::InvalidAccountName:
        return status::BadUsername;
    case nt::InternalDbCorruption:
        // What the DC says about a name it will not store, or a member it
        // cannot find ([MS-SAMR] would say NO_SUCH_MEMBER).
        if (context == Context::AliasMember)
            return status::NoSuchMember;
        return context == Context::Other ? 1358 : status::BadUsername;
    case nt::SpecialGroup:
    case nt::SpecialAlias:
        return status::SpeGroupOp;
    case nt::MoreEntries:
        return status::MoreData;
    case nt::ContextMismatch:
        return 6; // ERROR_INVALID_HANDLE
    default:
        break;
    }
    return NetStatus(vs_status_to_win32(ntStatus));
}

bool isConnectionLost(uint32_t ntStatus)
{
    switch (ntStatus) {
    case 0xC000020C: // CONNECTION_DISCONNECTED
    case 0xC000020D: // CONNECTION_RESET
    case 0xC0000241: // CONNECTION_ABORTED
    case 0xC00000B0: // PIPE_DISCONNECTED
    case 0xC000013B: // LOCAL_DISCONNECT
    case 0xC000013C: // REMOTE_DISCONNECT
    case 0xC00000B5: // IO_TIMEOUT
    case 0xC0000185: // IO_DEVICE_ERROR
    case 0xC0000011: // END_OF_FILE
    case 0xC0000008: // INVALID_HANDLE (a dead pipe)
    case nt::ContextMismatch:
        return true;
    default:
        break;
    }
    // RPC-layer failures (0xC002xxxx, 0xC003xxxx) mean the pipe's state is unknown.
    return (ntStatus & 0xFFFF0000) == 0xC0020000 || (ntStatus & 0xFFFF0000) == 0xC0030000;
}

} // namespace platform::samba
