// The work file of one domain's windowless listing: in the program's writable
// folder, named after the domain and "%.tmp" ("%.tmp" alone for the local
// machine). The search window reads and deletes it.
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

// Whether a domain's name can name a work file inside the folder. A name with
// "/" or "\" (a path, or a server name), or with a control character, is
// refused: no domain's NetBIOS name holds one. "." and ".." need no check,
// since "%.tmp" stays in the same path component ("..%.tmp").
bool Is_WorkFileDomain(const QString &domain);

// The work file's full path, or "" when the domain is refused.
QString WorkFile_Path(const QString &folder, const QString &domain);

// Step 8 of a search for one domain: while `items` holds fewer than `limit`
// entries, appends the work file's lines that are not blank, trimmed, until
// it holds `limit`; then deletes the file, read or not.
void Collect_WorkFile(const QString &path, QStringList &items, int limit);

// The reading half of Collect_WorkFile, from a device open for reading.
void Collect_WorkLines(QIODevice &input, QStringList &items, int limit);
