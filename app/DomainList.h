// Filling a task window's domain drop-down list from the shared domain list.
#pragma once

#include "ListControl.h"

#include <QString>

inline const QString MyComputer = QStringLiteral("\\\\My Computer");

// The trusted domains, the workstation's own domain last, then (with
// includeLocal, and only when this machine has an account database of its
// own) "\\My Computer"; into `second` as well when given.
void Load_DomainList(ListControl &first, bool includeLocal, ListControl *second = nullptr);
