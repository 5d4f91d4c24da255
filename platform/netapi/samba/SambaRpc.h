/* One authenticated connection to one server's SAMR and LSA pipes, through
 * Samba's public client libraries. Kept in C because Samba's credentials
 * header does not compile as C++; the rest of the back end fills the
 * request structures of gen_ndr/samr.h and gen_ndr/lsa.h itself and sends
 * them through vs_rpc_call. Statuses are NTSTATUS values. */
#ifndef VARNEL_SAMBA_RPC_H
#define VARNEL_SAMBA_RPC_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct vs_rpc;

/* Who to be on the wire: a user, domain and password (from an authentication
 * file), or, when password is NULL, the Kerberos ticket cache (ccache NULL:
 * KRB5CCNAME or the default one). */
struct vs_login {
    const char *config_path;
    const char *user;
    const char *domain;
    const char *password;
    const char *ccache;
};

/* The pipes of one session: SAMR first, the others opened on the same SMB
 * session at their first use. */
enum vs_pipe { VS_SAMR = 0, VS_LSA, VS_NETLOGON, VS_SRVSVC, VS_WKSSVC, VS_PIPES };

/* Connects to server (a name or an address), giving up after connect_ms
 * (NT_STATUS_IO_TIMEOUT). On failure *failed_step names the step that failed
 * (static text). */
uint32_t vs_rpc_open(const char *server, const struct vs_login *login, unsigned connect_ms,
                     unsigned timeout_secs, struct vs_rpc **out, const char **failed_step);
void vs_rpc_close(struct vs_rpc *rpc);

/* Sends one request (r: the gen_ndr structure of the opnum); the transport's
 * status, or NT_STATUS_OK with the call's own result left in r. Output memory hangs off
 * mem_ctx (a talloc context). */
uint32_t vs_rpc_call(struct vs_rpc *rpc, enum vs_pipe pipe, uint32_t opnum,
                     void *mem_ctx, void *r);

/* The session key that encrypts passwords sent to SAMR (16 bytes). */
uint32_t vs_rpc_session_key(struct vs_rpc *rpc, uint8_t key[16]);

/* The principal of the Kerberos ticket cache (ccache NULL: the default one),
 * as user@REALM, into out; 0 or an NTSTATUS. */
uint32_t vs_ccache_principal(const char *config_path, const char *ccache, char *out,
                             size_t out_size);

/* The opnum of a call by its name ("lsa_LookupSids2"); -1 if unknown. The
 * installed headers carry no opnums for LSA, srvsvc and wkssvc. */
int vs_opnum(enum vs_pipe pipe, const char *name);

/* The text of an NTSTATUS (static). */
const char *vs_status_text(uint32_t status);

/* NTSTATUS to the generic Win32 code. */
uint32_t vs_status_to_win32(uint32_t status);

#ifdef __cplusplus
}
#endif

#endif
