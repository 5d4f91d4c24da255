// The userParameters codec: the published worked example, the forms other
// writers leave, one-setting changes, and values it must keep but not touch.
// Blobs are built here from the documented layout ([MS-TSTS] 2.3.1-2.3.3).
#include "platform/terminalserver/UserConfigClasses.h"

#include <QCryptographicHash>
#include <QTest>

using namespace platform::tsts;

namespace {

using Bytes = std::vector<uint8_t>;

QByteArray utf16(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return out;
}

QByteArray u16le(uint16_t value)
{
    return QByteArray(1, char(value & 0xFF)).append(char(value >> 8));
}

QByteArray number(uint32_t value)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(char(value >> (8 * i)));
    return bytes.toHex();
}

QByteArray text(const QString &value) { return value.toLatin1().append('\0').toHex(); }
QByteArray wide(const QString &value) { return utf16(value).append(2, '\0').toHex(); }

const QByteArray WindowsPrefix = utf16("CtxCfgPresent" + QString(35, ' '));
const QByteArray BlankPrefix = utf16(QString(48, ' '));
// RAS dial-in data: 'm', 8, blanks, 'd' at byte 44, no call-back, 48 bytes of number.
const QByteArray DialInPrefix =
    utf16("m") + u16le(8) + utf16(QString(20, ' ') + "d") + u16le(1) + utf16(QString(24, ' '));

struct Prop {
    QString name;
    QByteArray value;
};

QByteArray property(const Prop &p)
{
    return u16le(uint16_t(p.name.size() * 2)) + u16le(uint16_t(p.value.size())) + u16le(1)
           + utf16(p.name) + p.value;
}

Bytes blob(const QByteArray &prefix, const QList<Prop> &props, const QByteArray &tail = {})
{
    QByteArray out = prefix + utf16("P") + u16le(uint16_t(props.size()));
    for (const Prop &p : props)
        out += property(p);
    out += tail;
    return Bytes(out.begin(), out.end());
}

const Prop Present{"CtxCfgPresent", number(0xB00B1E55)};

// The newer Windows form: sixteen properties with W twins.
QList<Prop> windowsProps()
{
    return {Present,
            {"CtxWFProfilePath", text("\\\\fs\\prof")},
            {"CtxWFProfilePathW", wide("\\\\fs\\prof")},
            {"CtxWFHomeDir", text("C:\\home")}, {"CtxWFHomeDirW", wide("C:\\home")},
            {"CtxWFHomeDirDrive", text("")}, {"CtxWFHomeDirDriveW", wide("")},
            {"CtxShadow", number(2)}, {"CtxMaxDisconnectionTime", number(300000)},
            {"CtxMaxConnectionTime", number(1800000)}, {"CtxMaxIdleTime", number(600000)},
            {"CtxWorkDirectory", text("")}, {"CtxWorkDirectoryW", wide("")},
            {"CtxCfgFlags1", number(0x8026F000)},
            {"CtxInitialProgram", text("")}, {"CtxInitialProgramW", wide("")}};
}

// The older sixteen-property form without twins (48 blanks, CtxCallback).
QList<Prop> olderProps()
{
    return {Present, {"CtxCfgFlags1", number(0x1000E000)}, {"CtxCallback", number(2)},
            {"CtxShadow", number(1)}, {"CtxMaxConnectionTime", number(0)},
            {"CtxMaxDisconnectionTime", number(0)}, {"CtxMaxIdleTime", number(0)},
            {"CtxKeyboardLayout", number(0)}, {"CtxMinEncryptionLevel", "00"},
            {"CtxWorkDirectory", text("")}, {"CtxNWLogonServer", "00"},
            {"CtxWFHomeDir", text("\\\\saturne\\p.bidon")}, {"CtxWFHomeDirDrive", text("P:")},
            {"CtxWFProfilePath", text("")}, {"CtxInitialProgram", text("")},
            {"CtxCallbackNumber", text("5551234")}};
}

QString query(const UserParameters &parameters, int configClass)
{
    ConfigValue value;
    if (!queryClass(parameters, configClass, value))
        return QStringLiteral("<fails>");
    return isTextClass(configClass) ? QString::fromStdString(value.text)
                                    : QString::number(value.number);
}

ConfigValue valueOf(const QString &value, int configClass)
{
    return isTextClass(configClass) ? ConfigValue{0, value.toStdString()}
                                    : ConfigValue{value.toUInt(), {}};
}

QString sha256(const Bytes &bytes)
{
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex();
}

} // namespace

class TestUserParameters : public QObject {
    Q_OBJECT

private slots:
    void workedExampleEncodesToItsDigest()
    {
        UserParameters minimal = UserParameters::decode(blob(WindowsPrefix, {Present}));
        QVERIFY(setClass(minimal, 6, {900000, {}}));
        QVERIFY(setClass(minimal, 0, {0, "notepad.exe"}));
        QCOMPARE(minimal.encode().size(), size_t(246));
        QCOMPARE(sha256(minimal.encode()),
                 "4c1beeb8b63c1fd380521ab765a22c50ffd310b8207e21184d3d58cf1d40fb29");

        // A user without settings gets Windows' full form, then the changes.
        UserParameters windows = UserParameters::decode({});
        QVERIFY(setClass(windows, 6, {900000, {}}));
        QVERIFY(setClass(windows, 0, {0, "notepad.exe"}));
        QVERIFY(setClass(windows, 2, {0, {}}));
        QCOMPARE(windows.encode().size(), size_t(844));
        QCOMPARE(sha256(windows.encode()),
                 "9d71e26de08025b325e0b28d10c7a4a2cea16ad80b3bb4e30cb7d362fcf7ff0f");
    }

    void documentedFormsDecodeAndReencodeUnchanged_data()
    {
        QTest::addColumn<Bytes>("raw");
        QTest::addColumn<int>("configClass");
        QTest::addColumn<QString>("expected");
        const Bytes windows = blob(WindowsPrefix, windowsProps());
        const Bytes older = blob(BlankPrefix, olderProps());
        QList<Prop> upperHex = olderProps();
        upperHex[1].value = upperHex[1].value.toUpper();
        const Bytes dialIn = blob(DialInPrefix, upperHex);
        const QList<std::tuple<const char *, Bytes, int, QString>> rows{
            {"W form: profile from the twin", windows, 15, "\\\\fs\\prof"},
            {"W form: home", windows, 16, "C:\\home"},
            {"W form: no drive, local home", windows, 18, "0"},
            {"W form: connection ms", windows, 4, "1800000"},
            {"W form: disconnection ms", windows, 5, "300000"},
            {"W form: shadow", windows, 14, "2"},
            {"W form: RESETBROKEN set", windows, 10, "1"},
            {"W form: RECONNECTSAME set", windows, 11, "1"},
            {"W form: not inherited", windows, 2, "0"},
            {"W form: logon allowed", windows, 3, "1"},
            {"W form: no call-back property", windows, 12, "0"},
            {"blanks form: home", older, 16, "\\\\saturne\\p.bidon"},
            {"blanks form: drive", older, 17, "P:"},
            {"blanks form: remote home", older, 18, "1"},
            {"blanks form: CtxCallback spelling", older, 12, "2"},
            {"blanks form: call-back number", older, 13, "5551234"},
            {"blanks form: drives", older, 7, "1"},
            {"blanks form: broken disconnects", older, 10, "0"},
            {"dial-in prefix: upper-case hex flags", dialIn, 2, "1"},
            {"dial-in prefix: printers", dialIn, 8, "1"},
        };
        for (const auto &[name, raw, configClass, expected] : rows)
            QTest::newRow(name) << raw << configClass << expected;
    }

    void documentedFormsDecodeAndReencodeUnchanged()
    {
        QFETCH(Bytes, raw);
        QFETCH(int, configClass);
        QFETCH(QString, expected);
        const UserParameters parameters = UserParameters::decode(raw);
        QCOMPARE(query(parameters, configClass), expected);
        QVERIFY(parameters.encode() == raw);
    }

    void oneClassChangesOnlyItsProperty_data()
    {
        QTest::addColumn<int>("configClass");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("changed");
        const QStringList flags{"CtxCfgFlags1"};
        QTest::newRow("0 program") << 0 << "app.exe"
                                   << QStringList{"CtxInitialProgram", "CtxInitialProgramW"};
        QTest::newRow("1 directory") << 1 << "D:\\w"
                                     << QStringList{"CtxWorkDirectory", "CtxWorkDirectoryW"};
        for (int flagClass : {2, 3, 7, 8, 9, 10, 11})
            QTest::addRow("%d flag", flagClass) << flagClass << "toggle" << flags;
        QTest::newRow("4 connection") << 4 << "60000" << QStringList{"CtxMaxConnectionTime"};
        QTest::newRow("6 idle") << 6 << "120000" << QStringList{"CtxMaxIdleTime"};
        QTest::newRow("12 call-back, older spelling kept") << 12 << "1"
                                                           << QStringList{"CtxCallback"};
        QTest::newRow("13 number, no twin") << 13 << "42" << QStringList{"CtxCallbackNumber"};
        QTest::newRow("14 shadow") << 14 << "4" << QStringList{"CtxShadow"};
        QTest::newRow("17 drive, twin added") << 17 << "H:"
                                              << QStringList{"CtxWFHomeDirDrive",
                                                             "CtxWFHomeDirDriveW"};
    }

    void oneClassChangesOnlyItsProperty()
    {
        QFETCH(int, configClass);
        QFETCH(QString, value);
        QFETCH(QStringList, changed);
        // The older form, with one twin (so twins are written), an unknown
        // property, unknown flag bits and bytes after the array.
        QList<Prop> props = olderProps();
        props[1].value = number(0x1000E000 | 0x80000003);
        props.append({{"CtxWFHomeDirW", wide("\\\\saturne\\p.bidon")}, {"VntUnknown", "zz"}});
        const Bytes raw = blob(DialInPrefix, props, "tail");
        UserParameters parameters = UserParameters::decode(raw);
        ConfigValue wanted = valueOf(value, configClass);
        if (value == "toggle")
            wanted.number = query(parameters, configClass) == "1" ? 0 : 1;
        QVERIFY(setClass(parameters, configClass, wanted));
        QCOMPARE(query(parameters, configClass), isTextClass(configClass)
                                                     ? value
                                                     : QString::number(wanted.number));

        const Bytes after = parameters.encode();
        QVERIFY(std::equal(raw.begin(), raw.begin() + 96, after.begin()));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(after.data()) + after.size() - 4, 4),
                 "tail");
        const UserParameters before = UserParameters::decode(raw);
        QStringList differing;
        for (const TsProperty &p : parameters.properties()) {
            const TsProperty *old = before.find(p.name);
            if (!old || old->value != p.value)
                differing << QString::fromStdU16String(p.name);
        }
        QCOMPARE(differing, changed);
        if (changed == QStringList{"CtxCfgFlags1"}) {
            const uint32_t xorBits = *decodeNumber(before.find(u"CtxCfgFlags1")->value)
                                     ^ *decodeNumber(parameters.find(u"CtxCfgFlags1")->value);
            QCOMPARE(qPopulationCount(xorBits), 1);
        }
    }

    void valuesWithoutSettingsShowDefaultsAndAreKept_data()
    {
        QTest::addColumn<Bytes>("raw");
        QTest::addColumn<bool>("writable");
        QByteArray ras = DialInPrefix + "more RAS data";
        ras.append(ras.size() % 2, '\0');
        QTest::newRow("RAS data past byte 96") << Bytes(ras.begin(), ras.end()) << false;
        QTest::newRow("RAS data alone") << Bytes(DialInPrefix.begin(), DialInPrefix.end())
                                        << true;
        QTest::newRow("no CtxCfgPresent")
            << blob(WindowsPrefix, {{"CtxShadow", number(3)}}) << false;
        QTest::newRow("CtxCfgPresent of another value")
            << blob(WindowsPrefix, {{"CtxCfgPresent", number(1)}, {"CtxShadow", number(3)}})
            << false;
        QTest::newRow("'P' and no properties") << blob(BlankPrefix, {}) << true;
    }

    void valuesWithoutSettingsShowDefaultsAndAreKept()
    {
        QFETCH(Bytes, raw);
        QFETCH(bool, writable);
        UserParameters parameters = UserParameters::decode(raw);
        const QStringList defaults{"", "", "1", "1", "0", "0", "0", "1", "1", "1",
                                   "0", "0", "0", "", "1", "", "", "", "0"};
        for (int configClass = 0; configClass <= 18; ++configClass)
            QCOMPARE(query(parameters, configClass), defaults[configClass]);
        QVERIFY(parameters.encode() == raw);
        QCOMPARE(setClass(parameters, 14, {2, {}}), writable);
        const Bytes after = parameters.encode();
        if (!writable) {
            QVERIFY(after == raw);
            return;
        }
        QVERIFY(std::equal(raw.begin(), raw.begin() + 96, after.begin()));
        QCOMPARE(query(UserParameters::decode(after), 14), "2");
        QCOMPARE(query(UserParameters::decode(after), 3), "1");
    }

    void malformedValuesAreNeverReadPastOrRewritten_data()
    {
        QTest::addColumn<Bytes>("raw");
        const Bytes whole = blob(WindowsPrefix, {Present, {"CtxShadow", number(1)}});
        for (size_t cut : {size_t(1), size_t(97), size_t(99), size_t(102), size_t(131),
                           whole.size() - 2, whole.size() - 1})
            QTest::addRow("cut to %zu bytes", cut) << Bytes(whole.begin(), whole.begin() + cut);
        auto lying = [&](size_t at, uint16_t value) {
            Bytes bytes = whole;
            bytes[at] = uint8_t(value & 0xFF);
            bytes[at + 1] = uint8_t(value >> 8);
            return bytes;
        };
        QTest::newRow("count one too many") << lying(98, 3);
        QTest::newRow("count 65535") << lying(98, 0xFFFF);
        QTest::newRow("name length past the end") << lying(100, 0xFFFE);
        QTest::newRow("odd name length") << lying(100, 25);
        QTest::newRow("value length past the end") << lying(102, 0x0100);
    }

    void malformedValuesAreNeverReadPastOrRewritten()
    {
        QFETCH(Bytes, raw);
        // An exact-size copy, so that a read past the end is one past the heap block.
        UserParameters parameters = UserParameters::decode(Bytes(raw));
        QCOMPARE(parameters.layout(), Layout::Malformed);
        for (int configClass = 0; configClass <= 18; ++configClass)
            QCOMPARE(query(parameters, configClass), "<fails>");
        QVERIFY(!setClass(parameters, 14, {2, {}}));
        QVERIFY(parameters.encode() == raw);
    }

    void undecodableValueIsKeptAndOnlyItsClassFails()
    {
        // Two odd value lengths, so that the value as a whole stays even.
        const Bytes raw = blob(WindowsPrefix, {Present, {"CtxShadow", "0100000"},
                                               {"CtxMaxIdleTime", number(60000)},
                                               {"CtxWFHomeDir", "not hex"}});
        UserParameters parameters = UserParameters::decode(raw);
        QCOMPARE(query(parameters, 14), "<fails>");
        QCOMPARE(query(parameters, 16), "<fails>");
        QCOMPARE(query(parameters, 6), "60000");
        QVERIFY(parameters.encode() == raw);
        QVERIFY(setClass(parameters, 14, {3, {}}));
        QCOMPARE(query(parameters, 14), "3");
        // The one odd length left is evened out, so that the value reads back.
        const UserParameters reread = UserParameters::decode(parameters.encode());
        QCOMPARE(query(reread, 14), "3");
        QCOMPARE(query(reread, 6), "60000");
    }

    void settingsOutOfRangeAreRefused_data()
    {
        QTest::addColumn<int>("configClass");
        QTest::addColumn<QString>("value");
        QTest::newRow("derived remote flag") << 18 << "1";
        QTest::newRow("flag 2") << 3 << "2";
        QTest::newRow("call-back 3") << 12 << "3";
        QTest::newRow("shadow 5") << 14 << "5";
        QTest::newRow("drive of 4") << 17 << "ABC:";
        QTest::newRow("class 19") << 19 << "0";
        QTest::newRow("number of 51 digits") << 13 << QString(51, '1');
    }

    void settingsOutOfRangeAreRefused()
    {
        QFETCH(int, configClass);
        QFETCH(QString, value);
        const Bytes raw = blob(WindowsPrefix, windowsProps());
        UserParameters parameters = UserParameters::decode(raw);
        QVERIFY(!setClass(parameters, configClass, valueOf(value, configClass)));
        QVERIFY(parameters.encode() == raw);
    }
};

QTEST_APPLESS_MAIN(TestUserParameters)
#include "test_user_parameters.moc"
