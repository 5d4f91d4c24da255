// A user's userParameters value, kept byte for byte beside the account.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Model.h"

namespace platform::embedded {

namespace {

constexpr size_t MaxValueBytes = 65534;

bool acceptableValue(const std::vector<uint8_t> &value)
{
    return !value.empty() && value.size() % 2 == 0 && value.size() <= MaxValueBytes;
}

} // namespace

NetStatus EmbeddedNetworkManagement::UserParametersGet(const std::string &server,
                                                       const std::string &userName,
                                                       std::vector<uint8_t> &value)
{
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return netapi::statusFor(netapi::Situation::BadUserLookedUp);
    Statement query = db.prepare("SELECT user_parameters FROM accounts WHERE id = ?");
    query.bind(1, account.id);
    if (!query.step())
        return status::InternalError;
    value = query.blob(0);
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::UserParametersSet(const std::string &server,
                                                       const std::string &userName,
                                                       const std::vector<uint8_t> &value)
{
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    if (!acceptableValue(value))
        return status::InvalidParameter;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return netapi::statusFor(netapi::Situation::BadUserLookedUp);
    Statement update = db.prepare("UPDATE accounts SET user_parameters = ? WHERE id = ?");
    update.bindBlob(1, value).bind(2, account.id);
    if (!update.run() || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

} // namespace platform::embedded
