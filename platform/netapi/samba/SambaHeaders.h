// Samba's C headers for the C++ side of the back end (all but credentials.h,
// which only the C file uses). Marked as a system header: their warnings are
// not ours.
#pragma once
#pragma GCC system_header

extern "C" {
#include <talloc.h>
#include <stdbool.h>
#include <ndr.h>
#include <util/data_blob.h>
#include <core/ntstatus.h>
#include <gen_ndr/misc.h>
#include <gen_ndr/security.h>
#include <gen_ndr/lsa.h>
#include <gen_ndr/samr.h>
#include <gen_ndr/ndr_samr.h>
}
