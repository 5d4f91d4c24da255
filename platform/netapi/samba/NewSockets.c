#include "NewSockets.h"

#include <dirent.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

/* Calls visit(fd, inode) for every socket this process holds. */
static void each_socket(void (*visit)(int, unsigned long, void *), void *context)
{
    DIR *fds = opendir("/proc/self/fd");
    if (!fds)
        return;
    const int own = dirfd(fds);
    struct dirent *entry;
    while ((entry = readdir(fds)) != NULL) {
        const int fd = atoi(entry->d_name);
        if (entry->d_name[0] == '.' || fd == own)
            continue;
        char path[64], target[64];
        snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
        const ssize_t n = readlink(path, target, sizeof target - 1);
        if (n <= 0)
            continue;
        target[n] = '\0';
        unsigned long inode = 0;
        if (sscanf(target, "socket:[%lu]", &inode) == 1)
            visit(fd, inode, context);
    }
    closedir(fds);
}

static void note(int fd, unsigned long inode, void *context)
{
    (void)fd;
    struct vs_new_sockets *watch = context;
    if (watch->count < sizeof watch->known / sizeof watch->known[0])
        watch->known[watch->count++] = inode;
}

void vs_new_sockets_begin(struct vs_new_sockets *watch)
{
    watch->count = 0;
    each_socket(note, watch);
}

struct cut_state {
    const struct vs_new_sockets *watch;
    int cut;
};

static int is_tcp(int fd)
{
    int type = 0;
    socklen_t size = sizeof type;
    struct sockaddr_storage address;
    socklen_t length = sizeof address;
    if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &size) != 0 || type != SOCK_STREAM)
        return 0;
    if (getsockname(fd, (struct sockaddr *)&address, &length) != 0)
        return 0;
    return address.ss_family == AF_INET || address.ss_family == AF_INET6;
}

static void cut(int fd, unsigned long inode, void *context)
{
    struct cut_state *state = context;
    for (size_t i = 0; i < state->watch->count; i++) {
        if (state->watch->known[i] == inode)
            return;
    }
    if (is_tcp(fd) && shutdown(fd, SHUT_RDWR) == 0)
        state->cut++;
}

int vs_new_sockets_cut(const struct vs_new_sockets *watch)
{
    struct cut_state state = {watch, 0};
    each_socket(cut, &state);
    return state.cut;
}
