// The LDAP path of the Samba back end against the live AD DC (run through
// scripts/samba-dc.sh exec): the users and machines listed over LDAP are the
// ones SAMR lists, in the same order with the same fields, and "user cannot
// change password" written over LDAP is read back by a fresh process's view
// and enforced by the DC itself.
#include "platform/netapi/Flags.h"
#include "platform/netapi/samba/SambaNetworkManagement.h"
#include "tests/netapi/SuiteSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace platform;

namespace {

const std::string Server = "\\\\" + qEnvironmentVariable("VARNEL_DC_NAME").toStdString();
const std::string FirstPassword = "Ab1-first";
const std::string SecondPassword = "Ab1-second";
constexpr uint32_t UseDesKeyOnly = 0x200000; // UF_USE_DES_KEY_ONLY

// A back end of its own, as a new process has it: no connection, no cache.
std::unique_ptr<samba::SambaNetworkManagement> freshBackEnd(const char *listing)
{
    qputenv("VARNEL_SAMBA_LISTING", listing);
    auto net = std::make_unique<samba::SambaNetworkManagement>();
    return net->initialise() == status::Success ? std::move(net) : nullptr;
}

// The user changes their own password over SAMR, as a workstation does.
bool userChangesOwnPassword(const std::string &user, const std::string &from,
                            const std::string &to)
{
    QProcess change;
    change.start(QStringLiteral("smbpasswd"),
                 {QStringLiteral("-s"), QStringLiteral("-c"),
                  qEnvironmentVariable("VARNEL_SMB_CONF"), QStringLiteral("-r"),
                  qEnvironmentVariable("VARNEL_DC_NAME"),
                  QStringLiteral("-U"), QString::fromStdString(user)});
    change.write(QByteArray::fromStdString(from + "\n" + to + "\n" + to + "\n"));
    change.closeWriteChannel();
    return change.waitForFinished(60000) && change.exitStatus() == QProcess::NormalExit
        && change.exitCode() == 0;
}

uint32_t flagsOf(NetworkManagement &net, const std::string &name)
{
    UserInfo3 info;
    return net.NetUserGetInfo(Server, name, 3, info) == status::Success ? info.flags : 0;
}

} // namespace

class SambaLdapLiveTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("VARNEL_DC_NAME"))
            QSKIP("no test DC: run through scripts/samba-dc.sh exec");
        m_net = freshBackEnd("samr");
        QVERIFY(m_net);
        m_disabledUser = netapi_tests::uniqueName("ld", 16);
        m_disabledMachine = netapi_tests::upper(netapi_tests::uniqueName("lw", 14)) + "$";
        UserInfo3 user;
        user.name = m_disabledUser;
        user.password = FirstPassword;
        user.flags = uf::NormalAccount | uf::AccountDisable | uf::Script;
        user.fullName = "Zoë Ldap Ünïcode";
        user.comment = "listed both ways";
        QCOMPARE(m_net->NetUserAdd(Server, 1, user, nullptr), status::Success);
        UserInfo3 machine;
        machine.name = m_disabledMachine;
        machine.password = "x";
        machine.flags = uf::WorkstationTrustAccount | uf::AccountDisable | uf::Script;
        QCOMPARE(m_net->NetUserAdd(Server, 1, machine, nullptr), status::Success);
    }

    void cleanupTestCase()
    {
        if (!m_net)
            return;
        for (const std::string &name : {m_disabledUser, m_disabledMachine, m_changer, m_desOnly})
            if (!name.empty())
                m_net->NetUserDel(Server, name);
    }

    void listOverLdap_equalsSamrList_data()
    {
        QTest::addColumn<uint32_t>("level");
        QTest::addColumn<uint32_t>("typeFlags");
        QTest::newRow("users") << 1u << uint32_t(uf::NormalAccount);
        QTest::newRow("machines")
            << 2u << uint32_t(uf::WorkstationTrustAccount | uf::ServerTrustAccount);
    }
    void listOverLdap_equalsSamrList()
    {
        QFETCH(uint32_t, level);
        QFETCH(uint32_t, typeFlags);
        bool ok = false;
        const auto overLdap = freshBackEnd("ldap");
        const auto ldap = netapi_tests::displayRecords(*overLdap, Server, level, ok);
        QVERIFY(ok);
        const auto overSamr = freshBackEnd("samr");
        const auto samr = netapi_tests::displayRecords(*overSamr, Server, level, ok);
        QVERIFY(ok);
        QCOMPARE(ldap.size(), samr.size());
        QVERIFY(ldap.size() >= (level == 1 ? 2000u : 2u));
        for (size_t i = 0; i < ldap.size(); ++i) {
            QCOMPARE(ldap[i].name, samr[i].name);
            QCOMPARE(ldap[i].id, samr[i].id);
            QCOMPARE(ldap[i].fullName, samr[i].fullName);
            QCOMPARE(ldap[i].comment, samr[i].comment);
            QCOMPARE(ldap[i].nextIndex, samr[i].nextIndex);
            QVERIFY2(ldap[i].flags & typeFlags, ldap[i].name.c_str());
            QVERIFY(ldap[i].flags & uf::Script);
        }
        // Disabled accounts are listed, and over LDAP they show it.
        const std::string disabled = level == 1 ? m_disabledUser : m_disabledMachine;
        const auto found = std::find_if(ldap.begin(), ldap.end(),
                                        [&](const auto &r) { return r.name == disabled; });
        QVERIFY(found != ldap.end());
        QVERIFY(found->flags & uf::AccountDisable);
        // An interdomain trust account is in neither list.
        const std::string trusted = qEnvironmentVariable("VARNEL_DC2_DOMAIN").toStdString();
        if (!trusted.empty())
            QVERIFY(std::none_of(ldap.begin(), ldap.end(),
                                 [&](const auto &r) { return r.name == trusted + "$"; }));
    }

    void cannotChangePassword_isReadAfresh_andEnforcedByTheDc()
    {
        m_changer = netapi_tests::uniqueName("lc", 16);
        UserInfo3 user;
        user.name = m_changer;
        user.password = FirstPassword;
        user.flags = uf::NormalAccount | uf::Script | uf::DontExpirePasswd;
        QCOMPARE(m_net->NetUserAdd(Server, 1, user, nullptr), status::Success);
        QCOMPARE(flagsOf(*m_net, m_changer) & uf::PasswdCantChange, 0u);

        UserInfo3 info;
        QCOMPARE(m_net->NetUserGetInfo(Server, m_changer, 3, info), status::Success);
        info.flags |= uf::PasswdCantChange;
        QCOMPARE(m_net->NetUserSetInfo(Server, m_changer, 3, info, nullptr), status::Success);
        QVERIFY(flagsOf(*freshBackEnd("samr"), m_changer) & uf::PasswdCantChange);
        QVERIFY(!userChangesOwnPassword(m_changer, FirstPassword, SecondPassword));

        info.flags &= ~uf::PasswdCantChange;
        QCOMPARE(m_net->NetUserSetInfo(Server, m_changer, 3, info, nullptr), status::Success);
        QCOMPARE(flagsOf(*freshBackEnd("samr"), m_changer) & uf::PasswdCantChange, 0u);
        QVERIFY(userChangesOwnPassword(m_changer, FirstPassword, SecondPassword));
    }

    // A DES-only account gets no Kerberos ticket from a DC without DES, so its
    // LDAP bind fails, while SAMR (NTLM) logs it on: the listing still comes.
    void refusedLdapBind_listsOverSamr()
    {
        m_desOnly = netapi_tests::uniqueName("lk", 16);
        UserInfo3 user;
        user.name = m_desOnly;
        user.password = FirstPassword;
        user.flags = uf::NormalAccount | uf::Script | uf::DontExpirePasswd | UseDesKeyOnly;
        QCOMPARE(m_net->NetUserAdd(Server, 1, user, nullptr), status::Success);
        const DirectoryCredentials credentials{qEnvironmentVariable("VARNEL_DC_DOMAIN"),
                                               QString::fromStdString(m_desOnly),
                                               QString::fromStdString(FirstPassword)};
        bool ok = false;
        for (const char *listing : {"ldap", ""}) {
            qputenv("VARNEL_SAMBA_LISTING", listing);
            samba::SambaNetworkManagement net;
            net.actAs(credentials);
            QCOMPARE(net.initialise(), status::Success);
            const auto names = netapi_tests::displayNames(net, Server, 1, ok);
            if (*listing) {
                QVERIFY2(!ok, "the DES-only account's LDAP bind was expected to fail");
                continue;
            }
            QVERIFY(ok);
            QCOMPARE(names, netapi_tests::displayNames(*freshBackEnd("samr"), Server, 1, ok));
        }
    }

    void kerberosLogon_leavesNoPasswordInConfigOrEnvironment()
    {
        QFile authFile(qEnvironmentVariable("VARNEL_AUTHFILE"));
        QVERIFY(authFile.open(QIODevice::ReadOnly));
        QByteArray password;
        for (const QByteArray &line : authFile.readAll().split('\n'))
            if (line.trimmed().startsWith("password"))
                password = line.mid(line.indexOf('=') + 1).trimmed();
        QVERIFY(!password.isEmpty());
        const QString config = qEnvironmentVariable("KRB5_CONFIG").section(u':', 0, 0);
        QFile privateConfig(config);
        QVERIFY2(privateConfig.open(QIODevice::ReadOnly), qPrintable(config));
        const QByteArray text = privateConfig.readAll();
        QVERIFY(text.contains("kdc = "));
        QVERIFY(!text.contains(password));
        for (const QString &entry : QProcessEnvironment::systemEnvironment().toStringList())
            QVERIFY(!entry.toUtf8().contains(password));
    }

private:
    std::unique_ptr<samba::SambaNetworkManagement> m_net;
    std::string m_disabledUser;
    std::string m_disabledMachine;
    std::string m_changer;
    std::string m_desOnly;
};

QTEST_GUILESS_MAIN(SambaLdapLiveTest)
#include "test_samba_ldap_live.moc"
