// The windowless account listing: one copy of the program per domain of an
// account search lists the domain's accounts of one kind, writes those that
// match the criteria to the domain's work file and ends.
#pragma once

#include "app/CommandLine.h"

// Lists, filters and writes; returns the process's exit code: 0 when the run
// has finished (with or without matches, the domain reachable or not), 2 when
// the domain's name cannot name a work file (nothing is listed or written).
int ChildProcess(const AccountListRequest &request);
