// The request structures of the srvsvc and wkssvc calls the back end makes
// ([MS-SRVS] 3.1.4.8 NetrShareEnum, 3.1.4.10 NetrShareGetInfo, 3.1.4.17
// NetrServerGetInfo; [MS-WKST] 3.2.4.1 NetrWkstaGetInfo). Samba's -dev package
// installs the marshalling tables but not these headers, so they are laid out
// here exactly as Samba's IDL compiler lays them out (in-only arguments, then
// in/out ones; out-only, then in/out, then the result).
#pragma once

#include <cstdint>

namespace platform::samba::wire {

struct ShareInfo0 {
    const char *name;
};
struct ShareInfo1 {
    const char *name;
    uint32_t type;
    const char *comment;
};
struct ShareInfo2 {
    const char *name;
    uint32_t type;
    const char *comment;
    uint32_t permissions;
    uint32_t maxUsers;
    uint32_t currentUsers;
    const char *path;
    const char *password;
};
template <typename Info>
struct ShareCtr {
    uint32_t count;
    Info *array;
};
struct ShareInfoCtr {
    uint32_t level;
    void *ctr; // ShareCtr<ShareInfoN> * by level
};

struct NetShareEnumAll {
    struct {
        const char *serverUnc;
        uint32_t maxBuffer;
        ShareInfoCtr *infoCtr;
        uint32_t *resumeHandle;
    } in;
    struct {
        uint32_t *totalEntries;
        ShareInfoCtr *infoCtr;
        uint32_t *resumeHandle;
        uint32_t result;
    } out;
};

struct NetShareGetInfo {
    struct {
        const char *serverUnc;
        const char *shareName;
        uint32_t level;
    } in;
    struct {
        void **info; // ShareInfoN * by level
        uint32_t result;
    } out;
};

struct ServerInfo101 {
    uint32_t platformId;
    const char *name;
    uint32_t versionMajor;
    uint32_t versionMinor;
    uint32_t type;
    const char *comment;
};

struct NetSrvGetInfo {
    struct {
        const char *serverUnc;
        uint32_t level;
    } in;
    struct {
        ServerInfo101 **info;
        uint32_t result;
    } out;
};

struct WkstaInfo100 {
    uint32_t platformId;
    const char *serverName;
    const char *domainName;
    uint32_t versionMajor;
    uint32_t versionMinor;
};

struct NetWkstaGetInfo {
    struct {
        const char *serverName;
        uint32_t level;
    } in;
    struct {
        WkstaInfo100 **info;
        uint32_t result;
    } out;
};

} // namespace platform::samba::wire
