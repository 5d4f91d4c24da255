// Lists the names of one kind of object known to a server or domain, into a
// window's list control or a collection; with a prefix it finds the first
// name that begins with it.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class ListControl;

// What Enum_Accounts lists.
namespace enum_kind {
inline constexpr int32_t Users = 0;
inline constexpr int32_t Computers = 1;
inline constexpr int32_t Groups = 2;            // local or global, by LocalGroup
inline constexpr int32_t BackupControllers = 3;
inline constexpr int32_t SqlServers = 4;
inline constexpr int32_t NtServers = 5;         // servers and domain controllers
inline constexpr int32_t Domains = 6;
} // namespace enum_kind

// The text a successful prefix search leaves in its prefix argument.
inline const QString PrefixFoundMarker = QStringLiteral("FirstObjectPrefixFound");

// Lists the objects of `kind` at `server` (resolved as every directory
// operation resolves it) into `list` when one is given, else into `items`.
// "NONE" (any case) and empty names are skipped; a computer account's name
// loses its trailing "$". With a non-empty `prefix`, the first name that
// begins with it (case ignored) replaces whatever the receiver held, the
// listing stops and `prefix` becomes PrefixFoundMarker. Returns the
// receiver's count afterwards, or 0 when the controller cannot be found or a
// service call fails (names of earlier chunks then stay).
int32_t Enum_Accounts(const QString &server, int32_t kind, QStringList &items, bool localGroup,
                      QString &prefix, ListControl *list = nullptr);
