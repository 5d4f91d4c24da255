#include "ProfileReader.h"

#include <QFile>
#include <QStringList>

namespace platform {

namespace {

// "Remarks" of GetPrivateProfileString: a value enclosed in single or double
// quotation marks loses them.
QString dropSurroundingQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool isSectionHeader(const QString &line, QString &name)
{
    if (!line.startsWith(u'['))
        return false;
    const qsizetype close = line.indexOf(u']');
    name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
    return true;
}

// The value of key in section, or a null string when absent.
QString findValue(const QStringList &lines, const QString &section, const QString &key)
{
    bool inSection = false;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        QString header;
        if (isSectionHeader(line, header)) {
            inSection = header.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            QString value = dropSurroundingQuotes(line.mid(equals + 1).trimmed());
            return value.isNull() ? QString(u""_qs) : value;
        }
    }
    return {};
}

} // namespace

QString readProfileString(const QString &section, const QString &key,
                          const QString &defaultValue, const QString &file, int bufferChars)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return defaultValue;
    return profileStringIn(input.readAll(), section, key, defaultValue, bufferChars);
}

QString profileStringIn(const QByteArray &contents, const QString &section, const QString &key,
                        const QString &defaultValue, int bufferChars)
{
    const QString text = QString::fromUtf8(contents);
    const QString value = findValue(text.split(u'\n'), section, key);
    if (value.isNull())
        return defaultValue;
    return value.left(qMax(0, bufferChars - 1));
}

} // namespace platform
