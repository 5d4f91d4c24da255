// How strings cross into and out of the network-management interface: the
// program holds QString, the interface takes and gives UTF-8 std::string.
#pragma once

#include <QString>
#include <string>

// The text of a string field of a service record, up to its first NUL (a
// service string ends there); an empty field gives the empty string.
QString Get_StrFromPtr(const std::string &field);

// The text up to, and without, its first NUL; a text without NUL unchanged.
QString Trim_Null(const QString &text);

// A program string as the interface takes it.
std::string To_NetStr(const QString &text);
