#include "RandomPassword.h"

#include <QRandomGenerator>
#include <algorithm>
#include <array>

namespace {

constexpr int MinimumLength = 16;

// Symbols that need no quoting in a command line, a CSV field or a log line.
const std::array<QString, 4> &characterClasses()
{
    static const std::array<QString, 4> classes{
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
        QStringLiteral("abcdefghijklmnopqrstuvwxyz"),
        QStringLiteral("0123456789"),
        QStringLiteral("!#%&*+-=?@^_~"),
    };
    return classes;
}

QChar pick(const QString &characters)
{
    return characters.at(QRandomGenerator::system()->bounded(int(characters.size())));
}

} // namespace

QString Generate_Password(int length)
{
    length = std::max(length, MinimumLength);
    const auto &classes = characterClasses();
    QString all;
    QString password;
    for (const QString &characters : classes) {
        all += characters;
        password += pick(characters); // one of each class, wherever it lands
    }
    while (password.size() < length)
        password += pick(all);
    // Fisher-Yates, so the guaranteed characters are not always the first four.
    for (qsizetype i = password.size() - 1; i > 0; --i) {
        const qsizetype j = QRandomGenerator::system()->bounded(int(i + 1));
        std::swap(password[i], password[j]);
    }
    return password;
}
