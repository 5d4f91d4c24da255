// Samba's libnetapi header for C++, marked as a system header (its warnings
// are not ours).
#pragma once
#pragma GCC system_header

extern "C" {
#include <netapi.h>
// Exported by libsamba-util but declared in no installed header: the file
// libnetapi loads (it reads no SMB_CONF_PATH).
const char *set_dyn_CONFIGFILE(const char *path);
}
