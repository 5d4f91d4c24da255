// The Terminal Server window against the directory the network-management
// suite runs against (VARNEL_TEST_TARGET: the embedded directory unless a
// domain controller is named): settings written through the window, read back
// by a second opening, and found in the user's userParameters value as the
// directory holds it.
#include "app/AppContext.h"
#include "platform/terminalserver/ParametersTerminalServer.h"
#include "platform/terminalserver/UserConfigClasses.h"
#include "tests/netapi/NetapiTarget.h"
#include "tests/netapi/SuiteSupport.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "tests/support/WindowTesting.h"
#include "users/WtsUserWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

using netapi_tests::NetapiTarget;
namespace status = platform::status;
namespace tsts = platform::tsts;

class TestWtsAgainstDirectory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::string error;
        m_target = netapi_tests::makeNetapiTarget(error);
        QVERIFY2(m_target, error.c_str());
        netapi_tests::removeLeftovers(*m_target);
    }

    void cleanupTestCase()
    {
        if (m_target)
            netapi_tests::removeLeftovers(*m_target);
    }

    void init()
    {
        m_platform = std::make_unique<testing_support::TestPlatform>();
        m_seams = std::make_unique<testing_support::ScriptedSeams>();
        platform::Families families = platform::current();
        families.net = &m_target->net();
        families.terminalServer = &m_terminalServer;
        platform::install(families);
    }

    void cleanup()
    {
        m_seams.reset();
        m_platform.reset();
    }

    void settingsWrittenThroughTheWindowAreStoredAndReadBack()
    {
        const std::string name = netapi_tests::uniqueName("ts", 16);
        createUser(name);

        // A user never given settings: the defaults.
        auto first = open(name);
        QVERIFY(first);
        QVERIFY(first->CHECK_Logon->isChecked());
        QVERIFY(first->CHECK_Con->isChecked() && first->CHECK_Idle->isChecked());
        QVERIFY(first->CHECK_Inherent->isChecked());
        QVERIFY(first->OPTION_Local->isChecked());
        QCOMPARE(first->COMBO_Shadowing->currentIndex(), 1);

        testing_support::toggle(first->CHECK_Con);
        QTest::keyClicks(first->TEXT_Con, "30");
        testing_support::toggle(first->CHECK_Logon);
        testing_support::toggle(first->CHECK_Inherent);
        QTest::keyClicks(first->TEXT_CommandLine, "notepad.exe");
        testing_support::toggle(first->OPTION_Connect);
        first->COMBO_Drive->setFocus();
        QTest::keyClick(first->COMBO_Drive, Qt::Key_H);
        QTest::keyClicks(first->TEXT_Path, "\\\\vntfs\\ts");
        first->COMBO_Shadowing->setFocus();
        QTest::keyClick(first->COMBO_Shadowing, Qt::Key_Down);
        QTest::keyClicks(first->TEXT_ProfilePath, "\\\\vntfs\\tsprof");
        QVERIFY(testing_support::pressAccessKey(first.get(), Qt::Key_A, first->BUTTON_Apply));
        QVERIFY2(m_seams->messageBox.shown.isEmpty(),
                 qPrintable(m_seams->messageBox.shown.value(0).text));
        QVERIFY(!first->isVisible());

        // A second opening shows what was written.
        auto second = open(name);
        QVERIFY(second);
        QCOMPARE(second->TEXT_Con->text(), "30");
        QVERIFY(!second->CHECK_Logon->isChecked());
        QVERIFY(!second->CHECK_Inherent->isChecked());
        QCOMPARE(second->TEXT_CommandLine->text(), "notepad.exe");
        QVERIFY(second->OPTION_Connect->isChecked());
        QCOMPARE(second->COMBO_Drive->currentText(), "H:");
        QCOMPARE(second->TEXT_Path->text(), "\\\\vntfs\\ts");
        QCOMPARE(second->COMBO_Shadowing->currentIndex(), 2);
        QCOMPARE(second->TEXT_ProfilePath->text(), "\\\\vntfs\\tsprof");
        second->reject();

        // The value as the directory keeps it (SAMR level 20 on a DC).
        std::vector<uint8_t> raw;
        QCOMPARE(m_target->net().UserParametersGet(m_target->controller(), name, raw),
                 status::Success);
        const tsts::UserParameters stored = tsts::UserParameters::decode(raw);
        QVERIFY(stored.settingsPresent());
        QCOMPARE(stored.properties().size(), size_t(16));
        const std::vector<std::pair<int, std::string>> expected{
            {3, "0"}, {4, "1800000"}, {6, "0"}, {2, "0"}, {0, "notepad.exe"},
            {16, "\\\\vntfs\\ts"}, {17, "H:"}, {18, "1"}, {14, "2"}, {15, "\\\\vntfs\\tsprof"}};
        for (const auto &[configClass, value] : expected) {
            tsts::ConfigValue read;
            QVERIFY(tsts::queryClass(stored, configClass, read));
            QCOMPARE(tsts::isTextClass(configClass) ? read.text : std::to_string(read.number),
                     value);
        }
        QCOMPARE(m_target->net().NetUserDel(m_target->controller(), name), status::Success);
    }

private:
    void createUser(const std::string &name)
    {
        platform::UserInfo3 user;
        user.name = name;
        user.password = "Vnt-Ts#Pass1";
        user.flags = platform::uf::NormalAccount | platform::uf::Script;
        QCOMPARE(m_target->net().NetUserAdd(m_target->controller(), 1, user, nullptr),
                 status::Success);
    }

    std::unique_ptr<frmWTSUser> open(const std::string &name)
    {
        auto window = std::make_unique<frmWTSUser>();
        window->TargetServer = QString::fromStdString(m_target->controller());
        window->TargetUser = QString::fromStdString(name);
        if (!testing_support::activate(*window))
            return nullptr;
        return window;
    }

    std::unique_ptr<NetapiTarget> m_target;
    std::unique_ptr<testing_support::TestPlatform> m_platform;
    std::unique_ptr<testing_support::ScriptedSeams> m_seams;
    platform::ParametersTerminalServer m_terminalServer;
};

int main(int argc, char **argv)
{
    const int helper = netapi_tests::runTargetHelper(argc, argv);
    if (helper >= 0)
        return helper;
    QApplication app(argc, argv);
    TestWtsAgainstDirectory test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_wts_against_directory.moc"
