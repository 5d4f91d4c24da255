/* The TCP sockets a library opened during one step, found from outside it:
 * Samba's client gives no way to abandon a connect that hangs (a server that
 * accepts the connection and then says nothing, a stopped or overloaded DC),
 * but shutting its socket down makes it fail at once through its own error
 * path. */
#ifndef VARNEL_NEW_SOCKETS_H
#define VARNEL_NEW_SOCKETS_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct vs_new_sockets {
    unsigned long known[256]; /* socket inodes open when the step began */
    size_t count;
};

/* Notes the sockets open now. */
void vs_new_sockets_begin(struct vs_new_sockets *watch);
/* Shuts down every TCP socket opened since; how many. */
int vs_new_sockets_cut(const struct vs_new_sockets *watch);

#ifdef __cplusplus
}
#endif

#endif
