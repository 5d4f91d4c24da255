// The common open and save dialogs over Qt's file dialogs.
#pragma once

#include "platform/FileDialogs.h"

class QtFileDialogs : public platform::FileDialogs {
public:
    QString openFile(const QString &title, const QString &filter) override;
    QString saveFile(const QString &title, const QString &filter,
                     const QString &suggestedName) override;
};
