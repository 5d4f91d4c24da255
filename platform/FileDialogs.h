// Common file dialogs (open and save).
#pragma once

#include <QString>

namespace platform {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or empty when the user cancelled.
    virtual QString openFile(const QString &title, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &filter,
                             const QString &suggestedName) = 0;
};

} // namespace platform
