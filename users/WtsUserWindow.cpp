#include "WtsUserWindow.h"

#include "app/AppContext.h"
#include "app/Seams.h"
#include "ui/NamedWidget.h"
#include "ui/OleColor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// ChangedFlags: 0 logon, 1-3 the three time-outs, 4-6 the devices, 7 inherit,
// 8 command line, 9 working directory, 10 WinFrame path, 11 call-back number,
// 12 profile path.

namespace {

const QString Caption = QStringLiteral("Terminal Server User Properties");
const QString Working = QStringLiteral("...Working");

QLineEdit *lineEdit(const char *name) { return named(new QLineEdit, name); }

QCheckBox *checkBox(const QString &text, const char *name)
{
    return named(new QCheckBox(text), name);
}

QComboBox *list(const QStringList &entries, const char *name)
{
    auto *combo = named(new QComboBox, name);
    combo->addItems(entries);
    return combo;
}

QStringList driveLetters()
{
    QStringList drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        drives << QString(QChar(letter)) + ':';
    return drives;
}

QPushButton *button(const QString &text, const QString &tip, const char *name)
{
    auto *created = named(new QPushButton(text), name);
    created->setToolTip(tip);
    created->setAutoDefault(false);
    return created;
}

// A text box painted with a colour of the program's (a system colour index).
void paint(QLineEdit *text, OleColor color)
{
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, ole::toQColor(color));
    text->setPalette(palette);
}

// Greyed, emptied and disabled while a box says the field does not apply.
void setApplies(QLineEdit *text, bool applies)
{
    paint(text, applies ? ole::SystemWindow : ole::SystemButtonFace);
    if (!applies)
        text->clear();
    text->setEnabled(applies);
}

} // namespace

frmWTSUser::frmWTSUser(QWidget *parent)
    : QDialog(parent),
      LABEL_UserName(named(new QLabel(QStringLiteral("User: ")), "LABEL_UserName")),
      CHECK_Logon(checkBox(QStringLiteral("Allow Logon To &Terminal Server"), "CHECK_Logon")),
      FRAME_Timeout(named(new QGroupBox(QStringLiteral(" Timeout Settings (minutes) ")),
                          "FRAME_Timeout")),
      TEXT_Con(lineEdit("TEXT_Con")),
      CHECK_Con(checkBox(QStringLiteral("No Connection"), "CHECK_Con")),
      TEXT_DisCon(lineEdit("TEXT_DisCon")),
      CHECK_DisCon(checkBox(QStringLiteral("No Disconnection"), "CHECK_DisCon")),
      TEXT_Idle(lineEdit("TEXT_Idle")),
      CHECK_Idle(checkBox(QStringLiteral("No Idle"), "CHECK_Idle")),
      FRAME_Inherent(named(new QGroupBox, "FRAME_Inherent")),
      CHECK_Inherent(checkBox(QStringLiteral("&Inherent Client Config "), "CHECK_Inherent")),
      TEXT_CommandLine(lineEdit("TEXT_CommandLine")),
      TEXT_WorkDir(lineEdit("TEXT_WorkDir")),
      FRAME_Devices(named(new QGroupBox(QStringLiteral(" Client Devices ")), "FRAME_Devices")),
      CHECK_ConDrives(
          checkBox(QStringLiteral("Connect Client &Drives at Logon"), "CHECK_ConDrives")),
      CHECK_ConPrinters(
          checkBox(QStringLiteral("Connect Client &Printers at Logon"), "CHECK_ConPrinters")),
      CHECK_MainPrinter(
          checkBox(QStringLiteral("Default to &Main Client Printer"), "CHECK_MainPrinter")),
      FRAME_HomeDir(named(new QGroupBox(QStringLiteral(" Terminal Server Home Directory ")),
                          "FRAME_HomeDir")),
      OPTION_Local(named(new QRadioButton(QStringLiteral("&Local path")), "OPTION_Local")),
      TEXT_LocalPath(lineEdit("TEXT_LocalPath")),
      OPTION_Connect(named(new QRadioButton(QStringLiteral("C&onnect")), "OPTION_Connect")),
      COMBO_Drive(list(driveLetters(), "COMBO_Drive")),
      TEXT_Path(lineEdit("TEXT_Path")),
      TEXT_WinFramePath(lineEdit("TEXT_WinFramePath")),
      TEXT_ProfilePath(lineEdit("TEXT_ProfilePath")),
      COMBO_Broken(list({QStringLiteral("Disconnect"), QStringLiteral("Reset")},
                        "COMBO_Broken")),
      COMBO_Reconnect(list({QStringLiteral("Any Client"), QStringLiteral("Previous Client")},
                           "COMBO_Reconnect")),
      COMBO_Callback(list({QStringLiteral("Disabled"), QStringLiteral("Roving"),
                           QStringLiteral("Fixed")},
                          "COMBO_Callback")),
      TEXT_Callback(lineEdit("TEXT_Callback")),
      COMBO_Shadowing(list({QStringLiteral("Disabled"),
                            QStringLiteral("Enabled, Input ON, Notify ON"),
                            QStringLiteral("Enabled, Input ON, Notify OFF"),
                            QStringLiteral("Enabled, Input OFF, Notify ON")},
                           "COMBO_Shadowing")),
      BUTTON_Apply(button(QStringLiteral("&Apply"), QStringLiteral("Apply Properties"),
                          "BUTTON_Apply")),
      BUTTON_Cancel(button(QStringLiteral("&Cancel"), QStringLiteral("Cancel"), "BUTTON_Cancel"))
{
    setObjectName(QStringLiteral("frmWTSUser"));
    setWindowTitle(Caption);
    setModal(true);
    COMBO_Drive->setCurrentIndex(-1);
    OPTION_Local->setChecked(true);
    BUTTON_Apply->setEnabled(false);
    for (QLineEdit *text : {TEXT_Con, TEXT_DisCon, TEXT_Idle, TEXT_CommandLine, TEXT_WorkDir})
        paint(text, ole::SystemWindow);
    buildLayout();
    connectEdits();
    connect(BUTTON_Apply, &QPushButton::clicked, this, &frmWTSUser::BUTTON_Apply_Click);
    connect(BUTTON_Cancel, &QPushButton::clicked, this, &frmWTSUser::BUTTON_Cancel_Click);
}

frmWTSUser::~frmWTSUser() = default;

void frmWTSUser::markChanged(int flag)
{
    if (!appContext().SuppressChange)
        ChangedFlags[size_t(flag)] = true;
}

void frmWTSUser::connectEdits()
{
    auto onClick = [this](QCheckBox *box, int flag, auto work) {
        connect(box, &QCheckBox::toggled, this, [this, flag, work] {
            work();
            markChanged(flag);
        });
    };
    auto onChange = [this](QLineEdit *text, int flag) {
        connect(text, &QLineEdit::textChanged, this, [this, flag] { markChanged(flag); });
    };
    onClick(CHECK_Logon, 0, [] {});
    onClick(CHECK_Con, 1, [this] { setTimeoutBox(CHECK_Con, TEXT_Con); });
    onClick(CHECK_DisCon, 2, [this] { setTimeoutBox(CHECK_DisCon, TEXT_DisCon); });
    onClick(CHECK_Idle, 3, [this] { setTimeoutBox(CHECK_Idle, TEXT_Idle); });
    onClick(CHECK_ConDrives, 4, [] {});
    onClick(CHECK_ConPrinters, 5, [] {});
    onClick(CHECK_MainPrinter, 6, [] {});
    onClick(CHECK_Inherent, 7, [this] { setInherit(); });
    onChange(TEXT_Con, 1);
    onChange(TEXT_DisCon, 2);
    onChange(TEXT_Idle, 3);
    onChange(TEXT_CommandLine, 8);
    onChange(TEXT_WorkDir, 9);
    onChange(TEXT_WinFramePath, 10);
    onChange(TEXT_Callback, 11);
    onChange(TEXT_ProfilePath, 12);
    const std::array<std::pair<QComboBox *, int>, 4> lists{
        {{COMBO_Broken, 10}, {COMBO_Reconnect, 11}, {COMBO_Callback, 12}, {COMBO_Shadowing, 14}}};
    for (const auto &[combo, configClass] : lists) {
        connect(combo, &QComboBox::activated, this,
                [this, configClass = configClass] { m_unlisted.erase(configClass); });
    }
}

void frmWTSUser::setTimeoutBox(QCheckBox *noTimeout, QLineEdit *text)
{
    setApplies(text, !noTimeout->isChecked());
}

void frmWTSUser::setInherit()
{
    const bool inherited = CHECK_Inherent->isChecked();
    setApplies(TEXT_CommandLine, !inherited);
    setApplies(TEXT_WorkDir, !inherited);
}

void frmWTSUser::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmWTSUser::Form_Activate()
{
    AppContext &context = appContext();
    if (context.SuppressChange)
        return;
    context.SuppressChange = true;
    setWindowTitle(Caption + Working);
    LABEL_UserName->setText(QStringLiteral("User: ") + TargetUser);
    seams::setPointer(seams::Pointer::Wait);
    seams::doEvents();
    Read_UserConfig();
    setWindowTitle(Caption);
    context.SuppressChange = false;
    seams::setPointer(seams::Pointer::Default);
}

bool frmWTSUser::checkTimeout(QLineEdit *text, QCheckBox *noTimeout)
{
    if (text->text().isEmpty()) {
        noTimeout->setChecked(true);
        return true;
    }
    bool isNumber = false;
    const double minutes = QLocale::c().toDouble(text->text().trimmed(), &isNumber);
    // Beyond 35791 minutes the milliseconds do not fit a signed 32-bit value.
    if (isNumber && minutes >= 0 && minutes < 35791.5)
        return true;
    seams::messageBox(QStringLiteral("Please specify a #number timeout number in minutes."),
                      seams::OkOnly, seams::Exclamation);
    text->setFocus();
    text->selectAll();
    return false;
}

bool frmWTSUser::Check_Fields()
{
    if (!checkTimeout(TEXT_Con, CHECK_Con) || !checkTimeout(TEXT_DisCon, CHECK_DisCon)
        || !checkTimeout(TEXT_Idle, CHECK_Idle))
        return false;
    if (OPTION_Connect->isChecked() && COMBO_Drive->currentText().trimmed().isEmpty()) {
        seams::messageBox(QStringLiteral("Please select a drive letter from the dropdown list."),
                          seams::OkOnly, seams::Exclamation);
        COMBO_Drive->setFocus();
        return false;
    }
    if (OPTION_Connect->isChecked() && TEXT_Path->text().trimmed().isEmpty()) {
        seams::messageBox(QStringLiteral("Please enter a UNC path."), seams::OkOnly,
                          seams::Exclamation);
        TEXT_Path->setFocus();
        return false;
    }
    return true;
}

void frmWTSUser::BUTTON_Apply_Click()
{
    if (!Check_Fields())
        return;
    setWindowTitle(Caption + Working);
    seams::setPointer(seams::Pointer::Wait);
    repaint();
    if (Write_UserConfig() == 0) {
        seams::setPointer(seams::Pointer::Default);
        accept();
        return;
    }
    seams::setPointer(seams::Pointer::Default);
    setWindowTitle(Caption);
    seams::messageBox(QStringLiteral("Error settings terminal server user properties."),
                      seams::OkOnly, seams::Exclamation,
                      AppTitle + QStringLiteral(" : WTS User Properties"));
}

void frmWTSUser::BUTTON_Cancel_Click() { reject(); }

void frmWTSUser::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmWTSUser::done(int result)
{
    appContext().SuppressChange = false;
    QDialog::done(result);
}

void frmWTSUser::buildLayout()
{
    auto *timeouts = new QGridLayout(FRAME_Timeout);
    timeouts->addWidget(new QLabel(QStringLiteral("Connection")), 0, 0);
    timeouts->addWidget(TEXT_Con, 0, 1);
    timeouts->addWidget(CHECK_Con, 0, 2);
    timeouts->addWidget(new QLabel(QStringLiteral("Disconnection")), 1, 0);
    timeouts->addWidget(TEXT_DisCon, 1, 1);
    timeouts->addWidget(CHECK_DisCon, 1, 2);
    timeouts->addWidget(new QLabel(QStringLiteral("Idle")), 2, 0);
    timeouts->addWidget(TEXT_Idle, 2, 1);
    timeouts->addWidget(CHECK_Idle, 2, 2);

    auto *inherit = new QGridLayout(FRAME_Inherent);
    inherit->addWidget(CHECK_Inherent, 0, 0, 1, 2);
    inherit->addWidget(new QLabel(QStringLiteral("Command line")), 1, 0);
    inherit->addWidget(TEXT_CommandLine, 1, 1);
    inherit->addWidget(new QLabel(QStringLiteral("Working Directory")), 2, 0);
    inherit->addWidget(TEXT_WorkDir, 2, 1);

    auto *devices = new QVBoxLayout(FRAME_Devices);
    for (QCheckBox *box : {CHECK_ConDrives, CHECK_ConPrinters, CHECK_MainPrinter})
        devices->addWidget(box);

    auto *home = new QGridLayout(FRAME_HomeDir);
    home->addWidget(OPTION_Local, 0, 0);
    home->addWidget(TEXT_LocalPath, 0, 1, 1, 3);
    home->addWidget(OPTION_Connect, 1, 0);
    home->addWidget(COMBO_Drive, 1, 1);
    home->addWidget(new QLabel(QStringLiteral("To")), 1, 2);
    home->addWidget(TEXT_Path, 1, 3);
    home->addWidget(new QLabel(QStringLiteral("WinFrame local path")), 2, 0);
    home->addWidget(TEXT_WinFramePath, 2, 1, 1, 3);
    home->addWidget(new QLabel(QStringLiteral("Term. Profile path")), 3, 0);
    home->addWidget(TEXT_ProfilePath, 3, 1, 1, 3);

    auto *behaviour = new QGridLayout;
    behaviour->addWidget(new QLabel(QStringLiteral("On a broken or timed-out Connection")), 0, 0);
    behaviour->addWidget(COMBO_Broken, 0, 1);
    behaviour->addWidget(new QLabel(QStringLiteral("Reconnect sessions disconnected")), 1, 0);
    behaviour->addWidget(COMBO_Reconnect, 1, 1);
    behaviour->addWidget(new QLabel(QStringLiteral("Modem callback")), 2, 0);
    behaviour->addWidget(COMBO_Callback, 2, 1);
    behaviour->addWidget(TEXT_Callback, 2, 2);
    behaviour->addWidget(new QLabel(QStringLiteral("Shadowing")), 3, 0);
    behaviour->addWidget(COMBO_Shadowing, 3, 1, 1, 2);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(CHECK_Logon);
    left->addWidget(FRAME_Timeout);
    left->addWidget(FRAME_Devices);
    auto *right = new QVBoxLayout;
    right->addWidget(FRAME_Inherent);
    right->addLayout(behaviour);
    columns->addLayout(left);
    columns->addLayout(right);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Apply);
    buttons->addWidget(BUTTON_Cancel);

    auto *page = new QVBoxLayout(this);
    page->addWidget(LABEL_UserName);
    page->addLayout(columns);
    page->addWidget(FRAME_HomeDir);
    page->addLayout(buttons);
}
