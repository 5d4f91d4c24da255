#include "platform/netapi/embedded/Passwords.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QString>

namespace platform::embedded {

namespace {

constexpr int Iterations = 1000;
constexpr int SaltBytes = 16;
constexpr int DigestBytes = 32;
const char Scheme[] = "pbkdf2-sha256";

QByteArray derive(const std::string &password, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256,
                                              QByteArray::fromStdString(password), salt,
                                              iterations, DigestBytes);
}

QByteArray randomSalt()
{
    QByteArray salt(SaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()),
                                          SaltBytes / 4);
    return salt;
}

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

int characterClasses(const QString &password)
{
    bool upper = false, lower = false, digit = false, other = false;
    for (QChar c : password) {
        if (c.isUpper())
            upper = true;
        else if (c.isLower())
            lower = true;
        else if (c.isDigit())
            digit = true;
        else
            other = true;
    }
    return int(upper) + int(lower) + int(digit) + int(other);
}

} // namespace

std::string hashPassword(const std::string &password)
{
    const QByteArray salt = randomSalt();
    const QByteArray digest = derive(password, salt, Iterations);
    return std::string(Scheme) + "$" + std::to_string(Iterations) + "$"
        + salt.toBase64().toStdString() + "$" + digest.toBase64().toStdString();
}

bool verifyPassword(const std::string &password, const std::string &stored)
{
    const QList<QByteArray> parts = QByteArray::fromStdString(stored).split('$');
    if (parts.size() != 4 || parts[0] != Scheme)
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations <= 0)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2]);
    return sameBytes(derive(password, salt, iterations), QByteArray::fromBase64(parts[3]));
}

bool meetsPolicy(const std::string &password, const std::string &accountName,
                 const PasswordPolicy &policy)
{
    const QString text = QString::fromStdString(password);
    if (text.size() < policy.minLength)
        return false;
    if (!policy.complexity)
        return true;
    const QString name = QString::fromStdString(accountName);
    if (name.size() >= 3 && text.contains(name, Qt::CaseInsensitive))
        return false;
    return text.size() >= 6 && characterClasses(text) >= 3;
}

} // namespace platform::embedded
