#include "platform/netapi/samba/SambaSettings.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <unistd.h>

namespace platform::samba {

namespace {

constexpr const char *DefaultConfig = "/etc/samba/smb.conf";
constexpr NetStatus BadConfiguration = 31; // ERROR_GEN_FAILURE: what libnetapi answers
constexpr NetStatus LogonFailure = 1326;   // ERROR_LOGON_FAILURE

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

QString normalKey(const QString &key)
{
    QString out;
    for (QChar c : key) {
        if (!c.isSpace())
            out += c.toLower();
    }
    return out;
}

// Each "key = value" line of a file, with the section it stands in.
template <typename Visit>
bool forEachSetting(const std::string &path, Visit visit)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString section;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            visit(section, normalKey(line.left(equals)), line.mid(equals + 1).trimmed());
    }
    return true;
}

std::string hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return std::string();
    std::string text(name);
    return text.substr(0, text.find('.'));
}

// user@realm, DOMAIN\user, DOMAIN/user.
void splitUser(const QString &given, Login &login)
{
    QString user = given;
    const qsizetype separator = std::max(user.indexOf(u'\\'), user.indexOf(u'/'));
    if (separator > 0) {
        login.domain = user.left(separator).toUpper().toStdString();
        user = user.mid(separator + 1);
    }
    const qsizetype at = user.indexOf(u'@');
    if (at > 0) {
        if (login.domain.empty())
            login.domain = user.mid(at + 1).section(u'.', 0, 0).toUpper().toStdString();
        user = user.left(at);
    }
    login.user = user.toStdString();
}

} // namespace

bool readClientConfig(const std::string &path, ClientConfig &config)
{
    config.path = path;
    const bool read = forEachSetting(path, [&](const QString &section, const QString &key,
                                               const QString &value) {
        if (section != u"global")
            return;
        if (key == u"workgroup")
            config.workgroup = value.toUpper().toStdString();
        else if (key == u"realm")
            config.realm = value.toUpper().toStdString();
        else if (key == u"netbiosname")
            config.netbiosName = value.toUpper().toStdString();
        else if (key == u"passwordserver")
            config.passwordServer = value.toStdString();
    });
    if (config.workgroup.empty())
        config.workgroup = "WORKGROUP"; // Samba's default
    if (config.netbiosName.empty())
        config.netbiosName = QString::fromStdString(hostName()).toUpper().toStdString();
    return read;
}

bool readAuthFile(const std::string &path, const std::string &defaultDomain, Login &login)
{
    QString user, domain, password;
    bool havePassword = false;
    const bool read = forEachSetting(path, [&](const QString &, const QString &key,
                                               const QString &value) {
        if (key == u"username")
            user = value;
        else if (key == u"domain")
            domain = value;
        else if (key == u"password") {
            password = value;
            havePassword = true;
        }
    });
    if (!read || user.isEmpty() || !havePassword)
        return false;
    login = Login();
    splitUser(user, login);
    if (!domain.isEmpty())
        login.domain = domain.toUpper().toStdString();
    if (login.domain.empty())
        login.domain = defaultDomain;
    login.password = password.toStdString();
    return true;
}

Login passwordLogin(const std::string &domain, const std::string &user,
                    const std::string &password, const std::string &defaultDomain)
{
    Login login;
    splitUser(QString::fromStdString(user), login);
    if (!domain.empty())
        login.domain = QString::fromStdString(domain).toUpper().toStdString();
    if (login.domain.empty())
        login.domain = defaultDomain;
    login.password = password;
    return login;
}

NetStatus loadSettings(Settings &settings, std::string &problem, const Login *given)
{
    std::string config = environment("VARNEL_SMB_CONF");
    if (config.empty())
        config = DefaultConfig;
    if (!readClientConfig(config, settings.config)) {
        problem = "cannot read the client smb.conf " + config
            + " (set VARNEL_SMB_CONF to a readable file)";
        return BadConfiguration;
    }
    if (given) {
        settings.login = *given;
        if (settings.login.domain.empty())
            settings.login.domain = settings.config.workgroup;
        return status::Success;
    }
    const std::string authFile = environment("VARNEL_AUTHFILE");
    if (!authFile.empty()) {
        if (!readAuthFile(authFile, settings.config.workgroup, settings.login)) {
            problem = "cannot read user and password from the authentication file "
                + authFile + " (VARNEL_AUTHFILE)";
            return LogonFailure;
        }
        return status::Success;
    }
    settings.login = Login();
    settings.login.kerberos = true;
    settings.login.ccache = environment("KRB5CCNAME");
    return status::Success;
}

} // namespace platform::samba
