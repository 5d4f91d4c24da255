// The LDAP side of the Samba back end that needs no domain controller: the
// "user cannot change password" ACEs in a security descriptor as the DC sends
// it, the display flags and RIDs of listed accounts, and filter escaping.
#include "platform/netapi/Flags.h"
#include "platform/netapi/samba/LdapListing.h"
#include "platform/netapi/samba/LdapSession.h"
#include "platform/netapi/samba/PasswordChangeAcl.h"

#include <QTest>

using namespace platform;
using namespace platform::samba;

namespace {

const std::string ChangePassword(
    "\x53\x1a\x72\xab\x2f\x1e\xd0\x11\x98\x19\x00\xaa\x00\x40\x52\x9b", 16);
const std::string EveryoneSid("\x01\x01\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00", 12);
const std::string SelfSid("\x01\x01\x00\x00\x00\x00\x00\x05\x0a\x00\x00\x00", 12);
const std::string SystemSid("\x01\x01\x00\x00\x00\x00\x00\x05\x12\x00\x00\x00", 12);

std::string le16(uint16_t v)
{
    return {char(v & 0xff), char(v >> 8)};
}

std::string le32(uint32_t v)
{
    return le16(uint16_t(v)) + le16(uint16_t(v >> 16));
}

std::string plainAce(uint8_t type, uint8_t flags, const std::string &sid)
{
    return std::string{char(type), char(flags)} + le16(uint16_t(8 + sid.size())) + le32(0xF01FF)
        + sid;
}

std::string objectAce(uint8_t type, uint8_t flags, const std::string &sid)
{
    return std::string{char(type), char(flags)} + le16(uint16_t(28 + sid.size()))
        + le32(0x100) + le32(1) + ChangePassword + sid;
}

// A DACL-only self-relative descriptor, as the read with the SD flags gives it.
std::string descriptor(const std::vector<std::string> &aces, uint16_t control = 0x8404)
{
    std::string body;
    for (const std::string &ace : aces)
        body += ace;
    return std::string{1, 0} + le16(control) + le32(0) + le32(0) + le32(0) + le32(20)
        + std::string{4, 0} + le16(uint16_t(8 + body.size())) + le16(uint16_t(aces.size()))
        + le16(0) + body;
}

// The ACE types in order: 'A' allow, 'D' deny, 'a'/'d' the change-password
// object ACEs, 'i' an inherited ACE.
QString shape(const std::string &sd)
{
    QString out;
    const size_t count = uint8_t(sd[24]) | uint8_t(sd[25]) << 8;
    size_t at = 28;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t type = uint8_t(sd[at]);
        const size_t size = uint8_t(sd[at + 2]) | uint8_t(sd[at + 3]) << 8;
        if (uint8_t(sd[at + 1]) & 0x10)
            out += u'i';
        else
            out += type == 5 ? u'a' : type == 6 ? u'd' : type == 1 ? u'D' : u'A';
        at += size;
    }
    return out;
}

const std::string Default = descriptor({plainAce(1, 0, SystemSid), plainAce(0, 0, SystemSid),
                                        objectAce(5, 0, EveryoneSid), objectAce(5, 0, SelfSid),
                                        plainAce(0, 0x10, EveryoneSid)});

} // namespace

class SambaLdapRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void cannotChange_isReadFromExplicitDenies_data()
    {
        QTest::addColumn<QByteArray>("sd");
        QTest::addColumn<bool>("set");
        auto row = [](const char *name, const std::string &sd, bool set) {
            QTest::newRow(name) << QByteArray::fromStdString(sd) << set;
        };
        row("default allows", Default, false);
        row("deny Everyone only", descriptor({objectAce(6, 0, EveryoneSid)}), true);
        row("deny SELF only", descriptor({objectAce(6, 0, SelfSid)}), true);
        row("inherited deny", descriptor({objectAce(6, 0x10, SelfSid)}), false);
        row("deny for another trustee", descriptor({objectAce(6, 0, SystemSid)}), false);
        row("no DACL", descriptor({}, 0x8000).substr(0, 20), false);
    }
    void cannotChange_isReadFromExplicitDenies()
    {
        QFETCH(QByteArray, sd);
        QFETCH(bool, set);
        QCOMPARE(cannotChangePassword(sd.toStdString()), std::optional<bool>(set));
    }

    void setAndClear_keepOtherAcesInCanonicalOrder()
    {
        const auto set = withCannotChangePassword(Default, true);
        QVERIFY(set);
        QCOMPARE(shape(*set), QStringLiteral("ddDAi"));
        QCOMPARE(cannotChangePassword(*set), std::optional<bool>(true));
        QCOMPARE(withCannotChangePassword(*set, true), set); // idempotent
        const auto cleared = withCannotChangePassword(*set, false);
        QVERIFY(cleared);
        QCOMPARE(shape(*cleared), QStringLiteral("DaaAi"));
        QCOMPARE(cannotChangePassword(*cleared), std::optional<bool>(false));
        QCOMPARE(cleared->size(), Default.size());
    }

    void malformedDescriptors_areRefused_data()
    {
        QTest::addColumn<QByteArray>("sd");
        std::string aceTooLong = Default;
        aceTooLong[28 + 2] = char(0xF0); // first ACE's size past the ACL
        std::string aclTooLong = Default;
        aclTooLong[22] = char(0xFF);
        aclTooLong[23] = char(0xFF);
        std::string daclOutside = Default;
        daclOutside[16] = char(0xF0);
        std::string moreAces = Default;
        moreAces[24] = 9;
        std::string tinyAce = Default;
        tinyAce[28 + 2] = 2;
        tinyAce[28 + 3] = 0;
        for (const auto &[name, sd] : std::initializer_list<std::pair<const char *, std::string>>{
                 {"empty", ""}, {"truncated", Default.substr(0, Default.size() - 3)},
                 {"ACE past the ACL", aceTooLong}, {"ACL past the end", aclTooLong},
                 {"DACL offset past the end", daclOutside}, {"more ACEs than bytes", moreAces},
                 {"ACE smaller than its header", tinyAce}})
            QTest::newRow(name) << QByteArray::fromStdString(sd);
    }
    void descriptorWithoutDacl_isNeverRewritten()
    {
        const std::string noDacl = descriptor({}, 0x8000).substr(0, 20);
        QCOMPARE(withCannotChangePassword(noDacl, true), std::nullopt);
        QCOMPARE(withCannotChangePassword(noDacl, false), std::nullopt);
    }

    void malformedDescriptors_areRefused()
    {
        QFETCH(QByteArray, sd);
        QCOMPARE(cannotChangePassword(sd.toStdString()), std::nullopt);
        QCOMPARE(withCannotChangePassword(sd.toStdString(), true), std::nullopt);
    }

    void displayFlags_followUserAccountControl_data()
    {
        QTest::addColumn<uint32_t>("control");
        QTest::addColumn<uint32_t>("flags");
        QTest::newRow("user") << 512u << (uf::NormalAccount | uf::Script);
        QTest::newRow("disabled user, no password needed")
            << 546u << (uf::NormalAccount | uf::AccountDisable | uf::PasswdNotReqd | uf::Script);
        QTest::newRow("disabled workstation")
            << 4098u << (uf::WorkstationTrustAccount | uf::AccountDisable | uf::Script);
        QTest::newRow("the DC") << 532480u << (uf::ServerTrustAccount | 0x80000u | uf::Script);
        QTest::newRow("bits SAMR cannot carry") << (512u | 0x40u | 0x08000000u)
                                                << (uf::NormalAccount | uf::Script);
    }
    void displayFlags_followUserAccountControl()
    {
        QFETCH(uint32_t, control);
        QFETCH(uint32_t, flags);
        QCOMPARE(displayFlagsFromControl(control), flags);
    }

    void rid_isTheLastSubAuthority_data()
    {
        QTest::addColumn<QByteArray>("sid");
        QTest::addColumn<uint32_t>("rid");
        const std::string domain("\x01\x05\x00\x00\x00\x00\x00\x05\x15\x00\x00\x00"
                                 "\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00",
                                 24);
        QTest::newRow("user 1105") << QByteArray::fromStdString(domain + le32(1105)) << 1105u;
        QTest::newRow("count says more") << QByteArray::fromStdString(domain) << 0u;
        QTest::newRow("empty") << QByteArray() << 0u;
    }
    void rid_isTheLastSubAuthority()
    {
        QFETCH(QByteArray, sid);
        QFETCH(uint32_t, rid);
        QCOMPARE(ridOfSid(sid.toStdString()), rid);
    }

    void filterValues_escapeWhatRfc4515Names()
    {
        QCOMPARE(ldapFilterValue(std::string("a*(b)\\c\0d", 9)),
                 std::string("a\\2a\\28b\\29\\5cc\\00d"));
        QCOMPARE(ldapFilterValue("Jürgen Größe$"), std::string("Jürgen Größe$"));
    }
};

QTEST_GUILESS_MAIN(SambaLdapRecordsTest)
#include "test_samba_ldap_records.moc"
