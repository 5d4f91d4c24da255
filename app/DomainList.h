// Filling a task window's domain drop-down list from the shared domain list.
#pragma once

#include "ListControl.h"

#include <QString>

inline const QString MyComputer = QStringLiteral("\\\\My Computer");

void Load_DomainList(ListControl &first, bool includeLocal, ListControl *second = nullptr);
