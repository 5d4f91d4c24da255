#include "ErrorText.h"

#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <QHash>

namespace {

constexpr int IniBufferChars = 500;

const QString UnknownError =
    QStringLiteral("Unknown error (perhaps; invalid rights or object not found)");

const QHash<int32_t, QString> &builtInWords()
{
    static const QHash<int32_t, QString> words{
        {-9, QStringLiteral("Domain controller not found")},
        {0, QStringLiteral("SUCCESS")},
        {5, QStringLiteral("ACCESS DENIED")},
        {53, QStringLiteral("BAD NETPATH")},
        {1222, QStringLiteral("NO NETWORK")},
        {1315, QStringLiteral("INVALID ACCOUNT NAME")},
        {1371, QStringLiteral("SPECIAL ACCOUNT")},
        {1378, QStringLiteral("MEMBER IN ALIAS")},
        {2220, QStringLiteral("The group name could not be found")},
        {2221, QStringLiteral("The user name could not be found")},
        {2222, QStringLiteral("The resource name could not be found")},
        {2223, QStringLiteral("The group already exists")},
        {2224, QStringLiteral("The user account already exists")},
        {2225, QStringLiteral("The resource permission list already exists")},
        {2250, QStringLiteral("The network connection could not be found")},
    };
    return words;
}

} // namespace

QString Read_IniString(const QString &section, const QString &key, const QString &defaultValue,
                       const QString &file)
{
    const QString value =
        platform::system().readProfileString(section, key, QString(), file, IniBufferChars);
    return value.isEmpty() ? defaultValue : value;
}

QString Get_ErrorText(int32_t code)
{
    const auto builtIn = builtInWords().constFind(code);
    if (builtIn != builtInWords().constEnd())
        return *builtIn;
    return Read_IniString(QStringLiteral("Errors Codes"), QString::number(code), UnknownError,
                          platform::system().locateDataFile(QStringLiteral("errcodes.ini")));
}
