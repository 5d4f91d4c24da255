// One server's SAMR session: the connection, the connect handle, and the
// handles of its account domain and of BUILTIN, opened once and kept for the
// life of the connection. LSA runs on the same SMB session when first needed.
#pragma once

#include "platform/netapi/samba/SambaHeaders.h"
#include "platform/netapi/samba/SambaRpc.h"

#include <cstdint>
#include <string>

namespace platform::samba {

// A talloc context for the output of a few calls, freed at the end of a scope.
class Frame {
public:
    Frame() : m_mem(talloc_new(nullptr)) {}
    ~Frame() { talloc_free(m_mem); }
    Frame(const Frame &) = delete;
    Frame &operator=(const Frame &) = delete;
    operator TALLOC_CTX *() const { return m_mem; }

private:
    TALLOC_CTX *m_mem;
};

enum class Domain { Account, Builtin };

// The SAMR requests that change the server's database.
bool changesServer(uint32_t samrOpnum);

class SamrSession {
public:
    SamrSession(vs_rpc *rpc, const std::string &server);
    ~SamrSession();
    SamrSession(const SamrSession &) = delete;
    SamrSession &operator=(const SamrSession &) = delete;

    // Connects to SAMR's domains: an NTSTATUS.
    uint32_t open();

    // One SAMR call: the transport's status, else the call's own result.
    template <typename Request>
    uint32_t samr(uint32_t opnum, Request &r, TALLOC_CTX *mem)
    {
        if (changesServer(opnum))
            m_changeSent = true;
        const uint32_t transport = vs_rpc_call(m_rpc, VS_SAMR, opnum, mem, &r);
        if (transport != 0)
            return lost(transport);
        return NT_STATUS_V(r.out.result);
    }
    // One LSA call on the policy handle of lsaPolicy().
    template <typename Request>
    uint32_t lsa(const char *name, Request &r, TALLOC_CTX *mem)
    {
        if (const uint32_t transport = call(VS_LSA, name, r, mem))
            return transport;
        return NT_STATUS_V(r.out.result);
    }
    // One call on another pipe of the same session (netlogon, srvsvc,
    // wkssvc), by its name: the transport's status (the call's own result
    // stays in r); none of them changes the server.
    template <typename Request>
    uint32_t call(vs_pipe pipe, const char *name, Request &r, TALLOC_CTX *mem)
    {
        const int opnum = vs_opnum(pipe, name);
        if (opnum < 0)
            return 0xC00000BB; // NOT_SUPPORTED
        const uint32_t transport = vs_rpc_call(m_rpc, pipe, uint32_t(opnum), mem, &r);
        if (transport != 0)
            return lost(transport);
        return 0;
    }

    policy_handle *domain(Domain which);
    const dom_sid &domainSid(Domain which) const;
    const std::string &domainName() const { return m_domainName; }
    const std::string &server() const { return m_server; }
    // The LSA policy handle (opened on first use); null when it cannot be.
    policy_handle *lsaPolicy(uint32_t &ntStatus);
    uint32_t sessionKey(uint8_t key[16]) { return vs_rpc_session_key(m_rpc, key); }

    void closeHandle(policy_handle &handle);

    // True once the connection is known to be gone, or must be dropped (a
    // failed user write may leave a transaction open on a Samba DC).
    bool broken() const { return m_broken || m_timedOut || m_mustReconnect; }
    bool transportLost() const { return m_broken; }
    // True once a call got no answer within the call timeout.
    bool timedOut() const { return m_timedOut; }
    void reconnectAfterUse() { m_mustReconnect = true; }
    // Whether a request that changes the server went out since beginCall():
    // after that, a lost reply leaves the change unknown.
    void beginCall() { m_changeSent = false; }
    bool changeSent() const { return m_changeSent; }

private:
    uint32_t lost(uint32_t transport);
    uint32_t openDomain(const char *name, policy_handle &handle, dom_sid &sid);

    vs_rpc *m_rpc;
    std::string m_server;
    std::string m_domainName;
    policy_handle m_connect{};
    policy_handle m_account{};
    policy_handle m_builtin{};
    dom_sid m_accountSid{};
    dom_sid m_builtinSid{};
    policy_handle m_lsa{};
    bool m_lsaOpen = false;
    bool m_broken = false;
    bool m_timedOut = false;
    bool m_mustReconnect = false;
    bool m_changeSent = false;
};


// A SAMR object handle closed when it goes out of scope.
class ObjectHandle {
public:
    explicit ObjectHandle(SamrSession &session) : m_session(session) {}
    ~ObjectHandle()
    {
        if (m_open)
            m_session.closeHandle(m_handle);
    }
    ObjectHandle(const ObjectHandle &) = delete;
    ObjectHandle &operator=(const ObjectHandle &) = delete;
    policy_handle *out() { m_open = true; return &m_handle; }
    policy_handle *get() { return &m_handle; }
    // After a call that closed or deleted the object on the server.
    void forget() { m_open = false; }

private:
    SamrSession &m_session;
    policy_handle m_handle{};
    bool m_open = false;
};

} // namespace platform::samba
