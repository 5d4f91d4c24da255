#include "platform/netapi/samba/PasswordBuffer.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QString>

#include <cstring>
#include <utility>

namespace platform::samba {

void rc4(const uint8_t *key, size_t keyLength, uint8_t *data, size_t length)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = uint8_t(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = uint8_t(j + s[i] + key[size_t(i) % keyLength]);
        std::swap(s[i], s[j]);
    }
    uint8_t a = 0, b = 0;
    for (size_t n = 0; n < length; ++n) {
        a = uint8_t(a + 1);
        b = uint8_t(b + s[a]);
        std::swap(s[a], s[b]);
        data[n] ^= s[uint8_t(s[a] + s[b])];
    }
}

bool encryptPasswordEx(const std::string &utf8Password, const uint8_t sessionKey[16],
                       std::array<uint8_t, 532> &out)
{
    const QString password = QString::fromStdString(utf8Password);
    const size_t bytes = size_t(password.size()) * 2;
    if (bytes > 512)
        return false;
    // Random filler, the password at the end of the 512 bytes, then its length.
    QRandomGenerator *random = QRandomGenerator::system();
    for (uint8_t &byte : out)
        byte = uint8_t(random->generate());
    for (qsizetype i = 0; i < password.size(); ++i) {
        const char16_t c = password.at(i).unicode();
        out[512 - bytes + size_t(i) * 2] = uint8_t(c & 0xFF);
        out[512 - bytes + size_t(i) * 2 + 1] = uint8_t(c >> 8);
    }
    for (int i = 0; i < 4; ++i)
        out[512 + size_t(i)] = uint8_t(bytes >> (8 * i));
    // The salt stays in the clear after the 516 encrypted bytes.
    QCryptographicHash md5(QCryptographicHash::Md5);
    md5.addData(QByteArrayView(reinterpret_cast<const char *>(out.data() + 516), 16));
    md5.addData(QByteArrayView(reinterpret_cast<const char *>(sessionKey), 16));
    const QByteArray key = md5.result();
    rc4(reinterpret_cast<const uint8_t *>(key.constData()), size_t(key.size()), out.data(), 516);
    return true;
}

} // namespace platform::samba
