#include "WindowTexts.h"

#include "app/AppContext.h"
#include "app/ProgramFolder.h"

#include <QDir>
#include <QLocale>
#include <QTime>

QString Revision_Text()
{
    return QChar(0xA9) + QStringLiteral(VARNEL_COPYRIGHT) + QStringLiteral(" Build ") +
           QString::number(VARNEL_VERSION_MAJOR) + QString::number(VARNEL_VERSION_MINOR) +
           QString::number(VARNEL_REVISION);
}

QString Time_Text(const QTime &time)
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return time.toString(format.trimmed());
}

QString Diagnostic_Text()
{
    QString text = appContext().CommandLine;
    const QStringList files =
        QDir(HelperFolder()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files)
        text += u'\n' + file;
    return text;
}
