#include "QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

QString QtFileDialogs::openFile(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
}

QString QtFileDialogs::saveFile(const QString &title, const QString &filter,
                                const QString &suggestedName)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedName,
                                        filter);
}
