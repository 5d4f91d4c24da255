// How a task window turns its domain field into the server argument of the
// directory layer: "\\My Computer" is the local machine (the empty server);
// "\\NAME" is that computer; anything else is a domain.
#pragma once

#include <QString>
#include <cstdint>

// The domain field names one computer rather than a domain.
bool Is_ServerName(const QString &domain);

// The server argument for the field's trimmed text: empty for
// "\\My Computer", the text itself otherwise.
QString Server_Argument(const QString &domain);

// A directory result that means the domain or computer cannot be reached: no
// controller found (-9) or the network path not found (53).
bool Is_Unreachable(int32_t result);
