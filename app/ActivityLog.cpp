#include "ActivityLog.h"

#include "AppContext.h"
#include "CommandLine.h"
#include "Identity.h"
#include "Seams.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

constexpr qint64 MaxLogBytes = 1000000;

QString timeStamp()
{
    const QLocale locale;
    const QDateTime now = seams::now();
    return locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(now.time(), QLocale::LongFormat);
}

// A field never breaks the line: line breaks inside it become blanks.
QString oneLine(QString field)
{
    field.replace(u'\r', u' ');
    field.replace(u'\n', u' ');
    return field;
}

QString recordLine(const QString &action, const QString &object, bool outcome,
                   const QStringList &details)
{
    QStringList fields{timeStamp(), Get_LogonDomain() + u'\\' + Get_UserName(), action, object,
                       outcome ? QStringLiteral("True") : QStringLiteral("False")};
    fields += details;
    for (QString &field : fields)
        field = oneLine(field);
    return fields.join(QStringLiteral(", ")) + QStringLiteral("\r\n");
}

void warnTooLarge(const QString &path)
{
    seams::messageBox(QStringLiteral("WARNING: Log file too large.  Back it up and delete.\n\n") +
                          path,
                      seams::OkOnly, seams::Exclamation, AppTitle + QStringLiteral(" : Max File Size"));
}

} // namespace

QString LogFilePath()
{
    return platform::system().writableFolder() + u'/' + ExeBaseName + QStringLiteral(".log");
}

bool File_Exists(const QString &path)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened && !QFileInfo(path).isDir();
}

void Write_Log(const QString &, const QString &action, const QString &object, bool outcome,
               const QString &detail1, const QString &detail2, const QString &detail3,
               const QString &detail4, const QString &detail5)
{
    if (HasSwitch(appContext().CommandLine, QStringLiteral("/NOLOG")))
        return;
    const QString path = LogFilePath();
    if (File_Exists(path) && QFileInfo(path).size() > MaxLogBytes)
        warnTooLarge(path);
    const QByteArray line =
        recordLine(action, object, outcome, {detail1, detail2, detail3, detail4, detail5}).toUtf8();
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // a log that cannot be opened loses this line silently
    log.write(line);
    log.close();
}
