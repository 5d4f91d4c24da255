// The frame every task window shares: the outcome panel, the field handlers,
// loading and unloading, and the keys.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ProgramFolder.h"
#include "tests/support/DirectoryTestBed.h"
#include "ui/CProgressBar.h"
#include "ui/MainWindow.h"
#include "ui/OleColor.h"
#include "ui/PictureBox.h"
#include "ui/SharedProgressBar.h"
#include "ui/ShowResult.h"
#include "ui/TaskWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace testing_support;

namespace {

const QString Title = QStringLiteral("NT Probe Task");
const QString NameHint = QStringLiteral("Input the probe name.");

// The smallest window on the frame: one text field and a button, and a note
// of what its own load and unload saw.
class ProbeWindow final : public TaskWindow {
public:
    explicit ProbeWindow(int addWindow = -1, bool upperCaseName = false)
        : TaskWindow({Title, true, addWindow}), TEXT_ID(new QLineEdit),
          LABEL_ID(new QLabel(QStringLiteral("Name:"))), BUTTON_Go(new QPushButton("Go"))
    {
        TEXT_ID->setObjectName(QStringLiteral("TEXT_ID"));
        auto *content = new QVBoxLayout;
        content->addWidget(LABEL_Domain);
        content->addWidget(COMBO_Domain);
        content->addWidget(LABEL_ID);
        content->addWidget(TEXT_ID);
        content->addWidget(BUTTON_Go);
        setContent(content);
        addTextField(TEXT_ID, LABEL_ID, NameHint, upperCaseName);
        Form_Load();
    }

    QLineEdit *const TEXT_ID;
    QLabel *const LABEL_ID;
    QPushButton *const BUTTON_Go;
    int saves = 0;
    int clicks = 0;
    // What Load_Settings saw of the steps before it.
    int domainsAtLoad = -1;
    QString statusAtLoad = QStringLiteral("<not loaded>");
    int32_t progressMaxAtLoad = 0;

protected:
    void Load_Settings() override
    {
        domainsAtLoad = COMBO_Domain->count();
        statusAtLoad = LABEL_Status->text();
        progressMaxAtLoad = appContext().SharedProgress().max();
    }
    void Save_Settings() override { ++saves; }
    void COMBO_Domain_Click() override
    {
        ++clicks;
        TaskWindow::COMBO_Domain_Click();
    }
};

QColor textColor(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// Shown and active, so that focus changes deliver their events at once.
bool activate(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class TaskWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadFillsTheFrameInOrder();
    void domainListIsReadOnceForAllWindows();
    void addWindowBindsTheSharedProgressBar();
    void revisionLineCarriesCopyrightAndBuild();
    void resultModeShowsOutcomeLogsAndBeeps_data();
    void resultModeShowsOutcomeLogsAndBeeps();
    void resultWithoutObjectOrActionWritesNoLogLine_data();
    void resultWithoutObjectOrActionWritesNoLogLine();
    void descriptionWithACommaIsLoggedUnchanged();
    void hintModeRestoresHintColoursWithoutLogOrBeep();
    void hintModeTakesTheCurrentColourScheme();
    void typingAfterAFailureReturnsToTheHint();
    void typingInHintModeLeavesThePanel();
    void focusLightsTheLabelSelectsAllAndShowsTheHint();
    void leavingAFieldShowsTheNeutralText();
    void upperCasingFieldsUpperCaseOnLeaving();
    void domainFieldKeepsMyComputerAndUpperCasesOthers_data();
    void domainFieldKeepsMyComputerAndUpperCasesOthers();
    void choosingADomainShowsTheDomainHint();
    void leavingTheDomainFieldIsNoChoiceFromTheList();
    void escapeUnloadsOnce();
    void unloadClearsOnlyTheAddWindowsFlag();
    void f1OpensTheHelpFile();
    void ctrlTabShowsTheDiagnosticBoxInsteadOfSwitchingWindows();

private:
    std::unique_ptr<DirectoryTestBed> m_bed;
    QString m_programFolder;
};

void TaskWindowTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    m_bed->net.trustBuffer = std::string("ENG\0SALES\0HR\0\0", 14);
    m_programFolder = m_bed->platform.path(QStringLiteral("program"));
    QDir().mkpath(m_programFolder);
    SetProgramFolder(m_programFolder);
    installSharedProgressBar();
}

void TaskWindowTest::cleanup()
{
    SetProgramFolder(QString());
    m_bed.reset();
}

void TaskWindowTest::loadFillsTheFrameInOrder()
{
    ProbeWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("NT Probe Task - SALES\\operator"));
    // The workstation's own domain (SALES) once and last, then the local machine.
    const QStringList expected{"ENG", "HR", "SALES", MyComputer};
    QStringList listed;
    for (int i = 0; i < window.COMBO_Domain->count(); ++i)
        listed << window.COMBO_Domain->itemText(i);
    QCOMPARE(listed, expected);
    QCOMPARE(window.COMBO_Domain->currentText(), QString());
    QCOMPARE(window.domainsAtLoad, 4);
    QCOMPARE(window.statusAtLoad, QString());
    QCOMPARE(window.LABEL_Status->text(), QStringLiteral("NT Probe Task."));
    QVERIFY(!window.inResultMode());
    QVERIFY(!window.IMAGE_Info->isHidden());
    QVERIFY(window.IMAGE_Success->isHidden());
    QVERIFY(window.IMAGE_Fail->isHidden());
    QVERIFY(window.PICTURE_Progress == nullptr);
}

void TaskWindowTest::domainListIsReadOnceForAllWindows()
{
    { ProbeWindow first; }
    { ProbeWindow second; }
    QCOMPARE(m_bed->net.count("NetEnumerateTrustedDomains"), 1);
    QCOMPARE(appContext().DomainList, (QStringList{"ENG", "SALES", "HR"}));
}

void TaskWindowTest::addWindowBindsTheSharedProgressBar()
{
    ProbeWindow window(2);
    QVERIFY(window.PICTURE_Progress != nullptr);
    CProgressBar *bar = sharedProgressBar();
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->canvas(), window.PICTURE_Progress);
    QCOMPARE(bar->value(), 1);
    QCOMPARE(bar->max(), 10000);
    QCOMPARE(window.progressMaxAtLoad, 10000);
}

void TaskWindowTest::revisionLineCarriesCopyrightAndBuild()
{
    ProbeWindow window;
    const QString text = window.LABEL_Revision->text();
    QVERIFY2(text.startsWith(QChar(0xA9) + QStringLiteral("Copyright ")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral(" Build \\d+$"))), qPrintable(text));
}

void TaskWindowTest::resultModeShowsOutcomeLogsAndBeeps_data()
{
    QTest::addColumn<bool>("success");
    QTest::addColumn<QColor>("back");
    QTest::newRow("success") << true << QColor(0, 128, 0);
    QTest::newRow("failure") << false << QColor(255, 0, 0);
}

void TaskWindowTest::resultModeShowsOutcomeLogsAndBeeps()
{
    QFETCH(bool, success);
    QFETCH(QColor, back);
    ProbeWindow window(2);
    appContext().SharedProgress().setValue(5000);
    m_bed->seams.pointer.set(seams::Pointer::Wait);

    Show_Result(window, "Done.", success, false, "SALES", Title, "SALES\\Staff", "one", "", "",
                "", "five");

    QCOMPARE(window.LABEL_Status->text(), QStringLiteral("Done."));
    QCOMPARE(ole::toQColor(window.PICTURE_Status->backColor()), back);
    QCOMPARE(textColor(window.LABEL_Status), QColor(Qt::white));
    QCOMPARE(textColor(window.LABEL_Stamp), QColor(Qt::white));
    QVERIFY(window.IMAGE_Info->isHidden());
    QCOMPARE(window.IMAGE_Success->isHidden(), !success);
    QCOMPARE(window.IMAGE_Fail->isHidden(), success);
    QCOMPARE(appContext().SharedProgress().value(), 1);
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
    QVERIFY(window.LABEL_Stamp->text().contains(QStringLiteral("26:53")));
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QVERIFY(window.inResultMode());

    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    const QStringList fields = lines.first().split(QStringLiteral(", "));
    QCOMPARE(fields.size(), 10);
    QCOMPARE(fields.mid(1), (QStringList{"SALES\\operator", Title, "SALES\\Staff",
                                         success ? "True" : "False", "one", "", "", "",
                                         "five"}));
    QFile raw(LogFilePath());
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().endsWith("five\r\n"));
}

void TaskWindowTest::resultWithoutObjectOrActionWritesNoLogLine_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("object");
    QTest::newRow("no object") << Title << "";
    QTest::newRow("no action") << "" << "SALES\\Staff";
}

void TaskWindowTest::resultWithoutObjectOrActionWritesNoLogLine()
{
    QFETCH(QString, action);
    QFETCH(QString, object);
    ProbeWindow window;
    Show_Result(window, "Failed.", false, false, "SALES", action, object, "words");
    QCOMPARE(ole::toQColor(window.PICTURE_Status->backColor()), QColor(255, 0, 0));
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void TaskWindowTest::descriptionWithACommaIsLoggedUnchanged()
{
    ProbeWindow window;
    Show_Result(window, "Done.", true, false, "SALES", Title, "SALES\\Staff",
                "Sales, north region");
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(
        QStringLiteral(", SALES\\Staff, True, Sales, north region, , , , ")));
}

void TaskWindowTest::hintModeRestoresHintColoursWithoutLogOrBeep()
{
    ProbeWindow window(2);
    Show_Result(window, "Failed.", false, false, "SALES", Title, "SALES\\Staff");
    QFile::remove(LogFilePath());
    appContext().SharedProgress().setValue(700);
    m_bed->seams.pointer.set(seams::Pointer::Wait);

    Show_Result(window, "A hint.", true, true, "SALES", Title, "SALES\\Staff");

    QCOMPARE(window.LABEL_Status->text(), QStringLiteral("A hint."));
    QCOMPARE(window.PICTURE_Status->backColor(), appContext().PanelColor);
    QCOMPARE(textColor(window.LABEL_Status), ole::toQColor(appContext().PanelTextColor));
    QCOMPARE(textColor(window.LABEL_Stamp), ole::toQColor(appContext().PanelTextColor));
    QVERIFY(!window.IMAGE_Info->isHidden());
    QVERIFY(window.IMAGE_Success->isHidden());
    QVERIFY(window.IMAGE_Fail->isHidden());
    QCOMPARE(window.LABEL_Stamp->text(), QString());
    QCOMPARE(appContext().SharedProgress().value(), 1);
    QCOMPARE(m_bed->seams.pointer.current(), seams::Pointer::Default);
    QCOMPARE(m_bed->seams.beeper.beeps, 1);
    QVERIFY(!QFile::exists(LogFilePath()));
}

void TaskWindowTest::hintModeTakesTheCurrentColourScheme()
{
    ProbeWindow window;
    appContext().PanelColor = 0x80000005;
    appContext().PanelTextColor = 0x80000008;
    QVERIFY(window.inResultMode());
    Show_Result(window, "A hint.", false, true, {}, {}, {});
    QCOMPARE(window.PICTURE_Status->backColor(), OleColor(0x80000005));
    QCOMPARE(textColor(window.LABEL_Status), ole::toQColor(0x80000008));
}

void TaskWindowTest::typingAfterAFailureReturnsToTheHint()
{
    ProbeWindow window;
    Show_Result(window, "Failed.", false, false, {}, {}, {});
    QVERIFY(!window.LABEL_Stamp->text().isEmpty());

    QTest::keyClick(window.TEXT_ID, Qt::Key_X);

    QCOMPARE(window.PICTURE_Status->backColor(), appContext().PanelColor);
    QCOMPARE(textColor(window.LABEL_Status), ole::toQColor(appContext().PanelTextColor));
    QCOMPARE(window.LABEL_Stamp->text(), QString());
    QCOMPARE(window.LABEL_Status->text(), Title + QStringLiteral(". \n\n") + NameHint);
    QVERIFY(!window.IMAGE_Info->isHidden());

    // The domain field does the same.
    Show_Result(window, "Failed.", false, false, {}, {}, {});
    QTest::keyClicks(window.COMBO_Domain->lineEdit(), "e");
    QCOMPARE(window.LABEL_Stamp->text(), QString());
    QCOMPARE(window.LABEL_Status->text(),
             Title + QStringLiteral(". \n\n") + TaskWindow::DomainHint);
}

void TaskWindowTest::typingInHintModeLeavesThePanel()
{
    ProbeWindow window;
    Show_Result(window, "Something else.", false, true, {}, {}, {});
    QTest::keyClick(window.TEXT_ID, Qt::Key_X);
    QCOMPARE(window.LABEL_Status->text(), QStringLiteral("Something else."));
}

void TaskWindowTest::focusLightsTheLabelSelectsAllAndShowsTheHint()
{
    ProbeWindow window;
    window.TEXT_ID->setText("Sales Staff");
    QVERIFY(activate(window));
    window.BUTTON_Go->setFocus();
    window.TEXT_ID->setFocus();
    QCOMPARE(textColor(window.LABEL_ID), ole::toQColor(appContext().FocusColor));
    QCOMPARE(window.TEXT_ID->selectedText(), QStringLiteral("Sales Staff"));
    QCOMPARE(window.LABEL_Status->text(), Title + QStringLiteral(". \n\n") + NameHint);

    window.COMBO_Domain->setFocus();
    QCOMPARE(textColor(window.LABEL_Domain), ole::toQColor(appContext().FocusColor));
    QCOMPARE(textColor(window.LABEL_ID), ole::toQColor(ole::SystemButtonText));
    QCOMPARE(window.LABEL_Status->text(),
             Title + QStringLiteral(". \n\n") + TaskWindow::DomainHint);
}

void TaskWindowTest::leavingAFieldShowsTheNeutralText()
{
    ProbeWindow window;
    QVERIFY(activate(window));
    window.TEXT_ID->setFocus();
    window.BUTTON_Go->setFocus();
    QCOMPARE(window.LABEL_Status->text(), QStringLiteral("NT Probe Task."));
    QCOMPARE(textColor(window.LABEL_ID), ole::toQColor(ole::SystemButtonText));
    // The domain field's leaving does not touch the panel.
    window.COMBO_Domain->setFocus();
    window.BUTTON_Go->setFocus();
    QCOMPARE(window.LABEL_Status->text(),
             Title + QStringLiteral(". \n\n") + TaskWindow::DomainHint);
    QCOMPARE(textColor(window.LABEL_Domain), ole::toQColor(ole::SystemButtonText));
}

void TaskWindowTest::upperCasingFieldsUpperCaseOnLeaving()
{
    ProbeWindow window(-1, true);
    QVERIFY(activate(window));
    window.TEXT_ID->setFocus();
    QTest::keyClicks(window.TEXT_ID, "ws01");
    window.BUTTON_Go->setFocus();
    QCOMPARE(window.TEXT_ID->text(), QStringLiteral("WS01"));
}

void TaskWindowTest::domainFieldKeepsMyComputerAndUpperCasesOthers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("my computer") << MyComputer << MyComputer;
    QTest::newRow("a domain") << "eng" << "ENG";
    QTest::newRow("a server") << "\\\\files01" << "\\\\FILES01";
}

void TaskWindowTest::domainFieldKeepsMyComputerAndUpperCasesOthers()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ProbeWindow window;
    QVERIFY(activate(window));
    window.COMBO_Domain->setFocus();
    window.COMBO_Domain->setEditText(typed);
    window.TEXT_ID->setFocus();
    QCOMPARE(window.COMBO_Domain->currentText(), kept);
}

void TaskWindowTest::choosingADomainShowsTheDomainHint()
{
    ProbeWindow window;
    Show_Result(window, "Something else.", false, true, {}, {}, {});
    emit window.COMBO_Domain->activated(1);
    QCOMPARE(window.LABEL_Status->text(),
             Title + QStringLiteral(". \n\n") + TaskWindow::DomainHint);
}

void TaskWindowTest::leavingTheDomainFieldIsNoChoiceFromTheList()
{
    ProbeWindow window;
    QVERIFY(activate(window));
    QVERIFY(window.COMBO_Domain->count() > 1);
    window.COMBO_Domain->setFocus();
    // The text of another list entry, typed rather than chosen.
    window.COMBO_Domain->setEditText(window.COMBO_Domain->itemText(1));
    window.BUTTON_Go->setFocus();
    QCOMPARE(window.clicks, 0);
    QCOMPARE(window.COMBO_Domain->currentText(), window.COMBO_Domain->itemText(1));
    // Enter in the field is no choice either, and adds nothing to the list.
    const int entries = window.COMBO_Domain->count();
    window.COMBO_Domain->setFocus();
    window.COMBO_Domain->setEditText(QStringLiteral("NEWDOMAIN"));
    QTest::keyClick(window.COMBO_Domain, Qt::Key_Return);
    QCOMPARE(window.COMBO_Domain->count(), entries);
}

void TaskWindowTest::escapeUnloadsOnce()
{
    ProbeWindow window;
    QVERIFY(activate(window));
    window.TEXT_ID->setFocus();
    QTest::keyClick(window.TEXT_ID, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.saves, 1);
    window.close();
    QCOMPARE(window.saves, 1);
}

void TaskWindowTest::unloadClearsOnlyTheAddWindowsFlag()
{
    appContext().AddWindowOpen = {true, true, true};
    {
        ProbeWindow other;
        QVERIFY(other.close());
        QVERIFY(other.close());
        QCOMPARE(other.saves, 1);
    }
    QCOMPARE(appContext().AddWindowOpen, (std::array<bool, 3>{true, true, true}));
    ProbeWindow addGroup(2);
    QVERIFY(addGroup.close());
    QCOMPARE(addGroup.saves, 1);
    QCOMPARE(appContext().AddWindowOpen, (std::array<bool, 3>{true, true, false}));
}

void TaskWindowTest::f1OpensTheHelpFile()
{
    ProbeWindow window;
    QVERIFY(activate(window));
    window.TEXT_ID->setFocus();
    QTest::keyClick(window.TEXT_ID, Qt::Key_F1);
    QCOMPARE(m_bed->platform.shell.calls.size(), 1);
    const ShellCall &call = m_bed->platform.shell.calls.first();
    QCOMPARE(call.file, QStringLiteral("winhlp32.exe"));
    QCOMPARE(call.arguments, QStringList{m_programFolder + QStringLiteral("/varnel.hlp")});
    QCOMPARE(call.show, 1);
}

void TaskWindowTest::ctrlTabShowsTheDiagnosticBoxInsteadOfSwitchingWindows()
{
    appContext().CommandLine = QStringLiteral("/NOLOG /V");
    for (const char *file : {"varnel", "errcodes.ini", "Usrmgr.exe"}) {
        QFile touched(m_programFolder + u'/' + QLatin1String(file));
        QVERIFY(touched.open(QIODevice::WriteOnly));
    }
    frmVarnel main;
    main.registerTaskWindow(QStringLiteral("MENUOPT_DelUser"), [] { return new ProbeWindow; });
    main.registerTaskWindow(QStringLiteral("MENUOPT_DelComp"), [] { return new ProbeWindow; });
    QVERIFY(activate(main));
    main.menuItem(QStringLiteral("MENUOPT_DelUser"))->trigger();
    main.menuItem(QStringLiteral("MENUOPT_DelComp"))->trigger();
    QMdiSubWindow *active = main.mdiArea()->activeSubWindow();
    QVERIFY(active != nullptr);
    auto *probe = static_cast<ProbeWindow *>(active->widget());
    probe->TEXT_ID->setFocus();

    QTest::keyClick(probe->TEXT_ID, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(probe->TEXT_ID, Qt::Key_Control);

    QCOMPARE(m_bed->seams.messageBox.shown.size(), 1);
    const ShownBox &box = m_bed->seams.messageBox.shown.first();
    QCOMPARE(box.text, QStringLiteral("/NOLOG /V\nerrcodes.ini\nUsrmgr.exe\nvarnel"));
    QCOMPARE(box.buttons, seams::OkOnly);
    QCOMPARE(box.title, QString());
    QTest::qWait(50);
    QCOMPARE(main.mdiArea()->activeSubWindow(), active);
}

QTEST_MAIN(TaskWindowTest)
#include "test_task_window.moc"
