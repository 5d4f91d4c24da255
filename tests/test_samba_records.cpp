// The Samba back end's translations that need no domain controller: account
// flags between UF_* and ACB_*, times, the SAMR write built from a changed
// USER_INFO_3, the encrypted password buffer, the statuses by call, the
// authentication file and client smb.conf, and the paging of listings.
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/PasswordBuffer.h"
#include "platform/netapi/samba/SambaSettings.h"
#include "platform/netapi/samba/UserRecord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace platform;
using namespace platform::samba;

namespace {

constexpr uint32_t AcbDisabled = 0x1;
constexpr uint32_t AcbNormal = 0x10;
constexpr uint32_t AcbWorkstation = 0x80;
constexpr uint32_t AcbLocked = 0x400;
constexpr uint64_t NtNever = 0x7FFFFFFFFFFFFFFFULL;

UserInfo3 user()
{
    UserInfo3 info;
    info.name = "someone";
    info.comment = "a comment";
    info.fullName = "Jürgen Größe";
    return info;
}

QString write(const QTemporaryDir &dir, const char *name, const QByteArray &text)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return file.fileName();
}

} // namespace

class SambaRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void accountFlags_translateBothWays_data()
    {
        QTest::addColumn<uint>("uf");
        QTest::addColumn<uint>("acb");
        QTest::newRow("normal account (UF_SCRIPT has no ACB bit)")
            << uint(uf::NormalAccount | uf::Script) << uint(AcbNormal);
        QTest::newRow("disabled normal account")
            << uint(uf::NormalAccount | uf::AccountDisable) << uint(AcbNormal | AcbDisabled);
        QTest::newRow("workstation trust") << uint(uf::WorkstationTrustAccount)
                                           << uint(AcbWorkstation);
        QTest::newRow("password never expires")
            << uint(uf::NormalAccount | uf::DontExpirePasswd) << uint(AcbNormal | 0x200);
        QTest::newRow("locked out") << uint(uf::NormalAccount | uf::Lockout)
                                    << uint(AcbNormal | AcbLocked);
    }
    void accountFlags_translateBothWays()
    {
        QFETCH(uint, uf);
        QFETCH(uint, acb);
        QCOMPARE(acbFromUf(uf), acb);
        QCOMPARE(ufFromAcb(acb), uf & ~uint(uf::Script));
    }

    void times_roundTrip_andNeverIsForever()
    {
        QCOMPARE(unixFromNt(ntFromUnix(2000000000u)), 2000000000u);
        QCOMPARE(unixFromNt(0), 0u);
        samr_UserInfo21 sam{};
        sam.acct_expiry = NtNever;
        UserInfo3 info;
        toUserInfo(sam, 3, priv::User, 100, info);
        QCOMPARE(info.acctExpires, TimeqForever);
        sam.acct_expiry = 0;
        toUserInfo(sam, 3, priv::User, 100, info);
        QCOMPARE(info.acctExpires, TimeqForever);
        sam.acct_expiry = ntFromUnix(1900000000u);
        toUserInfo(sam, 3, priv::User, 100, info);
        QCOMPARE(info.acctExpires, 1900000000u);
    }

    void readRecord_alwaysReportsUfScript_andTheExpiredPassword()
    {
        samr_UserInfo21 sam{};
        sam.acct_flags = AcbNormal;
        sam.password_expired = 1;
        UserInfo3 info;
        toUserInfo(sam, 1, priv::User, 100, info);
        QCOMPARE(info.flags, uint32_t(uf::NormalAccount | uf::Script | uf::PasswordExpired));
    }

    void newAccount_writesItsFlags_andOnlyFieldsThatAreSet()
    {
        TALLOC_CTX *mem = talloc_new(nullptr);
        UserWrite write;
        buildUserWrite(user(), 3, nullptr, mem, write);
        const uint32_t present = write.info.fields_present;
        QVERIFY(present & SAMR_FIELD_ACCT_FLAGS);
        QCOMPARE(write.info.acct_flags, AcbNormal);
        QVERIFY(present & SAMR_FIELD_DESCRIPTION);
        QVERIFY(present & SAMR_FIELD_FULL_NAME);
        QVERIFY(!(present & SAMR_FIELD_HOME_DIRECTORY));
        QVERIFY(!(present & SAMR_FIELD_ACCT_EXPIRY));
        QVERIFY(!(present & SAMR_FIELD_EXPIRED_FLAG));
        talloc_free(mem);
    }

    void change_sendsOnlyChangedFields_andClearsWithAnEmptyString()
    {
        TALLOC_CTX *mem = talloc_new(nullptr);
        const UserInfo3 current = user();
        UserInfo3 wanted = current;
        wanted.comment.clear();
        wanted.acctExpires = 1900000000u;
        UserWrite write;
        buildUserWrite(wanted, 3, &current, mem, write);
        QCOMPARE(write.info.fields_present,
                 uint32_t(SAMR_FIELD_DESCRIPTION | SAMR_FIELD_ACCT_EXPIRY));
        // A string marked present is never NULL: that would leave a Samba DC
        // with an open transaction.
        QVERIFY(write.info.description.string != nullptr);
        QCOMPARE(std::string(write.info.description.string), std::string());
        QCOMPARE(write.info.acct_expiry, ntFromUnix(1900000000u));
        UserWrite none;
        buildUserWrite(current, 3, &current, mem, none);
        QVERIFY(none.empty());
        talloc_free(mem);
    }

    void lockout_canOnlyBeCleared()
    {
        TALLOC_CTX *mem = talloc_new(nullptr);
        UserInfo3 locked = user();
        locked.flags = uf::NormalAccount | uf::Script | uf::Lockout;
        UserInfo3 unlocked = locked;
        unlocked.flags &= ~uf::Lockout;
        UserWrite unlock;
        buildUserWrite(unlocked, 1, &locked, mem, unlock);
        QVERIFY(unlock.info.fields_present & SAMR_FIELD_ACCT_FLAGS);
        QCOMPARE(unlock.info.acct_flags, AcbNormal);
        UserWrite lock;
        const UserInfo3 open = unlocked;
        buildUserWrite(locked, 1, &open, mem, lock);
        QVERIFY(!(lock.info.fields_present & SAMR_FIELD_ACCT_FLAGS));
        talloc_free(mem);
    }

    void parameters_areWholeUtf16Units()
    {
        TALLOC_CTX *mem = talloc_new(nullptr);
        UserInfo3 wanted = user();
        wanted.parms = "Pé";
        UserWrite write;
        buildUserWrite(wanted, 3, nullptr, mem, write);
        QVERIFY(write.info.fields_present & SAMR_FIELD_PARAMETERS);
        QCOMPARE(write.info.parameters.length, uint16_t(4));
        QCOMPARE(write.info.parameters.length % 2, 0);
        samr_UserInfo21 sam{};
        sam.parameters = write.info.parameters;
        UserInfo3 read;
        toUserInfo(sam, 3, priv::User, 0, read);
        QCOMPARE(read.parms, std::string("Pé"));
        talloc_free(mem);
    }

    void rc4_matchesTheKnownVector()
    {
        // "Key" / "Plaintext", the classic RC4 test vector.
        uint8_t data[] = {'P', 'l', 'a', 'i', 'n', 't', 'e', 'x', 't'};
        const uint8_t key[] = {'K', 'e', 'y'};
        rc4(key, sizeof key, data, sizeof data);
        const uint8_t expected[] = {0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3};
        QVERIFY(std::memcmp(data, expected, sizeof data) == 0);
    }

    void passwordBuffer_endsWithThePasswordAndItsLength()
    {
        uint8_t sessionKey[16];
        for (int i = 0; i < 16; ++i)
            sessionKey[i] = uint8_t(i * 7);
        std::array<uint8_t, 532> buffer{};
        QVERIFY(encryptPasswordEx("pässword", sessionKey, buffer));
        QCryptographicHash md5(QCryptographicHash::Md5);
        md5.addData(QByteArrayView(reinterpret_cast<const char *>(buffer.data() + 516), 16));
        md5.addData(QByteArrayView(reinterpret_cast<const char *>(sessionKey), 16));
        const QByteArray key = md5.result();
        rc4(reinterpret_cast<const uint8_t *>(key.constData()), 16, buffer.data(), 516);
        const uint32_t length = buffer[512] | buffer[513] << 8 | buffer[514] << 16
            | uint32_t(buffer[515]) << 24;
        QCOMPARE(length, 16u);
        const QString password = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(buffer.data() + 512 - length), length / 2);
        QCOMPARE(password, QStringLiteral("pässword"));
        QVERIFY(!encryptPasswordEx(std::string(257, 'a'), sessionKey, buffer));
    }

    void statuses_dependOnTheCall_data()
    {
        QTest::addColumn<uint>("nt");
        QTest::addColumn<int>("context");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing user") << uint(nt::NoneMapped) << int(Context::User) << 2221;
        QTest::newRow("missing group") << uint(nt::NoneMapped) << int(Context::Group) << 2220;
        QTest::newRow("alias member already in, AD wording")
            << uint(nt::MemberInGroup) << int(Context::AliasMember) << 1378;
        QTest::newRow("group member already in") << uint(nt::MemberInGroup)
                                                 << int(Context::GroupMember) << 2236;
        QTest::newRow("alias member not in, AD wording")
            << uint(nt::MemberNotInGroup) << int(Context::AliasMember) << 1377;
        QTest::newRow("group member not in") << uint(nt::MemberNotInGroup)
                                             << int(Context::GroupMember) << 2237;
        QTest::newRow("user exists") << uint(nt::UserExists) << int(Context::User) << 2224;
        QTest::newRow("password policy") << uint(nt::PasswordRestriction) << int(Context::User)
                                         << 2245;
        QTest::newRow("access denied") << uint(nt::AccessDenied) << int(Context::User) << 5;
    }
    void statuses_dependOnTheCall()
    {
        QFETCH(uint, nt);
        QFETCH(int, context);
        QFETCH(int, expected);
        QCOMPARE(toNetStatus(nt, Context(context)), expected);
    }

    void authenticationFile_givesUserDomainAndPassword_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("domain");
        QTest::newRow("domain line")
            << QByteArray("username = admin\npassword = p w\ndomain = ex\n")
                                     << "admin" << "EX";
        QTest::newRow("DOMAIN\\user") << QByteArray("username=EX\\admin\npassword=x\n")
                                      << "admin" << "EX";
        QTest::newRow("user@realm") << QByteArray("username = admin@ex.com\npassword = x\n")
                                    << "admin" << "EX";
        QTest::newRow("the workgroup by default") << QByteArray("username = admin\npassword =\n")
                                                  << "admin" << "WG";
    }
    void authenticationFile_givesUserDomainAndPassword()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, user);
        QFETCH(QString, domain);
        QTemporaryDir dir;
        Login login;
        QVERIFY(readAuthFile(write(dir, "auth", text).toStdString(), "WG", login));
        QCOMPARE(QString::fromStdString(login.user), user);
        QCOMPARE(QString::fromStdString(login.domain), domain);
        QVERIFY(!login.kerberos);
    }

    void authenticationFile_withoutPassword_isRefused()
    {
        QTemporaryDir dir;
        Login login;
        const QString noPassword = write(dir, "auth", "username = admin\n");
        QVERIFY(!readAuthFile(noPassword.toStdString(), "WG", login));
        QVERIFY(!readAuthFile(dir.filePath("missing").toStdString(), "WG", login));
    }

    void clientConfiguration_readsGlobalKeysAsSambaDoes()
    {
        QTemporaryDir dir;
        ClientConfig config;
        const QString path = write(dir, "smb.conf",
                                   "[global]\n  Work Group = example\n  REALM = example.com\n"
                                   "  netbios name = ws1\n[share]\n  workgroup = other\n");
        QVERIFY(readClientConfig(path.toStdString(), config));
        QCOMPARE(config.workgroup, std::string("EXAMPLE"));
        QCOMPARE(config.realm, std::string("EXAMPLE.COM"));
        QCOMPARE(config.netbiosName, std::string("WS1"));
        QVERIFY(!readClientConfig(dir.filePath("missing").toStdString(), config));
    }

    void pagedRows_resumeAfterTheLastKey_andCountWhatRemains()
    {
        KeyedRows<GroupUsersInfo0> rows;
        for (uint32_t key : {3u, 7u, 9u, 20u})
            rows.emplace_back(key, GroupUsersInfo0{"name" + std::to_string(key)});
        auto bytes = [](const GroupUsersInfo0 &) { return 100u; };
        std::vector<GroupUsersInfo0> page;
        uint32_t read = 0, total = 0, resume = 0;
        QCOMPARE(pageRows(rows, bytes, 250, page, read, total, resume), status::MoreData);
        QCOMPARE(read, 2u);
        QCOMPARE(total, 4u);
        QCOMPARE(resume, 7u);
        QCOMPARE(pageRows(rows, bytes, 1, page, read, total, resume), status::MoreData);
        QCOMPARE(page.at(0).name, std::string("name9"));
        QCOMPARE(total, 2u);
        QCOMPARE(pageRows(rows, bytes, MaxPreferredLength, page, read, total, resume),
                 status::Success);
        QCOMPARE(read, 1u);
        QCOMPARE(resume, 20u);
    }
};

QTEST_GUILESS_MAIN(SambaRecordsTest)
#include "test_samba_records.moc"
