// How the delete-user window reads its name field, and the names a
// soft-deleted account may take.
#pragma once

#include <QString>
#include <QStringList>

// One name, or the pieces between commas, each trimmed, in the order typed.
// Empty pieces stay, so that "jdoe,,asmith" stops at the empty name rather
// than silently deleting asmith too.
QStringList Split_Names(const QString &names);

// The names a soft delete tries for `name`, in order: "%", "%%" and "%%%"
// before it. The mark lets the add-user window find such accounts again.
QStringList SoftDelete_Names(const QString &name);
