// The operating-system version record and its label.
#pragma once

#include <QString>

// Fills AppContext::OsVersion and returns the label ("2000", "XP", "NT", "95",
// "98", "ME", "WIN9X" or "WIN32").
QString Get_OSVersion();
