// A computer's shares, asked of the computer itself.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdint>

// The word for a share's whole 32-bit type: DISK, PRINTQ, COMM, IPC, and
// SPECIAL for anything else (so the administrative shares, whose type has
// the special bit, read SPECIAL).
QString Share_TypeWord(uint32_t type);

// Appends the computer's share names (server as typed, no "\\" added) to
// `names`; returns how many `names` holds afterwards. A failed listing
// appends nothing.
int32_t Enum_Shares(QStringList &names, const QString &server);

// Appends eight values of the share: name, type word, remark, permissions,
// maximum uses, current uses, local path, access code. Level 2 first; when
// it is refused (5) level 1, with -1, -1, -1, "", "" for what it lacks.
// Returns the status of the last service call.
int32_t Get_ShareInfo(const QString &share, QVariantList &values, const QString &server);
