#include "WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool Is_WorkFileDomain(const QString &domain)
{
    for (const QChar character : domain) {
        if (character == u'/' || character == u'\\' || character.unicode() < 0x20
            || character.unicode() == 0x7F)
            return false;
    }
    return true;
}

QString WorkFile_Path(const QString &folder, const QString &domain)
{
    if (!Is_WorkFileDomain(domain))
        return {};
    const QString path = QDir(folder).filePath(domain + QStringLiteral("%.tmp"));
    // Belt and braces: the file must stand directly in the folder.
    if (QDir::cleanPath(QFileInfo(path).absolutePath()) != QDir(folder).absolutePath())
        return {};
    return path;
}

void Collect_WorkLines(QIODevice &input, QStringList &items, int limit)
{
    while (!input.atEnd() && items.size() < limit) {
        const QString line = QString::fromUtf8(input.readLine()).trimmed();
        if (!line.isEmpty())
            items.append(line);
    }
}

void Collect_WorkFile(const QString &path, QStringList &items, int limit)
{
    if (items.size() < limit) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            Collect_WorkLines(file, items, limit);
    }
    if (QFile::exists(path))
        QFile::remove(path);
}
