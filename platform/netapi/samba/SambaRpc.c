#include "SambaRpc.h"
#include "NewSockets.h"

#include <talloc.h>
#include <tevent.h>
#include <util/data_blob.h>
#include <core/ntstatus.h>
#include <core/werror.h>
#include <core/error.h>
#include <credentials.h>
#include <param.h>
#include <dcerpc.h>
#include <gen_ndr/samr.h>
#include <gen_ndr/ndr_samr.h>
#include <gen_ndr/lsa.h>

#include <string.h>

extern const struct ndr_interface_table ndr_table_lsarpc;
extern const struct ndr_interface_table ndr_table_netlogon;
extern const struct ndr_interface_table ndr_table_srvsvc;
extern const struct ndr_interface_table ndr_table_wkssvc;

static const struct {
    const struct ndr_interface_table *table;
    const char *name;
} pipes[VS_PIPES] = {
    {&ndr_table_samr, "samr"},
    {&ndr_table_lsarpc, "lsarpc"},
    {&ndr_table_netlogon, "netlogon"},
    {&ndr_table_srvsvc, "srvsvc"},
    {&ndr_table_wkssvc, "wkssvc"},
};

struct vs_rpc {
    TALLOC_CTX *mem;
    struct tevent_context *ev;
    struct loadparm_context *lp;
    struct cli_credentials *creds;
    struct dcerpc_pipe *pipe[VS_PIPES];
    char *server;
    unsigned timeout_secs;
    struct vs_new_sockets connecting;
    struct tevent_timer *deadline;
    int connect_timed_out;
};

static int rpc_init_done;

static uint32_t fail(const char **failed_step, const char *step, NTSTATUS status)
{
    if (failed_step)
        *failed_step = step;
    return NT_STATUS_V(status);
}

static NTSTATUS set_credentials(struct vs_rpc *rpc, const struct vs_login *login)
{
    rpc->creds = cli_credentials_init(rpc->mem);
    if (!rpc->creds)
        return NT_STATUS_NO_MEMORY;
    cli_credentials_set_conf(rpc->creds, rpc->lp);
    if (login->password) {
        /* A name and password: NTLM, so that no KDC needs to be found. */
        cli_credentials_set_username(rpc->creds, login->user, CRED_SPECIFIED);
        cli_credentials_set_domain(rpc->creds, login->domain, CRED_SPECIFIED);
        cli_credentials_set_password(rpc->creds, login->password, CRED_SPECIFIED);
        cli_credentials_set_kerberos_state(rpc->creds, CRED_USE_KERBEROS_DISABLED,
                                           CRED_SPECIFIED);
        return NT_STATUS_OK;
    }
    const char *error = NULL;
    cli_credentials_set_kerberos_state(rpc->creds, CRED_USE_KERBEROS_REQUIRED, CRED_SPECIFIED);
    if (cli_credentials_set_ccache(rpc->creds, rpc->lp, login->ccache, CRED_SPECIFIED,
                                   &error) != 0)
        return NT_STATUS_LOGON_FAILURE;
    return NT_STATUS_OK;
}

/* The connect took too long: its sockets are shut down, so that it fails
 * at once through the library's own error path; again every 100 ms for any
 * socket it opens after that (another port). */
static void connect_deadline(struct tevent_context *ev, struct tevent_timer *timer,
                             struct timeval now, void *data)
{
    struct vs_rpc *rpc = data;
    rpc->connect_timed_out = 1;
    vs_new_sockets_cut(&rpc->connecting);
    rpc->deadline = tevent_add_timer(ev, rpc, tevent_timeval_current_ofs(0, 100000),
                                     connect_deadline, rpc);
}

static NTSTATUS connect_within(struct vs_rpc *rpc, const char *binding, unsigned connect_ms)
{
    vs_new_sockets_begin(&rpc->connecting);
    rpc->deadline = tevent_add_timer(
        rpc->ev, rpc, tevent_timeval_current_ofs(connect_ms / 1000, (connect_ms % 1000) * 1000),
        connect_deadline, rpc);
    NTSTATUS status = dcerpc_pipe_connect(rpc, &rpc->pipe[VS_SAMR], binding, &ndr_table_samr,
                                          rpc->creds, rpc->ev, rpc->lp);
    TALLOC_FREE(rpc->deadline);
    if (rpc->connect_timed_out) {
        TALLOC_FREE(rpc->pipe[VS_SAMR]);
        return NT_STATUS_IO_TIMEOUT;
    }
    return status;
}

uint32_t vs_rpc_open(const char *server, const struct vs_login *login, unsigned connect_ms,
                     unsigned timeout_secs, struct vs_rpc **out, const char **failed_step)
{
    *out = NULL;
    if (!rpc_init_done) {
        NTSTATUS status = dcerpc_init();
        if (!NT_STATUS_IS_OK(status))
            return fail(failed_step, "initialising the RPC client", status);
        rpc_init_done = 1;
    }
    struct vs_rpc *rpc = talloc_zero(NULL, struct vs_rpc);
    if (!rpc)
        return fail(failed_step, "allocating", NT_STATUS_NO_MEMORY);
    rpc->mem = rpc;
    rpc->timeout_secs = timeout_secs;
    rpc->server = talloc_strdup(rpc, server);
    rpc->ev = tevent_context_init(rpc);
    rpc->lp = loadparm_init_global(false);
    if (!rpc->ev || !rpc->lp || !rpc->server) {
        talloc_free(rpc);
        return fail(failed_step, "allocating", NT_STATUS_NO_MEMORY);
    }
    if (login->config_path && !lpcfg_load(rpc->lp, login->config_path)) {
        talloc_free(rpc);
        return fail(failed_step, "loading the client smb.conf", NT_STATUS_INVALID_PARAMETER);
    }
    /* Seal the pipe when the server can; the SMB session key stays usable for
     * the password buffers (an authenticated bind would lose it). */
    lpcfg_set_cmdline(rpc->lp, "client smb encrypt", "desired");
    NTSTATUS status = set_credentials(rpc, login);
    if (!NT_STATUS_IS_OK(status)) {
        talloc_free(rpc);
        return fail(failed_step, "reading the Kerberos ticket cache", status);
    }
    char *binding = talloc_asprintf(rpc, "ncacn_np:%s", server);
    status = connect_within(rpc, binding, connect_ms);
    if (!NT_STATUS_IS_OK(status)) {
        talloc_free(rpc);
        return fail(failed_step, "connecting to SAMR", status);
    }
    dcerpc_binding_handle_set_timeout(rpc->pipe[VS_SAMR]->binding_handle, timeout_secs);
    *out = rpc;
    return 0;
}

void vs_rpc_close(struct vs_rpc *rpc)
{
    talloc_free(rpc);
}

static NTSTATUS open_pipe(struct vs_rpc *rpc, enum vs_pipe which)
{
    struct dcerpc_binding *binding = NULL;
    char *text = talloc_asprintf(rpc, "ncacn_np:%s[\\pipe\\%s]", rpc->server,
                                 pipes[which].name);
    NTSTATUS status = dcerpc_parse_binding(rpc, text, &binding);
    if (!NT_STATUS_IS_OK(status))
        return status;
    status = dcerpc_secondary_auth_connection(rpc->pipe[VS_SAMR], binding, pipes[which].table,
                                              rpc->creds, rpc->lp, rpc, &rpc->pipe[which]);
    if (NT_STATUS_IS_OK(status))
        dcerpc_binding_handle_set_timeout(rpc->pipe[which]->binding_handle, rpc->timeout_secs);
    return status;
}

uint32_t vs_rpc_call(struct vs_rpc *rpc, enum vs_pipe pipe, uint32_t opnum, void *mem_ctx,
                     void *r)
{
    if (pipe >= VS_PIPES)
        return NT_STATUS_V(NT_STATUS_INVALID_PARAMETER);
    if (!rpc->pipe[pipe]) {
        NTSTATUS status = open_pipe(rpc, pipe);
        if (!NT_STATUS_IS_OK(status))
            return NT_STATUS_V(status);
    }
    return NT_STATUS_V(dcerpc_binding_handle_call(rpc->pipe[pipe]->binding_handle, NULL,
                                                  pipes[pipe].table, opnum, mem_ctx, r));
}

uint32_t vs_rpc_session_key(struct vs_rpc *rpc, uint8_t key[16])
{
    DATA_BLOB blob = data_blob_null;
    NTSTATUS status = dcerpc_fetch_session_key(rpc->pipe[VS_SAMR], &blob);
    if (!NT_STATUS_IS_OK(status))
        return NT_STATUS_V(status);
    if (blob.length < 16)
        return NT_STATUS_V(NT_STATUS_NO_USER_SESSION_KEY);
    memcpy(key, blob.data, 16);
    return 0;
}

uint32_t vs_ccache_principal(const char *config_path, const char *ccache, char *out,
                             size_t out_size)
{
    TALLOC_CTX *mem = talloc_new(NULL);
    struct loadparm_context *lp = loadparm_init_global(false);
    uint32_t result = NT_STATUS_V(NT_STATUS_NO_SUCH_LOGON_SESSION);
    if (mem && lp && (!config_path || lpcfg_load(lp, config_path))) {
        struct cli_credentials *creds = cli_credentials_init(mem);
        const char *error = NULL;
        if (creds && cli_credentials_set_ccache(creds, lp, ccache, CRED_SPECIFIED, &error) == 0) {
            char *principal = cli_credentials_get_principal(creds, mem);
            if (principal && strlen(principal) < out_size) {
                strcpy(out, principal);
                result = 0;
            }
        }
    }
    talloc_free(mem);
    return result;
}

int vs_opnum(enum vs_pipe pipe, const char *name)
{
    if (pipe >= VS_PIPES)
        return -1;
    const struct ndr_interface_table *table = pipes[pipe].table;
    for (uint32_t i = 0; i < table->num_calls; i++) {
        if (strcmp(table->calls[i].name, name) == 0)
            return (int)i;
    }
    return -1;
}

const char *vs_status_text(uint32_t status)
{
    return nt_errstr(NT_STATUS(status));
}

uint32_t vs_status_to_win32(uint32_t status)
{
    return W_ERROR_V(ntstatus_to_werror(NT_STATUS(status)));
}
