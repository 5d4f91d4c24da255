// The shares panel and the reachability test on the embedded directory's
// seeded network: type words, the level-1 fallback, a computer that does not
// answer, and what the seed gives the computer windows.
#include "computers/NetworkMap.h"
#include "computers/Shares.h"
#include "computers/frmNTModComputer.h"
#include "platform/netapi/embedded/EmbeddedConnections.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_support;

namespace {

struct EmbeddedBed {
    TestPlatform platform;
    ScriptedSeams scripted;
    QTemporaryDir dir;
    platform::embedded::EmbeddedNetworkManagement net{
        dir.filePath("directory.sqlite").toStdString(), [] { return seams::now(); }};
    platform::embedded::EmbeddedConnections connections{net};
    platform::embedded::EmbeddedFixture fixture{net};

    EmbeddedBed()
    {
        platform::Families families = platform::current();
        families.net = &net;
        families.connections = &connections;
        platform::install(families);
    }
};

// The shares of the computer as the panel lists them, each with its type word.
QStringList sharesShown(frmNTModComputer &window, const QString &computer)
{
    window.COMBO_Domain->setEditText(QStringLiteral("HEADOFFICE"));
    window.TEXT_ID->setText(computer);
    window.BUTTON_Share->click();
    QStringList shown;
    for (int row = 0; row < window.LIST_Shares->count(); ++row) {
        window.LIST_Shares->setCurrentRow(row);
        emit window.LIST_Shares->itemClicked(window.LIST_Shares->item(row));
        shown << window.LIST_Shares->item(row)->text() + u' ' + window.LABEL_MoreProp[1]->text();
    }
    return shown;
}

} // namespace

class TestComputerShares : public QObject {
    Q_OBJECT

private slots:
    void typeWords_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("word");
        QTest::newRow("disk") << 0u << "DISK";
        QTest::newRow("print queue") << 1u << "PRINTQ";
        QTest::newRow("device") << 2u << "COMM";
        QTest::newRow("IPC") << 3u << "IPC";
        QTest::newRow("IPC$ as servers report it") << 0x80000003u << "SPECIAL";
        QTest::newRow("administrative disk") << 0x80000000u << "SPECIAL";
        QTest::newRow("unknown") << 7u << "SPECIAL";
    }
    void typeWords()
    {
        QFETCH(uint, type);
        QFETCH(QString, word);
        QCOMPARE(Share_TypeWord(type), word);
    }

    void panelListsSharesWithTheirTypeWords()
    {
        EmbeddedBed bed;
        frmNTModComputer window;
        const QStringList shown = sharesShown(window, QStringLiteral("HQFS01"));
        QVERIFY(shown.contains(QStringLiteral("C$ SPECIAL")));
        QVERIFY(shown.contains(QStringLiteral("IPC$ SPECIAL")));
        QVERIFY(shown.contains(QStringLiteral("LaserJet4 PRINTQ")));
        QVERIFY(shown.contains(QStringLiteral("Public DISK")));
        QCOMPARE(shown.size(), sharesShown(window, QStringLiteral("HQFS01")).size());
        QVERIFY(window.PICTURE_Share->isVisibleTo(&window));
        QVERIFY(!window.PICTURE_Properties->isVisibleTo(&window));
    }

    void levelOneStillGivesTypeAndRemark()
    {
        EmbeddedBed bed;
        QCOMPARE(bed.fixture.setShareLevel2Denied("HQFS01", true), 0u);
        QVariantList values;
        QCOMPARE(Get_ShareInfo(QStringLiteral("LaserJet4"), values, QStringLiteral("HQFS01")), 0);
        QCOMPARE(values, QVariantList({QStringLiteral("LaserJet4"), QStringLiteral("PRINTQ"),
                                       QStringLiteral("Second floor printer"), -1, -1, -1,
                                       QString(), QString()}));
        frmNTModComputer window;
        QVERIFY(sharesShown(window, QStringLiteral("HQFS01"))
                    .contains(QStringLiteral("LaserJet4 PRINTQ")));
    }

    void unreachableComputerGivesAnEmptyListAndBlankLabels()
    {
        EmbeddedBed bed;
        frmNTModComputer window;
        sharesShown(window, QStringLiteral("HQFS01"));
        QCOMPARE(bed.fixture.setMachineReachable("HQFS01", false), 0u);
        QVERIFY(sharesShown(window, QStringLiteral("HQFS01")).isEmpty());
        QVERIFY(window.LABEL_MoreProp[0]->text().isEmpty());
        QVERIFY(window.LABEL_MoreProp[1]->text().isEmpty());
        QVERIFY(!window.inResultMode());
    }

    void seededComputersCarryLinksAndOnlyMachinesAnswer()
    {
        EmbeddedBed bed;
        QVERIFY(Is_Online(QStringLiteral("HQFS01")));
        QVERIFY(Is_Online(QStringLiteral("\\\\HQDC01")));
        QVERIFY(!Is_Online(QStringLiteral("HQWS001")));
        QCOMPARE(bed.fixture.setMachineReachable("HQFS01", false), 0u);
        QVERIFY(!Is_Online(QStringLiteral("HQFS01")));

        platform::UserInfo3 info;
        QCOMPARE(bed.net.NetUserGetInfo("\\\\HQDC01", "HQWS001$", 1, info), 0u);
        QCOMPARE(info.comment, std::string("HEADOFFICE\\jsmith"));
        QCOMPARE(bed.net.NetUserGetInfo("\\\\HQDC01", "HQDC02$", 1, info), 0u);
        QVERIFY(info.flags & platform::uf::ServerTrustAccount);
    }
};

QTEST_MAIN(TestComputerShares)
#include "test_computer_shares.moc"
