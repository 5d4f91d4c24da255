// How far the shared progress bar moves per step of an add window's task.
#pragma once

#include <cstdint>

// The bar's maximum shared out over the domains the task may look at, rounded
// to the nearest whole number with halves to the even neighbour; halved again
// (and rounded the same way) when a second account is made, so that the two
// accounts' lookups fit the same bar. `domainEntries` is at least 1.
int32_t Progress_Step(int32_t maximum, int domainEntries, bool twoAccounts);
